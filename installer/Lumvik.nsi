; The per-user installer of Lumvik: the program folder in the user's own
; programs folder, where Lumvik.ini beside the program stays writable without
; administrator rights; Start-menu entries, the ".lvk" association and an
; uninstaller, all for the current user alone.
;
; makensis -DPROGRAM_FOLDER=<program folder> -DOUTFILE=<setup.exe>
;          -DTARGET=x86-unicode|amd64-unicode installer/Lumvik.nsi
; with absolute paths: makensis works in the script's own folder.
; The target matches the programs' own: the 32-bit release gets a 32-bit
; installer, so that both see the same registry view.

!ifndef PROGRAM_FOLDER | OUTFILE | TARGET
  !error "Define PROGRAM_FOLDER, OUTFILE and TARGET (x86-unicode or amd64-unicode)"
!endif

Target ${TARGET}
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

; The version the build gives the programs.
!searchparse /file "../CMakeLists.txt" "project(Lumvik VERSION " VERSION " "

Name "Lumvik"
BrandingText "Lumvik ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
ManifestSupportedOS all

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumvik"
!define START_MENU "$SMPROGRAMS\Lumvik"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Lumvik"
; The ".lvk" association as Lumvik itself writes it for one user: the classes
; of the user's own keys, and Explorer's choice of program for the extension.
!define CLASSES "Software\Classes"
!define APPLICATION_KEY "lumvik.exe"
!define DOCUMENT_CLASS "lvk_auto_file"
!define FILE_EXTS "Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.lvk"
!define SHCNE_ASSOCCHANGED 0x08000000

InstallDir "$LOCALAPPDATA\Programs\Lumvik"
; A second installation goes where the first one is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "../resources/lumvik.ico"
!define MUI_UNICON "../resources/lumvik.ico"
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Lumvik.exe"

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Spanish"
!include "languages.nsh"

; The uninstaller deletes exactly the files and folders the installer put
; there, so that whatever the user saved in the folder stays. The list is
; taken from the program folder when the installer is built.
!tempfile INSTALLED_FILES
!system `sh installed-files.sh "${PROGRAM_FOLDER}" > "${INSTALLED_FILES}"` = 0

; An open Lumvik or Skinwright holds its program file, which can then be
; neither replaced nor removed, and may still write its settings.
!macro WaitUntilProgramsClosed
  ${Do}
    FindWindow $0 "LumvikMainWindow"
    ${If} $0 == 0
      FindWindow $0 "SkinwrightEditor"
    ${EndIf}
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramsOpenMessage)" /SD IDCANCEL IDRETRY`
      Abort
    ${EndIf}
  ${Loop}
!macroend

Function .onInit
  !insertmacro WaitUntilProgramsClosed
FunctionEnd

Function un.onInit
  !insertmacro WaitUntilProgramsClosed
FunctionEnd

Section "Lumvik" ProgramSection
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r /x Lumvik.ini "${PROGRAM_FOLDER}/*"
  ; The settings a user has changed survive an installation over the last.
  SetOverwrite off
  File "${PROGRAM_FOLDER}/Lumvik.ini"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The output folder, $INSTDIR, is the folder the shortcuts start in.
  CreateDirectory "${START_MENU}"
  CreateShortcut "${START_MENU}\Lumvik.lnk" "$INSTDIR\Lumvik.exe"
  CreateShortcut "${START_MENU}\Skinwright.lnk" "$INSTDIR\Skinwright.exe"
  CreateShortcut "${START_MENU}\$(UninstallLink).lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Lumvik"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lumvik.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(AssociationSection)" AssociationSection
  StrCpy $0 '"$INSTDIR\Lumvik.exe" "%1"'
  WriteRegStr HKCU "${CLASSES}\Applications\${APPLICATION_KEY}\shell\open\command" "" $0
  WriteRegStr HKCU "${CLASSES}\.lvk" "" "${DOCUMENT_CLASS}"
  WriteRegStr HKCU "${CLASSES}\${DOCUMENT_CLASS}" "" "Lumvik File"
  WriteRegStr HKCU "${CLASSES}\${DOCUMENT_CLASS}\shell\open\command" "" $0
  WriteRegStr HKCU "${CLASSES}\${DOCUMENT_CLASS}\DefaultIcon" "" "$INSTDIR\Lumvik.exe,0"
  WriteRegStr HKCU "${FILE_EXTS}" "Application" "${APPLICATION_KEY}"
  ; Explorer shows the documents' new icon at once.
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${ProgramSection} $(ProgramDescription)
  !insertmacro MUI_DESCRIPTION_TEXT ${AssociationSection} $(AssociationDescription)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; RemoveAssociationOfThisCopy ROOT: the association's keys under ROOT's
