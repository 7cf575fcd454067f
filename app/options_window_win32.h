// The options window: the layout, starting with Windows, reopening the last
// document, the language, the icon skin and the theme, with live previews
// of the skin and the theme, and the two buttons of the ".lvk" association.
// It runs its own event loop until OK or Cancel closes it.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/skin_win32.h"
#include "config/object_numbers.h"
#include "config/registry_win32.h"
#include "config/settings.h"
#include "config/text_table.h"
#include "platform/event_queue_win32.h"
#include "platform/window_owners_win32.h"
#include "theme/gdi_owners_win32.h"

namespace lumvik {

// What the window works on. It changes `settings` on OK, and while it is
// open the skin's tree icons, its theme and its fonts, as the previews show
// them; the main window takes them up only when the settings are applied.
// While `settings_file_behind` says that the settings file could not take
// the options confirmed earlier, Cancel goes back to the theme in `settings`
// rather than to the file's.
struct OptionsScope {
  HINSTANCE program = nullptr;
  HWND owner = nullptr;
  std::string program_folder;  // ends with a separator
  std::string program_path;
  Settings& settings;
  const TextTable& texts;
  Skin& skin;
  const Registry& registry;
  EventQueue& events;
  bool settings_file_behind = false;
};

// How the window closed: by Cancel, or by OK with the settings file written
// or not.
enum class OptionsOutcome { Cancelled, Written, NotWritten };

class OptionsWindow {
 public:
  // Builds the window with every control, fills the lists and previews and
  // shows it, centred on the screen.
  explicit OptionsWindow(const OptionsScope& scope);
  ~OptionsWindow();
  OptionsWindow(const OptionsWindow&) = delete;
  OptionsWindow& operator=(const OptionsWindow&) = delete;

  // Handles the events until OK or Cancel closes the window. Events of the
  // other windows are dropped, except a request to close the program, which
  // waits for the main loop.
  void Run();

  bool open() const { return static_cast<bool>(window_); }
  OptionsOutcome outcome() const { return outcome_; }
  HWND window() const { return window_.get(); }
  HWND Control(int gadget) const;
  HTREEITEM SkinPreviewRow(int row) const { return skin_rows_[row]; }
  HTREEITEM ThemePreviewRow(int row) const { return theme_rows_[row]; }

 private:
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleCommand(WPARAM wparam, LPARAM lparam);
  LRESULT HandleNotify(const NMHDR& header, LPARAM lparam);
  LRESULT DrawThemeRow(NMTVCUSTOMDRAW& draw) const;
  void Handle(const Event& event);

  HWND AddControl(int gadget, HWND parent, const char* window_class, const std::string& text,
                  DWORD style, RECT place, DWORD ex_style = 0);
  HWND AddPage(int gadget, int tab_text);
  void ShowSelectedPage();
  void BuildGeneralPage();
  void BuildSkinPage();
  void BuildThemePage();
  void AddList(int gadget, HWND page, int y, const std::vector<std::string>& entries,
               std::optional<std::size_t> selected);
  std::optional<std::size_t> Selection(int gadget) const;
  std::string SelectedText(int gadget) const;

  void ShowToolbarIcons(const std::string& skin_entry);
  void ShowSkinRowIcons();
  void ShowThemeRows();
  void ShowThemeFonts();
  void SkinChosen();
  void ThemeChosen();
  void Confirm();
  void Cancel();
  void Close();

  OptionsScope scope_;
  OptionsOutcome outcome_ = OptionsOutcome::Cancelled;
  UniqueWindow window_;
  std::array<HWND, kLastOptionsGadget + 1> controls_{};
  std::vector<HWND> pages_;
  std::vector<std::string> languages_;
  std::vector<std::string> skins_;
  std::vector<std::string> themes_;
  std::string remembered_skin_;
  std::string remembered_theme_;
  std::array<UniqueIcon, kToolbarIconCount> toolbar_icons_;  // the preview's own slots
  std::array<HTREEITEM, 8> skin_rows_{};
  std::array<HTREEITEM, 5> theme_rows_{};
  UniqueImageList skin_row_icons_;
  UniqueImageList theme_progress_images_;
  // Fonts the window replaced: the main window may still draw with them
  // until the settings are applied.
  std::vector<UniqueFont> replaced_fonts_;
};

}  // namespace lumvik
