; The installer's own texts in the languages whose MUI pages it shows; the
; system's language picks one, English when none fits.

!define UNINSTALL_LINK_ENGLISH "Uninstall Lumvik"
!define UNINSTALL_LINK_FRENCH "Désinstaller Lumvik"
!define UNINSTALL_LINK_GERMAN "Lumvik deinstallieren"
!define UNINSTALL_LINK_SPANISH "Desinstalar Lumvik"

LangString UninstallLink ${LANG_ENGLISH} "${UNINSTALL_LINK_ENGLISH}"
LangString UninstallLink ${LANG_FRENCH} "${UNINSTALL_LINK_FRENCH}"
LangString UninstallLink ${LANG_GERMAN} "${UNINSTALL_LINK_GERMAN}"
LangString UninstallLink ${LANG_SPANISH} "${UNINSTALL_LINK_SPANISH}"

LangString AssociationSection ${LANG_ENGLISH} "Open .lvk documents with Lumvik"
LangString AssociationSection ${LANG_FRENCH} "Ouvrir les documents .lvk avec Lumvik"
LangString AssociationSection ${LANG_GERMAN} ".lvk-Dokumente mit Lumvik öffnen"
LangString AssociationSection ${LANG_SPANISH} "Abrir los documentos .lvk con Lumvik"

LangString ProgramDescription ${LANG_ENGLISH} "Lumvik, its theme editor Skinwright and lvk, with the language file, themes, skins, help pages and a sample document."
LangString ProgramDescription ${LANG_FRENCH} "Lumvik, son éditeur de thèmes Skinwright et lvk, avec le fichier de langues, les thèmes, les skins, l'aide et un document d'exemple."
LangString ProgramDescription ${LANG_GERMAN} "Lumvik, sein Themen-Editor Skinwright und lvk, mit Sprachdatei, Themen, Skins, Hilfeseiten und einem Beispieldokument."
LangString ProgramDescription ${LANG_SPANISH} "Lumvik, su editor de temas Skinwright y lvk, con el archivo de idiomas, los temas, los skins, la ayuda y un documento de ejemplo."

LangString AssociationDescription ${LANG_ENGLISH} "A double click on a .lvk document opens it in Lumvik. For your own account only."
LangString AssociationDescription ${LANG_FRENCH} "Un double-clic sur un document .lvk l'ouvre dans Lumvik. Pour votre compte seulement."
LangString AssociationDescription ${LANG_GERMAN} "Ein Doppelklick auf ein .lvk-Dokument öffnet es in Lumvik. Nur für Ihr eigenes Benutzerkonto."
LangString AssociationDescription ${LANG_SPANISH} "Un doble clic en un documento .lvk lo abre en Lumvik. Solo para su propia cuenta."

LangString KeptMessage ${LANG_ENGLISH} "Lumvik has been removed.$\r$\n$\r$\nYour documents, the backup folders beside them and the recovery copies in $LOCALAPPDATA\Lumvik\recovery have been kept."
LangString KeptMessage ${LANG_FRENCH} "Lumvik a été désinstallé.$\r$\n$\r$\nVos documents, les dossiers backup à côté d'eux et les copies de récupération dans $LOCALAPPDATA\Lumvik\recovery ont été conservés."
LangString KeptMessage ${LANG_GERMAN} "Lumvik wurde entfernt.$\r$\n$\r$\nIhre Dokumente, die backup-Ordner neben ihnen und die Wiederherstellungskopien in $LOCALAPPDATA\Lumvik\recovery sind erhalten geblieben."
LangString KeptMessage ${LANG_SPANISH} "Lumvik se ha desinstalado.$\r$\n$\r$\nSus documentos, las carpetas backup junto a ellos y las copias de recuperación en $LOCALAPPDATA\Lumvik\recovery se han conservado."

LangString FolderKeptMessage ${LANG_ENGLISH} "$INSTDIR still holds files that the installation did not put there, such as documents saved in it, or files that were in use; they have been left as they were."
LangString FolderKeptMessage ${LANG_FRENCH} "$INSTDIR contient encore des fichiers que l'installation n'y a pas mis, par exemple des documents enregistrés là, ou des fichiers en cours d'utilisation ; ils ont été laissés tels quels."
LangString FolderKeptMessage ${LANG_GERMAN} "$INSTDIR enthält noch Dateien, die nicht bei der Installation dorthin kamen, etwa dort gespeicherte Dokumente, oder Dateien, die gerade benutzt wurden; sie wurden unverändert gelassen."
LangString FolderKeptMessage ${LANG_SPANISH} "$INSTDIR todavía contiene archivos que la instalación no puso allí, como documentos guardados en la carpeta, o archivos que estaban en uso; se han dejado tal como estaban."

LangString ProgramsOpenMessage ${LANG_ENGLISH} "Lumvik or Skinwright is open. Close it, then click Retry."
LangString ProgramsOpenMessage ${LANG_FRENCH} "Lumvik ou Skinwright est ouvert. Fermez-le, puis cliquez sur Réessayer."
LangString ProgramsOpenMessage ${LANG_GERMAN} "Lumvik oder Skinwright ist geöffnet. Schließen Sie das Programm und klicken Sie dann auf Wiederholen."
LangString ProgramsOpenMessage ${LANG_SPANISH} "Lumvik o Skinwright está abierto. Ciérrelo y haga clic en Reintentar."
