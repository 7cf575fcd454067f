// Skinwright's program-wide state and its spine: start-up, the event loop
// with its dispatch tables, and the exit step that offers to save every
// changed theme.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/text_table.h"
#include "platform/event_queue_win32.h"
#include "platform/prompt.h"
#include "theme/gdi_owners_win32.h"
#include "theme/theme_file.h"
#include "themeeditor/editor_window_win32.h"

namespace lumvik {

class SkinwrightApp {
 public:
  SkinwrightApp(HINSTANCE program, Prompt& prompt);
  ~SkinwrightApp();
  SkinwrightApp(const SkinwrightApp&) = delete;
  SkinwrightApp& operator=(const SkinwrightApp&) = delete;

  // The language, the texts and the themes of `program_folder` (which ends
  // with a separator), and the toolbar's pictures.
  void LoadSettingsAndThemes(const std::string& program_folder);
  // The window with its controls and toolbar, shown with the first theme.
  // False when the window or its toolbar cannot be made, and the program
  // then ends at once.
  bool OpenEditorWindow();

  // The event loop until the quit flag is set, then the exit step.
  void Run();
  // Handles one event as the event loop does.
  void Dispatch(const Event& event);
  // Delivers the waiting messages and handles every event they raise.
  void HandlePendingEvents();
  // Asks about every theme with unsaved changes, in list order, and writes
  // those the user wants kept.
  void SaveModifiedThemes();

  // The theme the selector names; null while there is none.
  ThemeRecord* FindCurrentTheme();
  // Brings every value control and the preview in line with the current theme.
  void RefreshEditor();
  // Puts the change mark on the selected item unless it has one.
  void MarkCurrentChanged();

  bool quitting() const { return quit_; }
  const std::vector<ThemeRecord>& themes() const { return themes_; }
  const TextTable& texts() const { return texts_; }
  const std::string& shown_theme_name() const { return shown_theme_name_; }
  EditorWindow& window() { return *window_; }
  EventQueue& events() { return events_; }

 private:
  void ChooseButtonColour(int button);
  void ChooseLabelFont(int button);
  void ChoosePanelFont(int button);
  void Quit(int button);
  void ThemeChosen(int selector);
  void NewTheme();
  void SaveTheme();
  void ReloadTheme();
  std::optional<std::size_t> CurrentThemePosition() const;
  // Shows the theme's bare name at its list position and selects it.
  void ShowUnmarked(std::size_t position);
  // Writes the theme's file; says so when it cannot.
  bool Write(const ThemeRecord& theme);

  HINSTANCE program_;
  Prompt& prompt_;
  std::string program_folder_;
  TextTable texts_{kSkinwrightTextCount};
  std::vector<ThemeRecord> themes_;
  std::string shown_theme_name_;
  std::array<UniqueIcon, 3> toolbar_pictures_;
  EventQueue events_;
  std::unique_ptr<EditorWindow> window_;
  bool quit_ = false;
};

}  // namespace lumvik
