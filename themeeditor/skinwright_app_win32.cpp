#include "themeeditor/skinwright_app_win32.h"

#include "config/language_file.h"
#include "config/settings.h"
#include "config/text_numbers.h"
#include "theme/progress_font_win32.h"
#include "theme/progress_images_win32.h"
#include "theme/theme_folder_win32.h"
#include "themeeditor/resource_ids.h"
#include "themeeditor/theme_edits.h"
#include "themeeditor/theme_list.h"

namespace lumvik {

namespace {

constexpr int kToolbarPictureSize = 48;
constexpr int kToolbarPictureIds[] = {SKINWRIGHT_RES_NEW_PICTURE, SKINWRIGHT_RES_SAVE_PICTURE,
                                      SKINWRIGHT_RES_RELOAD_PICTURE};

// The progress pictures of the preview rows: 0, 20, 40, 60 and 80 percent.
constexpr int kPreviewPictures[kUrgencyLevels] = {1, 3, 5, 7, 9};

std::int32_t ThemeUrgencyText(const ThemeRecord& theme, int level) {
  return theme.*ColourFieldOf(kFirstUrgencyButton + 2 * level + 1);
}

std::int32_t ThemeUrgencyBackground(const ThemeRecord& theme, int level) {
  return theme.*ColourFieldOf(kFirstUrgencyButton + 2 * level);
}

}  // namespace

SkinwrightApp::SkinwrightApp(HINSTANCE program, Prompt& prompt)
    : program_(program), prompt_(prompt) {}

SkinwrightApp::~SkinwrightApp() = default;

void SkinwrightApp::LoadSettingsAndThemes(const std::string& program_folder) {
  program_folder_ = program_folder;
  const LanguageChoice language = ReadSkinwrightLanguage(program_folder);
  LoadTexts(program_folder, language.langage, language.last_text, texts_, IniReader::Skinwright);
  themes_ = ReadThemeList(program_folder, ThemeFilesIn(program_folder));
  for (std::size_t k = 0; k < toolbar_pictures_.size(); ++k) {
    toolbar_pictures_[k].reset(static_cast<HICON>(
        ::LoadImageA(program_, MAKEINTRESOURCEA(kToolbarPictureIds[k]), IMAGE_ICON,
                     kToolbarPictureSize, kToolbarPictureSize, LR_DEFAULTCOLOR)));
  }
}

bool SkinwrightApp::OpenEditorWindow() {
  // The selector lists the themes just read, so that item k is always theme
  // k, even when the folder changed meanwhile.
  std::vector<std::string> names;
  for (const ThemeRecord& theme : themes_) names.push_back(theme.name);
  window_ = std::make_unique<EditorWindow>(program_, texts_, names, events_);
  if (window_->window() == nullptr) return false;
  shown_theme_name_ = window_->SelectorText();
  const ToolbarPictures pictures = {toolbar_pictures_[0].get(), toolbar_pictures_[1].get(),
                                    toolbar_pictures_[2].get()};
  if (!window_->BuildToolbar(texts_, pictures)) return false;
  RefreshEditor();
  ::ShowWindow(window_->window(), SW_SHOW);
  return true;
}

void SkinwrightApp::Run() {
  while (!quit_) Dispatch(events_.WaitEvent());
  SaveModifiedThemes();
}

void SkinwrightApp::HandlePendingEvents() {
  for (;;) {
    events_.PumpUntilIdle();
    const std::optional<Event> event = events_.Take();
    if (!event) return;
    Dispatch(*event);
  }
}

void SkinwrightApp::Dispatch(const Event& event) {
  struct GadgetHandler {
    int first;
    int last;
    void (SkinwrightApp::*handle)(int gadget);
  };
  static constexpr GadgetHandler kGadgets[] = {
      {kFirstColourButton, kLastColourButton, &SkinwrightApp::ChooseButtonColour},
      {kLabelFontButton, kLabelFontButton, &SkinwrightApp::ChooseLabelFont},
      {kNameFontButton, kDescriptionFontButton, &SkinwrightApp::ChoosePanelFont},
      {kQuitButton, kQuitButton, &SkinwrightApp::Quit},
      {kThemeSelector, kThemeSelector, &SkinwrightApp::ThemeChosen},
  };
  struct CommandHandler {
    int command;
    void (SkinwrightApp::*handle)();
  };
  static constexpr CommandHandler kCommands[] = {
      {kCmdNewTheme, &SkinwrightApp::NewTheme},
      {kCmdSaveTheme, &SkinwrightApp::SaveTheme},
      {kCmdReloadTheme, &SkinwrightApp::ReloadTheme},
  };
  switch (event.kind) {
    case EventKind::Gadget:
      for (const GadgetHandler& handler : kGadgets) {
        if (event.gadget >= handler.first && event.gadget <= handler.last) {
          (this->*handler.handle)(event.gadget);
        }
      }
      break;
    case EventKind::Menu:
      for (const CommandHandler& handler : kCommands) {
        if (event.command == handler.command) (this->*handler.handle)();
      }
      break;
    case EventKind::CloseWindow:
      quit_ = true;
      break;
    default:
      break;
  }
}

std::optional<std::size_t> SkinwrightApp::CurrentThemePosition() const {
  return lumvik::FindCurrentTheme(themes_, window_->SelectorText());
}

ThemeRecord* SkinwrightApp::FindCurrentTheme() {
  const std::optional<std::size_t> position = CurrentThemePosition();
  return position ? &themes_[*position] : nullptr;
}

void SkinwrightApp::MarkCurrentChanged() {
  const int item = window_->SelectedItem();
  if (item < 0) return;
  const std::string text = window_->SelectorText();
  const std::string marked = WithChangeMark(text);
  if (marked == text) return;
  window_->SetItem(item, marked);
  window_->SelectItem(item);
}

void SkinwrightApp::RefreshEditor() {
  const ThemeRecord* theme = FindCurrentTheme();
  if (theme == nullptr) return;  // nothing to show before the first theme exists
  ::SetWindowTextA(window_->Control(kLabelFontButton), LabelFontCaption(*theme).c_str());
  ::SetWindowTextA(window_->Control(kNameFontButton), theme->police_nom.c_str());
  ::SetWindowTextA(window_->Control(kDescriptionFontButton), theme->police_design.c_str());
  ColorButtons& buttons = window_->colour_buttons();
  for (int button = kFirstColourButton; button <= kLastColourButton; ++button) {
    buttons.SetButtonColor(button, theme->*ColourFieldOf(button));
  }
  for (int level = 0; level < kUrgencyLevels; ++level) {
    window_->SetPreviewColours(
        level, {ThemeUrgencyText(*theme, level), ThemeUrgencyBackground(*theme, level)});
  }
  HWND tree = window_->Control(kPreviewTree);
  const UniqueFont label_font = CreateProgressFont(*theme);
  window_->ShowProgressImages(BuildProgressImages(tree, *theme, label_font.get()));
  for (int level = 0; level < kUrgencyLevels; ++level) {
    SetRowStateImage(tree, window_->PreviewRow(level), kPreviewPictures[level]);
  }
  window_->ShowPreviewFonts(CreateThemeFont(theme->police_nom, kPanelFontPoints),
                            CreateThemeFont(theme->police_design, kPanelFontPoints));
}

void SkinwrightApp::ChooseButtonColour(int button) {
  // Without a theme there is nothing a colour could be stored in.
  if (FindCurrentTheme() == nullptr) return;
  ColorButtons& buttons = window_->colour_buttons();
  const std::optional<std::int32_t> colour = prompt_.AskColour(buttons.GetButtonColor(button));
  if (!colour) return;
  buttons.SetButtonColor(button, *colour);
  MarkCurrentChanged();
  ThemeRecord* theme = FindCurrentTheme();
  theme->*ColourFieldOf(button) = *colour;
  theme->modified = 1;
  RefreshEditor();
}

void SkinwrightApp::ChooseLabelFont(int) {
  ThemeRecord* theme = FindCurrentTheme();
  if (theme == nullptr) return;
  const std::optional<FontAnswer> font = prompt_.AskFont(theme->police, theme->police_size);
  if (!font) return;
  MarkCurrentChanged();
  theme = FindCurrentTheme();
  theme->police = font->face;
  theme->police_size = WholePoints(font->tenths);
  theme->modified = 1;
  RefreshEditor();
}

void SkinwrightApp::ChoosePanelFont(int button) {
  ThemeRecord* theme = FindCurrentTheme();
  if (theme == nullptr) return;
  std::string ThemeRecord::*face =
      button == kNameFontButton ? &ThemeRecord::police_nom : &ThemeRecord::police_design;
  const std::optional<FontAnswer> font = prompt_.AskFont(theme->*face, kPanelFontPoints);
  if (!font) return;
  MarkCurrentChanged();
  theme = FindCurrentTheme();
  theme->*face = font->face;
  theme->modified = 1;
  RefreshEditor();
}

void SkinwrightApp::Quit(int) { quit_ = true; }

void SkinwrightApp::ThemeChosen(int) {
  const std::string name = WithoutChangeMark(window_->SelectorText());
  if (name == shown_theme_name_) return;
  shown_theme_name_ = name;
  RefreshEditor();
}

void SkinwrightApp::NewTheme() {
  // A cancelled prompt is an empty name, as an empty answer is; a name that
  // could address a file outside the program folder is made safe first.
  const std::string name = SafeThemeName(
      prompt_.AskName({texts_[93], texts_[94], texts_[kTextOk], texts_[kTextCancel]}).value_or(""));
  window_->AppendItem(name);
  window_->SelectItem(static_cast<int>(themes_.size()));
  shown_theme_name_ = name;
  themes_.push_back(NewThemeRecord(name));
  RefreshEditor();
}

void SkinwrightApp::ShowUnmarked(std::size_t position) {
  const int item = static_cast<int>(position);
  window_->SetItem(item, themes_[position].name);
  window_->SelectItem(item);
}

bool SkinwrightApp::Write(const ThemeRecord& theme) {
  if (WriteThemeFile(program_folder_, theme)) return true;
  // The file's path on a line of its own tells which theme it was.
  prompt_.Message(
      texts_[112],
      texts_[kTextThemeNotSaved] + "\r\n\r\n" + ThemeFileName(program_folder_, theme.name),
      Buttons::Ok);
  return false;
}

void SkinwrightApp::SaveTheme() {
  const std::optional<std::size_t> position = CurrentThemePosition();
  if (!position) return;
  ThemeRecord& theme = themes_[*position];
  // A theme that could not be written keeps its changes and its mark.
  if (!Write(theme)) return;
  theme.modified = 0;
  ShowUnmarked(*position);
}

void SkinwrightApp::ReloadTheme() {
  const std::optional<std::size_t> position = CurrentThemePosition();
  if (!position) return;
  ThemeRecord& theme = themes_[*position];
  ReadThemeFile(program_folder_, theme.name, theme, IniReader::Skinwright);
  RefreshEditor();
  ShowUnmarked(*position);
}

void SkinwrightApp::SaveModifiedThemes() {
  for (const ThemeRecord& theme : themes_) {
    if (theme.modified != 1) continue;
    if (prompt_.Message(texts_[kTextThemeExitCaption], ExitQuestion(texts_[97], theme.name),
                        Buttons::YesNo) == Answer::Yes) {
      Write(theme);
    }
  }
}

}  // namespace lumvik
