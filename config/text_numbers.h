// Numbers of the interface texts that the code uses by name.
#pragma once

namespace lumvik {

constexpr int kTextSave = 3;
constexpr int kTextDescriptionCaption = 9;
constexpr int kTextCannotCreateFile = 10;
constexpr int kTextForeignFile = 11;
constexpr int kTextCannotOpenFile = 13;
constexpr int kTextReplaceExistingFile = 14;
constexpr int kTextSaveAsTitle = 15;
constexpr int kTextStatusFirst = 16;      // statut v is text 15 + v
constexpr int kTextImportanceFirst = 21;  // importance v is text 20 + v
constexpr int kTextOpenTitle = 30;
constexpr int kTextUnsavedChanges = 34;
constexpr int kTextNewTask = 35;
constexpr int kTextNewCategory = 37;
constexpr int kTextProgramName = 54;
constexpr int kTextOpenWebPage = 61;
constexpr int kTextHelpTitle = 40;
constexpr int kTextFeedbackTitle = 42;
constexpr int kTextThanks = 55;
constexpr int kTextNameMissing = 56;
constexpr int kTextMessageMissing = 57;
constexpr int kTextSubjectMissing = 58;
constexpr int kTextProgressCaption = 66;
constexpr int kTextDocumentFileKind = 67;
constexpr int kTextConfirmDelete = 98;
constexpr int kTextUntitledDocument = 111;
constexpr int kTextOk = 50;
constexpr int kTextCancel = 51;
constexpr int kTextOptions = 68;
constexpr int kTextGeneralTab = 69;
constexpr int kTextTreeAlone = 71;
constexpr int kTextStartWithWindows = 72;
constexpr int kTextLanguage = 73;
constexpr int kTextReopenLastFile = 102;
constexpr int kTextAssociate = 103;
constexpr int kTextRemoveAssociation = 104;
constexpr int kTextAssociationCaption = 105;
constexpr int kTextSkinsTab = 106;
constexpr int kTextThemesTab = 107;
constexpr int kTextThemeList = 108;
constexpr int kTextNameSample = 109;
constexpr int kTextDescriptionSample = 110;
constexpr int kTextSkinList = 151;
constexpr int kTextCompletedCategory = 152;
constexpr int kTextThemeExitCaption = 153;
constexpr int kTextHelpInBrowser = 154;
constexpr int kTextSending = 155;
constexpr int kTextMailNotSent = 156;
constexpr int kTextThemeNotSaved = 157;
constexpr int kTextEditMenu = 158;
constexpr int kTextUndo = 159;
constexpr int kTextRedo = 160;
constexpr int kTextRecoverChanges = 161;
constexpr int kTextFind = 162;
constexpr int kTextFindNext = 163;
constexpr int kTextFindPrevious = 164;
constexpr int kTextNextOverdue = 165;
constexpr int kTextFindTitle = 166;
constexpr int kTextFindCaption = 167;
constexpr int kTextNothingFound = 168;
constexpr int kTextNothingOverdue = 169;
constexpr int kTextExport = 170;
constexpr int kTextPrint = 171;
constexpr int kTextExportTitle = 172;
constexpr int kTextExportHtml = 173;  // file type names of the export dialog
constexpr int kTextExportCsv = 174;
constexpr int kTextExportMarkdown = 175;
constexpr int kTextExportCalendar = 176;
constexpr int kTextCannotExport = 177;
constexpr int kTextCannotPrint = 178;
// Column headings of the printable view; its progress column is headed by
// kTextProgressCaption.
constexpr int kTextHeadingName = 179;
constexpr int kTextHeadingStatus = 180;
constexpr int kTextHeadingUrgency = 181;
constexpr int kTextHeadingStart = 182;
constexpr int kTextHeadingDue = 183;
// The feedback form: a mail whose arrival the server never confirmed, and the
// question before a typed message is thrown away.
constexpr int kTextMailUnconfirmed = 201;
constexpr int kTextDiscardMessage = 202;
// The settings file could not be written; "%1" is its path.
constexpr int kTextSettingsNotWritten = 203;
// Changes made to the document's file elsewhere: the end of the name of
// their version of a task changed on both sides, and the status line's
// words ("%1" rows taken in, "%2" of them changed on both sides).
constexpr int kTextChangedElsewhere = 204;
constexpr int kTextRowsFromElsewhere = 205;
constexpr int kTextRowsAndConflictsFromElsewhere = 206;
constexpr int kTextFileNoLongerDocument = 207;
// Said once when the document is open in another running Lumvik too.
constexpr int kTextOpenInAnotherLumvik = 208;
// Said once when the file has stayed gone or unreadable for a while.
constexpr int kTextFileUnreadable = 209;
// The View menu, the words of a narrowed view ("%1" of "%2" tasks shown),
// the find window's check box, and the sorts of the category pop-up menu.
constexpr int kTextViewMenu = 210;
constexpr int kTextHideFinished = 211;
constexpr int kTextOnlyDue = 212;
constexpr int kTextOnlyUrgent = 213;
constexpr int kTextShowEverything = 214;
constexpr int kTextTasksShown = 215;
constexpr int kTextTasksShownAndFound = 216;
constexpr int kTextShowOnlyMatches = 217;
constexpr int kTextSortContents = 218;
constexpr int kTextSortByName = 219;  // 219 to 223: the sorts in menu order
constexpr int kTextSortByStatus = 223;

}  // namespace lumvik
