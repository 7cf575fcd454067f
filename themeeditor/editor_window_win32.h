// Skinwright's one window: the theme selector, the preview, the three pages
// of colour and font buttons, the Quit button and the toolbar. Its window
// procedure turns messages into events of the queue.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "config/text_table.h"
#include "platform/event_queue_win32.h"
#include "platform/window_owners_win32.h"
#include "theme/gdi_owners_win32.h"
#include "themeeditor/color_buttons_win32.h"
#include "themeeditor/editor_ids.h"

namespace lumvik {

// The pictures of the toolbar's New, Save and Reload buttons.
using ToolbarPictures = std::array<HICON, 3>;

struct PreviewColours {
  std::int32_t text = 0;
  std::int32_t background = 0;
};

class EditorWindow {
 public:
  // Builds the window and every control, hidden until shown, with the theme
  // names in the selector and the first one selected. Null `window()` when
  // the window cannot be made.
  EditorWindow(HINSTANCE program, const TextTable& texts, std::span<const std::string> themes,
               EventQueue& events);
  ~EditorWindow();
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  HWND window() const { return window_.get(); }
  HWND Control(int id) const;
  HWND toolbar() const { return toolbar_; }
  ColorButtons& colour_buttons() { return colour_buttons_; }
  const ColorButtons& colour_buttons() const { return colour_buttons_; }

  // The toolbar with its three buttons; false when it cannot be made. When
  // its pictures cannot be listed, it stays without buttons.
  bool BuildToolbar(const TextTable& texts, const ToolbarPictures& pictures);

  // The selector's items and the text of the selected one.
  std::string SelectorText() const;
  int SelectedItem() const;
  void AppendItem(const std::string& text);
  void SetItem(int item, const std::string& text);
  void SelectItem(int item);

  // Preview row `row` (0 to 4) in these colours.
  void SetPreviewColours(int row, PreviewColours colours);
  PreviewColours PreviewColoursOf(int row) const { return preview_colours_[row]; }
  HTREEITEM PreviewRow(int row) const { return preview_rows_[row]; }
  // The pictures of the theme's progress bars in the preview tree, and the
  // fonts of the name and description previews; each replaces the last.
  void ShowProgressImages(UniqueImageList images) { progress_images_ = std::move(images); }
  void ShowPreviewFonts(UniqueFont name, UniqueFont description);

 private:
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleNotify(const NMHDR& header, LPARAM lparam);
  void Post(EventKind kind, int gadget, int command);

  HWND AddControl(int id, HWND parent, const char* window_class, const std::string& text,
                  DWORD style, RECT place, DWORD ex_style = 0);
  HWND AddLabel(int id, HWND page, int text, const TextTable& texts, RECT place, DWORD style);
  void AddColourButton(HWND page, int id, int x, int y);
  std::vector<HWND> AddPages(int tabs, std::span<const std::string> titles);
  void ShowSelectedPage(int tabs);
  void BuildPreview(const TextTable& texts);
  void BuildProgressPage(HWND page, const TextTable& texts);
  void BuildUrgencyPage(HWND page, const TextTable& texts);
  void BuildFontsPage(HWND page, const TextTable& texts);
  LRESULT DrawPreviewRow(NMTVCUSTOMDRAW& draw) const;

  UniqueLibrary rich_edit_;
  UniqueWindow window_;
  EventQueue& events_;
  std::array<HWND, kDescriptionPreview + 1> controls_{};
  std::array<std::vector<HWND>, 2> pages_;  // of the tab controls 8 and 9
  ColorButtons colour_buttons_;
  std::array<HTREEITEM, kUrgencyLevels> preview_rows_{};
  std::array<PreviewColours, kUrgencyLevels> preview_colours_{};
  HWND toolbar_ = nullptr;
  UniqueImageList toolbar_images_;
  std::array<std::string, 3> tips_;
  UniqueImageList progress_images_;
  UniqueFont name_font_;
  UniqueFont description_font_;
};

}  // namespace lumvik
