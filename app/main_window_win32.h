// Lumvik's main window: the tree view, the two property panels, the menu
// bar, the two pop-up menus of the tree, the toolbar and the shortcuts. Its
// window procedure turns messages into events of the queue, after the hook
// of the program has seen them.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/row_drag_win32.h"
#include "app/skin_win32.h"
#include "app/tree_view_win32.h"
#include "config/object_numbers.h"
#include "config/text_table.h"
#include "config/view_settings.h"
#include "platform/event_queue_win32.h"
#include "platform/window_owners_win32.h"
#include "theme/gdi_owners_win32.h"

namespace lumvik {

// The task panel and the controls on its pages, all made when one of them
// is first asked for.
inline constexpr int kTaskPanelGadgets[] = {kGadgetTaskPanel,
                                            kGadgetTaskName,
                                            kGadgetTaskDescriptionCaption,
                                            kGadgetTaskDescription,
                                            kGadgetTaskProgressCaption,
                                            kGadgetTaskProgress,
                                            kGadgetTaskProgressValue,
                                            kGadgetStatusCaption,
                                            kGadgetImportanceCaption,
                                            kGadgetStatusList,
                                            kGadgetImportanceList,
                                            kGadgetStartDateCaption,
                                            kGadgetDueDateCaption,
                                            kGadgetStartDate,
                                            kGadgetDueDate};

// Sees every message of the main window first; a result means the message
// was handled, nothing sends it on to the ordinary handling.
using MainWindowHook = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class MainWindow {
 public:
  // Builds the window with everything in it, hidden until Show. Null
  // `window()` when the window or its toolbar cannot be made. `texts` and
  // `skin` are read again when the task panel's controls are made, and
  // must outlive the window.
  MainWindow(HINSTANCE program, const TextTable& texts, const Skin& skin, EventQueue& events);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND window() const { return window_.get(); }
  // A control of the window, made first if it is the task panel or one of
  // its controls.
  HWND Gadget(int number);
  // Whether `control` is that gadget, without making it.
  bool IsGadget(HWND control, int number) const {
    return control != nullptr && control == gadgets_[number];
  }
  // Shows or hides a control; one of the task panel's not made yet stays
  // unmade when hidden (it is made hidden).
  void ShowGadget(int number, bool shown);
  HWND toolbar() const { return toolbar_; }
  HMENU Popup(int number) const;
  // A command of the menu bar usable or greyed.
  void EnableCommand(int command, bool enabled);
  // The View menu's filters ticked as they are on.
  void ShowViewChecks(const ViewSettings& view);
  TreeRowView& rows() { return *rows_; }
  const TreeRowView& rows() const { return *rows_; }
  // The row let go over another, once, after the tree's Dropped event.
  std::optional<RowDrop> TakeDrop() { return std::exchange(drop_, std::nullopt); }
  // A command that may change the rows ends a drag that is going on.
  void CancelRowDrag() { drag_->Cancel(); }
  bool DraggingRow() const { return drag_->dragging(); }

  void SetHook(MainWindowHook hook) { hook_ = std::move(hook); }

  // The two image lists of the tree, built anew from the skin.
  void BuildTreeImages(const Skin& skin);
  // The toolbar built anew with the skin's pictures and the tips' texts;
  // false when it cannot be made.
  bool BuildToolbar(const TextTable& texts, const Skin& skin);
  // The window class the toolbar is made of from then on; a class that does
  // not exist gives a toolbar that cannot be made.
  void SetToolbarClass(const char* window_class) { toolbar_class_ = window_class; }

  // Moves a property panel with its pages.
  void PlacePanel(int panel, int x, int y, int width, int height);
  // Shows the panel page that holds `gadget` (the tab of the panel follows).
  void ShowPanelPageOf(int gadget);

  // The texts of the panels' captions, tabs and lists in the language of `texts`.
  void ApplyTexts(const TextTable& texts);
  // The menu bar and the two pop-up menus built anew in that language.
  void BuildMenus(const TextTable& texts);
  // The File menu's recent documents, newest first, just above Quit.
  void ShowRecentFiles(const std::vector<std::string>& paths);
  // The skin's name font on the panels' name lines, its description font
  // in their description boxes.
  void ApplyFonts(const Skin& skin);
  // The tree keeps its place and height.
  void SetTreeWidth(int width);

  // The inner size of the window.
  SIZE ClientSize() const;
  void SetClientSize(int width, int height);
  // The status line across the bottom of the window, under the tree.
  void PlaceStatusLine();

 private:
  // The hook first, then the window's own handling.
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleNotify(NMHDR& header, LPARAM lparam);
  void Post(EventKind kind, int gadget, int command, GadgetAction action = GadgetAction::Other);
  int GadgetNumber(HWND control) const;

  void BuildTaskPanel();
  void BuildCategoryPanel(const Skin& skin);
  void AddDescriptionBox(int number, HWND page, DWORD state, const Skin& skin);
  void AddProgressControls(int caption, int slider, int value, HWND page, DWORD state);
  void SetPageCaptions(int panel, std::span<const int> page_texts, const TextTable& texts);
  void FillList(int list, int first_text, const TextTable& texts);
  std::vector<HWND>& PagesOf(int panel);
  void BuildPopupMenus(const TextTable& texts);
  void BuildMenuBar(const TextTable& texts);
  void BuildAccelerators();
  HWND AddPage(int panel);
  HWND AddControl(int number, HWND parent, const char* window_class, const std::string& text,
                  DWORD style, RECT place, DWORD ex_style = 0);
  void SelectPage(int panel);

  UniqueLibrary rich_edit_;
  const TextTable& texts_;
  const Skin& skin_;
  UniqueWindow window_;
  EventQueue& events_;
  MainWindowHook hook_;
  std::array<HWND, kGadgetStatusLine + 1> gadgets_{};
  std::array<std::vector<HWND>, 2> pages_;    // task panel, category panel
  RECT task_panel_place_{350, 60, 440, 500};  // left, top, width, height
  std::unique_ptr<TreeRowView> rows_;
  std::unique_ptr<RowDrag> drag_;
  std::optional<RowDrop> drop_;
  HWND toolbar_ = nullptr;
  const char* toolbar_class_ = TOOLBARCLASSNAMEA;
  UniqueImageList toolbar_images_;
  HWND focus_before_ = nullptr;  // the control with the focus when the window was left
  std::array<std::string, kCmdDeleteAsking + 1> tips_;
  bool recent_files_shown_ = false;  // the File menu holds them and their separator
  UniqueMenu category_popup_;
  UniqueMenu task_popup_;
  UniqueAccelerators accelerators_;
  UniqueAccelerators tree_keys_;
  UniqueImageList row_icons_;
  UniqueImageList progress_images_;
};

}  // namespace lumvik