; classes, the keys that Lumvik deletes when it removes its association, when
; they open documents in this copy. An association that another copy of
; Lumvik made stays, as Lumvik leaves another copy's start-up value.
!macro RemoveAssociationOfThisCopy ROOT
  ReadRegStr $1 ${ROOT} "${CLASSES}\${DOCUMENT_CLASS}\shell\open\command" ""
  ReadRegStr $2 ${ROOT} "${CLASSES}\Applications\${APPLICATION_KEY}\shell\open\command" ""
  ${If} $1 == $0
  ${OrIf} $2 == $0
    DeleteRegKey ${ROOT} "${CLASSES}\Applications\${APPLICATION_KEY}"
    DeleteRegKey ${ROOT} "${CLASSES}\.lvk"
    DeleteRegKey ${ROOT} "${CLASSES}\${DOCUMENT_CLASS}"
    DeleteRegKey HKCU "${FILE_EXTS}"
  ${EndIf}
!macroend

; RemoveStartUpValueOfThisCopy ROOT: the value that starts this copy with
; Windows. Lumvik writes it in the machine's Run key where it may, else in the
; user's own, as the program's path in quotes (earlier versions without).
!macro RemoveStartUpValueOfThisCopy ROOT
  ReadRegStr $1 ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $1 == '"$INSTDIR\Lumvik.exe"'
  ${OrIf} $1 == "$INSTDIR\Lumvik.exe"
    DeleteRegValue ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
!macroend

Section "Uninstall"
  !include "${INSTALLED_FILES}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${START_MENU}\Lumvik.lnk"
  Delete "${START_MENU}\Skinwright.lnk"
  ; Whichever language the installer spoke.
  Delete "${START_MENU}\${UNINSTALL_LINK_ENGLISH}.lnk"
  Delete "${START_MENU}\${UNINSTALL_LINK_FRENCH}.lnk"
  Delete "${START_MENU}\${UNINSTALL_LINK_GERMAN}.lnk"
  Delete "${START_MENU}\${UNINSTALL_LINK_SPANISH}.lnk"
  RMDir "${START_MENU}"

  StrCpy $0 '"$INSTDIR\Lumvik.exe" "%1"'
  !insertmacro RemoveAssociationOfThisCopy HKCU
  !insertmacro RemoveAssociationOfThisCopy HKLM
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
  !insertmacro RemoveStartUpValueOfThisCopy HKCU
  !insertmacro RemoveStartUpValueOfThisCopy HKLM

  ; Last, so that the entry stays while anything above is left to do.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
!delfile "${INSTALLED_FILES}"

; The documents, their backups and the recovery copies are the user's: the
; uninstaller never looks for them, and says so.
Function un.onUninstSuccess
  ${If} ${FileExists} "$INSTDIR\*"
    MessageBox MB_OK|MB_ICONINFORMATION "$(KeptMessage)$\r$\n$\r$\n$(FolderKeptMessage)" /SD IDOK
  ${Else}
    MessageBox MB_OK|MB_ICONINFORMATION "$(KeptMessage)" /SD IDOK
  ${EndIf}
FunctionEnd
