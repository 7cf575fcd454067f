// The numbers of the main window's objects and commands. They are part of
// the program's behaviour (menus, toolbar, shortcuts and the event loop all
// meet through them), so they live here and nowhere else.
#pragma once

namespace lumvik {

// Windows and gadgets.
constexpr int kWindowMain = 16;
constexpr int kGadgetTree = 17;
constexpr int kGadgetCategoryDescription = 18;
constexpr int kGadgetTaskDescription = 19;
constexpr int kGadgetCategoryName = 20;
constexpr int kGadgetCategoryDescriptionCaption = 21;
constexpr int kGadgetTaskName = 22;
constexpr int kGadgetTaskDescriptionCaption = 23;
constexpr int kGadgetStatusCaption = 24;
constexpr int kGadgetImportanceCaption = 25;
constexpr int kGadgetStartDateCaption = 26;
constexpr int kGadgetDueDateCaption = 27;
constexpr int kGadgetTaskProgressCaption = 28;
constexpr int kGadgetTaskProgressValue = 29;
constexpr int kGadgetCategoryProgressCaption = 30;
constexpr int kGadgetCategoryProgressValue = 31;
constexpr int kGadgetStatusList = 32;
constexpr int kGadgetImportanceList = 33;
constexpr int kGadgetStartDate = 35;
constexpr int kGadgetDueDate = 36;
constexpr int kGadgetTaskProgress = 37;
constexpr int kGadgetCategoryProgress = 38;
constexpr int kGadgetCategoryPanel = 39;
constexpr int kGadgetTaskPanel = 40;

// Menus and the toolbar.
constexpr int kMenuBar = 97;
constexpr int kMenuCategoryPopup = 109;
constexpr int kMenuTaskPopup = 115;
constexpr int kToolbar = 118;

// Commands of menu items, toolbar buttons and shortcuts.
constexpr int kCmdNew = 98;
constexpr int kCmdOpen = 99;
constexpr int kCmdSave = 100;
constexpr int kCmdSaveAs = 101;
constexpr int kCmdOptions = 102;
constexpr int kCmdQuit = 103;
constexpr int kCmdHelp = 104;
constexpr int kCmdWebSite = 105;
constexpr int kCmdFeedback = 106;
constexpr int kCmdSupportPage = 107;
constexpr int kCmdAbout = 108;
constexpr int kCmdAddCategory = 110;
constexpr int kCmdAddSubCategory = 111;
constexpr int kCmdAddTask = 112;
constexpr int kCmdRenameCategory = 113;
constexpr int kCmdDeleteCategory = 114;
constexpr int kCmdRenameTask = 116;
constexpr int kCmdDeleteTask = 117;
constexpr int kCmdToolNew = 119;
constexpr int kCmdToolOpen = 120;
constexpr int kCmdToolSave = 121;
constexpr int kCmdToolSaveAs = 122;
constexpr int kCmdMoveUp = 123;
constexpr int kCmdMoveDown = 124;
constexpr int kCmdDeleteAsking = 125;
constexpr int kCmdUndo = 126;
constexpr int kCmdRedo = 127;
// Keys of the tree alone: an add to the selected category or to the
// category of the selected task, and a move one level in or out.
constexpr int kCmdKeyAddTask = 128;
constexpr int kCmdKeyAddSubCategory = 129;
constexpr int kCmdKeyAddCategory = 130;
constexpr int kCmdMoveIn = 131;
constexpr int kCmdMoveOut = 132;
// The Edit menu's searches: the find window, the next and previous match,
// and the next overdue task.
constexpr int kCmdFind = 133;
constexpr int kCmdFindNext = 134;
constexpr int kCmdFindPrevious = 135;
constexpr int kCmdNextOverdue = 136;
// The File menu's export and printable view, and its recent documents,
// the most recent first.
constexpr int kCmdExport = 137;
constexpr int kCmdPrint = 138;
constexpr int kCmdFirstRecentFile = 139;  // 139 to 146
constexpr int kRecentFileCount = 8;
// The View menu's filters, and the sorts of the category pop-up menu: by
// name, due date, urgency, progress and status.
constexpr int kCmdHideFinished = 147;
constexpr int kCmdOnlyDue = 148;
constexpr int kCmdOnlyUrgent = 149;
constexpr int kCmdShowEverything = 150;
constexpr int kCmdFirstSort = 151;  // 151 to 155
constexpr int kSortCount = 5;
// Shift+F10 and the context-menu key: the selected row's pop-up menu.
constexpr int kCmdRowMenu = 156;

// The about box and its controls.
constexpr int kWindowAbout = 41;
constexpr int kGadgetAboutProgram = 42;
constexpr int kGadgetAboutVersion = 43;
constexpr int kGadgetAboutAuthor = 44;
constexpr int kGadgetAboutTool = 45;
constexpr int kGadgetAboutPicture = 47;
constexpr int kGadgetAboutClose = 48;

// The feedback form and its controls.
constexpr int kWindowFeedback = 49;
constexpr int kGadgetFeedbackNameCaption = 50;
constexpr int kGadgetFeedbackSubjectCaption = 51;
constexpr int kGadgetFeedbackMessageCaption = 52;
constexpr int kGadgetFeedbackName = 53;
constexpr int kGadgetFeedbackSubject = 54;
constexpr int kGadgetFeedbackMessage = 55;
constexpr int kGadgetFeedbackSend = 56;
constexpr int kGadgetFeedbackCancel = 57;

// The help window and its controls.
constexpr int kWindowHelp = 58;
constexpr int kGadgetHelpBrowser = 59;
constexpr int kGadgetHelpInBrowser = 233;  // opens the page in the default browser

// The find window and its controls.
constexpr int kWindowFind = 234;
constexpr int kGadgetFindCaption = 235;
constexpr int kGadgetFindText = 236;
constexpr int kGadgetFindNext = 237;
constexpr int kGadgetFindPrevious = 238;
constexpr int kGadgetFindOutcome = 239;  // says when nothing matches
constexpr int kGadgetFindShowOnlyMatches = 241;

// The status line under the tree: what came from elsewhere.
constexpr int kGadgetStatusLine = 240;

// The options window and its controls.
constexpr int kWindowOptions = 200;
constexpr int kGadgetOptionsTabs = 201;
constexpr int kGadgetOptionsOk = 202;
constexpr int kGadgetOptionsCancel = 203;
constexpr int kGadgetGeneralPage = 204;
constexpr int kGadgetSkinPage = 205;
constexpr int kGadgetThemePage = 206;
constexpr int kGadgetGeneralFrame = 207;
constexpr int kGadgetTreeAloneCheck = 208;  // "droite"
constexpr int kGadgetStartUpCheck = 209;    // "demarrage"
constexpr int kGadgetReopenCheck = 210;     // "loadlastfile"
constexpr int kGadgetLanguageCaption = 211;
constexpr int kGadgetLanguageList = 212;
constexpr int kGadgetAssociationCaption = 213;
constexpr int kGadgetAssociate = 214;
constexpr int kGadgetRemoveAssociation = 215;
constexpr int kGadgetSkinFrame = 216;
constexpr int kGadgetSkinCaption = 217;
constexpr int kGadgetSkinList = 218;
constexpr int kGadgetFirstSkinIcon = 219;  // 219 to 225: tool1.ico to tool7.ico
constexpr int kGadgetSkinPreview = 226;
constexpr int kGadgetThemeFrame = 227;
constexpr int kGadgetThemeCaption = 228;
constexpr int kGadgetThemeList = 229;
constexpr int kGadgetThemePreview = 230;
constexpr int kGadgetSampleLine = 231;
constexpr int kGadgetSampleBox = 232;
constexpr int kLastOptionsGadget = kGadgetSampleBox;

// Fonts and icon slots that the window draws with.
constexpr int kFontProgressLabel = 0;
constexpr int kFontName = 1;
constexpr int kFontDescription = 2;
constexpr int kFontCount = 3;

constexpr int kTreeIconCount = 7;     // slots 0 to 6: the tree's icon list
constexpr int kFirstToolbarSlot = 7;  // slots 7 to 13: toolbar buttons 119 to 125
constexpr int kIconSlotCount = 14;
constexpr int kToolbarIconCount = kIconSlotCount - kFirstToolbarSlot;

}  // namespace lumvik
