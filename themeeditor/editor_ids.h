// The numbers of Skinwright's controls and toolbar commands. The event loop
// dispatches by them and the colour buttons are known by them, so they live
// here and nowhere else.
#pragma once

namespace lumvik {

constexpr int kGroupBox = 1;
constexpr int kThemeSelector = 2;
constexpr int kLabelFontButton = 3;
constexpr int kQuitButton = 4;
constexpr int kNameFontButton = 5;
constexpr int kDescriptionFontButton = 6;
constexpr int kPreviewTree = 7;
constexpr int kPageTabs = 8;
constexpr int kUrgencyTabs = 9;

// The thirteen colour buttons: the progress bar's three, then the
// background and text colour of each urgency level.
constexpr int kProgressBackgroundButton = 10;
constexpr int kProgressBarButton = 11;
constexpr int kProgressTextButton = 12;
constexpr int kFirstUrgencyButton = 13;
constexpr int kFirstColourButton = kProgressBackgroundButton;
constexpr int kLastColourButton = 22;

constexpr int kEditorToolbar = 23;
constexpr int kCmdNewTheme = 24;
constexpr int kCmdSaveTheme = 25;
constexpr int kCmdReloadTheme = 26;

constexpr int kSelectorLabel = 30;
constexpr int kFirstProgressLabel = 31;  // 31 to 34, beside buttons 10, 11, 12 and 3
constexpr int kFirstUrgencyLabel = 35;   // 35 to 44, two per urgency page
constexpr int kNameFontLabel = 46;
constexpr int kDescriptionFontLabel = 47;
constexpr int kNamePreview = 45;
constexpr int kDescriptionPreview = 48;

constexpr int kUrgencyLevels = 5;

}  // namespace lumvik
