#include "app/main_window_win32.h"

#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

#include "platform/system_library_win32.h"
#include "platform/window_classes_win32.h"
#include "theme/progress_images_win32.h"
#include "theme/row_icons_win32.h"

namespace lumvik {

namespace {

constexpr int kTaskPanelIndex = 0;
constexpr int kCategoryPanelIndex = 1;
constexpr char kMainWindowClass[] = "LumvikMainWindow";
constexpr char kPageClass[] = "LumvikPanelPage";
constexpr char kRichEditClass[] = "RichEdit20A";
constexpr int kToolbarPicture = 48;
constexpr SIZE kMinimumWindowSize{850, 650};
RECT Place(int x, int y, int width, int height) { return {x, y, width, height}; }

void RegisterClasses(HINSTANCE program, WNDPROC main_procedure) {
  RegisterTopWindowClass(program, kMainWindowClass, main_procedure);
  RegisterTabPageClass(program, kPageClass);
}

void SetFont(HWND control, HFONT font) {
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void SetStyleBits(HWND control, LONG_PTR bits) {
  ::SetWindowLongPtrA(control, GWL_STYLE, ::GetWindowLongPtrA(control, GWL_STYLE) | bits);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE program, const TextTable& texts, const Skin& skin,
                       EventQueue& events)
    : rich_edit_(LoadSystemLibrary("riched20.dll")), texts_(texts), skin_(skin), events_(events) {
  RegisterClasses(program, OwnedWindowProcedure<MainWindow, &MainWindow::Receive>);
  // Children are left out of the window's own background: the status line,
  // which stands on it directly, keeps its words when the window repaints.
  const DWORD style =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT outer{0, 0, 800, 600};
  ::AdjustWindowRectEx(&outer, style, TRUE, 0);
  window_.reset(::CreateWindowExA(0, kMainWindowClass, "Lumvik :-)", style, 30, 30,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                  nullptr, program, this));
  if (!window_) return;
  gadgets_[kWindowMain] = window_.get();

  HWND tree = AddControl(kGadgetTree, window_.get(), WC_TREEVIEWA, "",
                         WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                         Place(10, 60, 330, 510), WS_EX_CLIENTEDGE);
  SetStyleBits(tree, TVS_EDITLABELS);
  rows_ = std::make_unique<TreeRowView>(tree);
  rows_->SetTreeReplaced([this](HWND replacement) {
    // The focus comes back to the tree shown when the window is active again.
    if (focus_before_ == gadgets_[kGadgetTree]) focus_before_ = replacement;
    gadgets_[kGadgetTree] = replacement;
    events_.SetControlKeys(replacement, tree_keys_.get());
  });
  drag_ = std::make_unique<RowDrag>(window_.get(), *rows_);

  BuildCategoryPanel(skin);
  ApplyTexts(texts);
  BuildTreeImages(skin);
  BuildPopupMenus(texts);
  if (!BuildToolbar(texts, skin)) {
    window_.reset();
    return;
  }
  BuildMenuBar(texts);
  AddControl(kGadgetStatusLine, window_.get(), "STATIC", "", WS_VISIBLE | SS_LEFTNOWORDWRAP,
             Place(10, 574, 780, 20));
  SetClientSize(800, 600);  // the menu bar takes its room from the frame
  BuildAccelerators();
}

MainWindow::~MainWindow() {
  // The window goes first, while the rows and pictures it shows still exist,
  // and tells nobody about its end.
  if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
  window_.reset();
}

HWND MainWindow::Gadget(int number) {
  if (number < 0 || number >= static_cast<int>(gadgets_.size())) return nullptr;
  if (gadgets_[number] == nullptr &&
      std::find(std::begin(kTaskPanelGadgets), std::end(kTaskPanelGadgets), number) !=
          std::end(kTaskPanelGadgets)) {
    BuildTaskPanel();
  }
  return gadgets_[number];
}

void MainWindow::ShowGadget(int number, bool shown) {
  if (!shown &&
      (number < 0 || number >= static_cast<int>(gadgets_.size()) || gadgets_[number] == nullptr)) {
    return;
  }
  ::ShowWindow(Gadget(number), shown ? SW_SHOW : SW_HIDE);
}

std::vector<HWND>& MainWindow::PagesOf(int panel) {
  return pages_[panel == kGadgetTaskPanel ? kTaskPanelIndex : kCategoryPanelIndex];
}

HMENU MainWindow::Popup(int number) const {
  if (number == kMenuCategoryPopup) return category_popup_.get();
  if (number == kMenuTaskPopup) return task_popup_.get();
  return nullptr;
}

HWND MainWindow::AddControl(int number, HWND parent, const char* window_class,
                            const std::string& text, DWORD style, RECT place, DWORD ex_style) {
  HWND control = ::CreateWindowExA(
      ex_style, window_class, text.c_str(), WS_CHILD | style, place.left, place.top, place.right,
      place.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  SetFont(control, static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  if (number > 0 && number < static_cast<int>(gadgets_.size())) gadgets_[number] = control;
  return control;
}

HWND MainWindow::AddPage(int panel) {
  HWND tab = gadgets_[panel];
  std::vector<HWND>& pages = PagesOf(panel);
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  char empty[] = "";
  item.pszText = empty;
  ::SendMessageA(tab, TCM_INSERTITEMA, pages.size(), reinterpret_cast<LPARAM>(&item));
  HWND page = ::CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "",
                                WS_CHILD | WS_CLIPSIBLINGS | (pages.empty() ? WS_VISIBLE : 0), 0, 0,
                                0, 0, tab, nullptr, nullptr, nullptr);
  pages.push_back(page);
  return page;
}

void MainWindow::SelectPage(int panel) {
  const std::vector<HWND>& pages = PagesOf(panel);
  const LRESULT selected = ::SendMessageA(gadgets_[panel], TCM_GETCURSEL, 0, 0);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    ::ShowWindow(pages[i], static_cast<LRESULT>(i) == selected ? SW_SHOW : SW_HIDE);
  }
}

void MainWindow::ShowPanelPageOf(int gadget) {
  HWND control = Gadget(gadget);
  if (control == nullptr) return;
  HWND page = ::GetParent(control);
  for (int panel : {kGadgetTaskPanel, kGadgetCategoryPanel}) {
    const std::vector<HWND>& pages = PagesOf(panel);
    for (std::size_t i = 0; i < pages.size(); ++i) {
      if (pages[i] != page) continue;
      ::SendMessageA(gadgets_[panel], TCM_SETCURSEL, i, 0);
      SelectPage(panel);
    }
  }
}

void MainWindow::PlacePanel(int panel, int x, int y, int width, int height) {
  if (panel == kGadgetTaskPanel) {
    task_panel_place_ = Place(x, y, width, height);
    if (gadgets_[panel] == nullptr) return;  // taken when the panel is made
  }
  HWND tab = Gadget(panel);
  ::MoveWindow(tab, x, y, width, height, TRUE);
  RECT inside{0, 0, width, height};
  ::SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inside));
  for (HWND page : PagesOf(panel)) {
    ::MoveWindow(page, inside.left, inside.top, inside.right - inside.left,
                 inside.bottom - inside.top, TRUE);
  }
}

// Texts of the panels' captions, shown again after a change of language.
struct GadgetText {
  int gadget;
  int text;
};
constexpr GadgetText kGadgetTexts[] = {
    {kGadgetTaskDescriptionCaption, 9},
    {kGadgetTaskProgressCaption, 66},
    {kGadgetStatusCaption, 26},
    {kGadgetImportanceCaption, 27},
    {kGadgetStartDateCaption, 28},
    {kGadgetDueDateCaption, 29},
    {kGadgetCategoryDescriptionCaption, 9},
    {kGadgetCategoryProgressCaption, 66},
};
constexpr int kTaskPageTexts[] = {99, 100};
constexpr int kCategoryPageTexts[] = {101};
constexpr int kFirstStatusText = 16;
constexpr int kFirstImportanceText = 21;

void MainWindow::AddDescriptionBox(int number, HWND page, DWORD state, const Skin& skin) {
  HWND box =
      AddControl(number, page, kRichEditClass, "",
                 state | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                 Place(5, 45, 425, 380), WS_EX_CLIENTEDGE);
  SetFont(box, skin.fonts[kFontDescription].get());
  const LRESULT mask = ::SendMessageA(box, EM_GETEVENTMASK, 0, 0);
  ::SendMessageA(box, EM_SETEVENTMASK, 0, mask | ENM_CHANGE);
}

void MainWindow::AddProgressControls(int caption, int slider, int value, HWND page, DWORD state) {
  AddControl(caption, page, WC_STATICA, "", state, Place(20, 440, 80, 30));
  HWND bar = AddControl(slider, page, TRACKBAR_CLASSA, "",
                        state | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, Place(100, 435, 250, 30));
  ::SendMessageA(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  AddControl(value, page, WC_STATICA, "0 %", state | SS_CENTER, Place(360, 435, 40, 20),
             WS_EX_STATICEDGE);
}

// The panel starts hidden, so it waits until something first asks for it or
// for one of its controls: the first window shows sooner.
void MainWindow::BuildTaskPanel() {
  // Tab and Shift+Tab go through the controls of the shown page.
  HWND panel = AddControl(kGadgetTaskPanel, window_.get(), WC_TABCONTROLA, "", WS_CLIPCHILDREN,
                          Place(0, 0, 0, 0), WS_EX_CONTROLPARENT);
  if (panel == nullptr) return;
  // Next to the tree in the order of the window's controls, where it was
  // made before the category panel.
  ::SetWindowPos(panel, gadgets_[kGadgetTree], 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  AddPage(kGadgetTaskPanel);
  AddPage(kGadgetTaskPanel);
  PlacePanel(kGadgetTaskPanel, task_panel_place_.left, task_panel_place_.top,
             task_panel_place_.right, task_panel_place_.bottom);
  // Every control of the task panel starts hidden, as the panel does.
  const std::vector<HWND>& pages = PagesOf(kGadgetTaskPanel);
  HWND first = pages[0];
  HWND name = AddControl(kGadgetTaskName, first, WC_STATICA, "", 0, Place(5, 5, 440, 20));
  SetFont(name, skin_.fonts[kFontName].get());
  AddControl(kGadgetTaskDescriptionCaption, first, WC_STATICA, "", 0, Place(5, 25, 440, 20));
  AddDescriptionBox(kGadgetTaskDescription, first, 0, skin_);
  AddProgressControls(kGadgetTaskProgressCaption, kGadgetTaskProgress, kGadgetTaskProgressValue,
                      first, 0);

  HWND second = pages[1];
  AddControl(kGadgetStatusCaption, second, WC_STATICA, "", 0, Place(25, 15, 140, 20));
  AddControl(kGadgetImportanceCaption, second, WC_STATICA, "", 0, Place(25, 40, 140, 20));
  AddControl(kGadgetStatusList, second, WC_COMBOBOXA, "",
             WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, Place(180, 10, 220, 100));
  AddControl(kGadgetImportanceList, second, WC_COMBOBOXA, "",
             WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, Place(180, 35, 220, 100));
  AddControl(kGadgetStartDateCaption, second, WC_STATICA, "", 0, Place(25, 65, 140, 20));
  AddControl(kGadgetDueDateCaption, second, WC_STATICA, "", 0, Place(25, 255, 140, 20));
  for (const auto& [calendar, top] :
       {std::pair{kGadgetStartDate, 65}, std::pair{kGadgetDueDate, 255}}) {
    HWND month = AddControl(calendar, second, MONTHCAL_CLASSA, "", WS_TABSTOP | WS_BORDER,
                            Place(180, top, 200, 170));
    // Wider when the font needs it, so that the whole week and both month
    // arrows show.
    RECT needed{};
    if (::SendMessageA(month, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed)) &&
        needed.right - needed.left > 200) {
      ::SetWindowPos(month, nullptr, 0, 0, needed.right - needed.left, 170,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  ApplyTexts(texts_);
}

void MainWindow::BuildCategoryPanel(const Skin& skin) {
  AddControl(kGadgetCategoryPanel, window_.get(), WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPCHILDREN,
             Place(350, 60, 440, 500), WS_EX_CONTROLPARENT);
  // Greyed but visible until a category is shown.
  const DWORD greyed = WS_VISIBLE | WS_DISABLED;
  HWND page = AddPage(kGadgetCategoryPanel);
  HWND name = AddControl(kGadgetCategoryName, page, WC_STATICA, "", greyed, Place(5, 5, 440, 20));
  SetFont(name, skin.fonts[kFontName].get());
  AddControl(kGadgetCategoryDescriptionCaption, page, WC_STATICA, "", greyed,
             Place(5, 25, 440, 20));
  AddDescriptionBox(kGadgetCategoryDescription, page, greyed, skin);
  AddProgressControls(kGadgetCategoryProgressCaption, kGadgetCategoryProgress,
                      kGadgetCategoryProgressValue, page, greyed);
  PlacePanel(kGadgetCategoryPanel, 350, 60, 440, 500);
}

void MainWindow::ApplyTexts(const TextTable& texts) {
  for (const GadgetText& caption : kGadgetTexts) {
    if (HWND control = gadgets_[caption.gadget]) {
      ::SetWindowTextA(control, texts[caption.text].c_str());
    }
  }
  SetPageCaptions(kGadgetTaskPanel, kTaskPageTexts, texts);
  SetPageCaptions(kGadgetCategoryPanel, kCategoryPageTexts, texts);
  FillList(kGadgetStatusList, kFirstStatusText, texts);
  FillList(kGadgetImportanceList, kFirstImportanceText, texts);
}

void MainWindow::SetPageCaptions(int panel, std::span<const int> page_texts,
                                 const TextTable& texts) {
  if (gadgets_[panel] == nullptr) return;
  for (std::size_t i = 0; i < page_texts.size(); ++i) {
    std::string caption = texts[page_texts[i]];
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    ::SendMessageA(gadgets_[panel], TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

// The five choices of a list, texts first_text to first_text + 4, keeping
// the chosen one.
void MainWindow::FillList(int list, int first_text, const TextTable& texts) {
  HWND control = gadgets_[list];
  if (control == nullptr) return;
  const LRESULT chosen = ::SendMessageA(control, CB_GETCURSEL, 0, 0);
  ::SendMessageA(control, CB_RESETCONTENT, 0, 0);
  for (int text = first_text; text < first_text + 5; ++text) {
    ::SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[text].c_str()));
  }
  ::SendMessageA(control, CB_SETCURSEL, chosen, 0);
}

void MainWindow::BuildTreeImages(const Skin& skin) {
  HWND tree = gadgets_[kGadgetTree];
  std::array<HICON, kTreeIconCount> icons{};
  for (int slot = 0; slot < kTreeIconCount; ++slot) icons[slot] = skin.icons[slot].get();
  progress_images_ = BuildProgressImages(tree, skin.theme, skin.fonts[kFontProgressLabel].get());
  row_icons_ = BuildRowIcons(tree, icons);
}

bool MainWindow::BuildToolbar(const TextTable& texts, const Skin& skin) {
  if (toolbar_ != nullptr) ::DestroyWindow(toolbar_);
  toolbar_ = AddControl(kToolbar, window_.get(), toolbar_class_, "",
                        WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_TOP, Place(0, 0, 0, 0));
  if (toolbar_ == nullptr) return false;
  ::SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  toolbar_images_.reset(
      ::ImageList_Create(kToolbarPicture, kToolbarPicture, ILC_COLOR32 | ILC_MASK, 7, 0));
  ::SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbar_images_.get()));
  ::SendMessageA(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kToolbarPicture, kToolbarPicture));

  struct Button {
    int command;  // 0 for a separator
    int text;
  };
  constexpr Button kButtons[] = {{kCmdToolNew, 1},
                                 {kCmdToolOpen, 2},
                                 {kCmdToolSave, 3},
                                 {kCmdToolSaveAs, 4},
                                 {0, 0},
                                 {kCmdMoveUp, 85},
                                 {kCmdMoveDown, 86},
                                 {kCmdDeleteAsking, 87},
                                 {0, 0}};
  if (toolbar_images_) {
    int slot = kFirstToolbarSlot;
    for (const Button& button : kButtons) {
      TBBUTTON item{};
      if (button.command == 0) {
        item.fsStyle = BTNS_SEP;
      } else {
        HICON icon = skin.icons[slot++].get();
        // A button whose picture is missing keeps its place, empty.
        const int picture = icon != nullptr ? AppendIconPicture(toolbar_images_.get(), icon) : -1;
        item.iBitmap = picture >= 0 ? picture : I_IMAGENONE;
        item.idCommand = button.command;
        item.fsState = TBSTATE_ENABLED;
        item.fsStyle = BTNS_BUTTON;
        tips_[button.command] = texts[button.text];
      }
      ::SendMessageA(toolbar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&item));
    }
  }
  ::SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
  return true;
}

void MainWindow::ApplyFonts(const Skin& skin) {
  for (int name : {kGadgetCategoryName, kGadgetTaskName}) {
    if (gadgets_[name] == nullptr) continue;
    SetFont(gadgets_[name], skin.fonts[kFontName].get());
    ::InvalidateRect(gadgets_[name], nullptr, TRUE);
  }
  for (int box : {kGadgetCategoryDescription, kGadgetTaskDescription}) {
    if (gadgets_[box] != nullptr) SetFont(gadgets_[box], skin.fonts[kFontDescription].get());
  }
}

void MainWindow::SetTreeWidth(int width) {
  HWND tree = gadgets_[kGadgetTree];
  RECT place{};
  ::GetWindowRect(tree, &place);
  ::MapWindowPoints(nullptr, window_.get(), reinterpret_cast<POINT*>(&place), 2);
  ::MoveWindow(tree, place.left, place.top, width, place.bottom - place.top, TRUE);
}

void MainWindow::PlaceStatusLine() {
  const SIZE inside = ClientSize();
  ::MoveWindow(gadgets_[kGadgetStatusLine], 10, inside.cy - 26, inside.cx - 20, 20, TRUE);
}

SIZE MainWindow::ClientSize() const {
  RECT inside{};
  ::GetClientRect(window_.get(), &inside);
  return {inside.right - inside.left, inside.bottom - inside.top};
}

void MainWindow::SetClientSize(int width, int height) {
  HWND window = window_.get();
  RECT outer{}, inside{};
  ::GetWindowRect(window, &outer);
  ::GetClientRect(window, &inside);
  // The frame, the title and the menu bar (however many lines it takes)
  // stay as they are around the new inner size.
  const int frame_width = (outer.right - outer.left) - inside.right;
  const int frame_height = (outer.bottom - outer.top) - inside.bottom;
  ::SetWindowPos(window, nullptr, 0, 0, width + frame_width, height + frame_height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int MainWindow::GadgetNumber(HWND control) const {
  for (std::size_t number = kGadgetTree; number < gadgets_.size(); ++number) {
    if (gadgets_[number] == control && control != nullptr) return static_cast<int>(number);
  }
  return 0;
}

void MainWindow::Post(EventKind kind, int gadget, int command, GadgetAction action) {
  Event event;
  event.kind = kind;
  event.window = kWindowMain;
  event.gadget = gadget;
  event.command = command;
  event.action = action;
  ::GetCursorPos(&event.cursor);
  events_.Post(event);
}

LRESULT MainWindow::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  if (hook_) {
    if (const std::optional<LRESULT> result = hook_(window_.get(), message, wparam, lparam)) {
      return *result;
    }
  }
  return Handle(message, wparam, lparam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = window_.get();
  switch (message) {
    case WM_COMMAND: {
      const int code = HIWORD(wparam);
      HWND control = reinterpret_cast<HWND>(lparam);
      if (control == nullptr || control == toolbar_) {
        // Menu items and shortcuts, and the toolbar's buttons.
        Post(EventKind::Menu, 0, LOWORD(wparam));
      } else if (code == CBN_SELCHANGE) {
        Post(EventKind::Gadget, GadgetNumber(control), 0);
      }
      return 0;
    }
    case WM_HSCROLL:
      if (const int gadget = GadgetNumber(reinterpret_cast<HWND>(lparam)); gadget != 0) {
        Post(EventKind::Gadget, gadget, 0,
             LOWORD(wparam) == TB_ENDTRACK ? GadgetAction::Released : GadgetAction::Other);
      }
      return 0;
    case WM_NOTIFY:
      return HandleNotify(*reinterpret_cast<NMHDR*>(lparam), lparam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      if (drag_->dragging()) {
        POINT screen{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        ::ClientToScreen(window, &screen);
        if (message == WM_MOUSEMOVE) {
          drag_->Move(screen);
        } else if ((drop_ = drag_->Finish(screen))) {
          Post(EventKind::Gadget, kGadgetTree, 0, GadgetAction::Dropped);
        }
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      drag_->Cancel();
      return 0;
    case WM_CLOSE:
      Post(EventKind::CloseWindow, 0, 0);
      return 0;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) Post(EventKind::SizeWindow, 0, 0);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        // As a dialog box does, the window gives the focus back to the
        // control that had it when it is active again.
        HWND focus = ::GetFocus();
        focus_before_ = ::IsChild(window, focus) ? focus : nullptr;
        break;
      }
      Post(EventKind::ActivateWindow, 0, 0);
      if (HIWORD(wparam) == 0 && focus_before_ != nullptr && ::IsWindow(focus_before_) &&
          ::IsChild(window, focus_before_)) {
        ::SetFocus(focus_before_);
        return 0;
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

LRESULT MainWindow::HandleNotify(NMHDR& header, LPARAM lparam) {
  const int gadget = GadgetNumber(header.hwndFrom);
  if (gadget == kGadgetTree) {
    switch (header.code) {
      case NM_CUSTOMDRAW:
        return rows_->OnCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(lparam));
      case NM_CLICK:
        Post(EventKind::Gadget, gadget, 0, GadgetAction::LeftClick);
        return 0;
      case NM_RCLICK:
        Post(EventKind::Gadget, gadget, 0, GadgetAction::RightClick);
        return 1;  // the pop-up menu is the program's own
      case NM_DBLCLK:
        Post(EventKind::Gadget, gadget, 0, GadgetAction::DoubleClick);
        return 0;
      case TVN_SELCHANGEDA:
        // Handled once the command that moved it has finished with the rows.
        Post(EventKind::Gadget, gadget, 0, GadgetAction::Selected);
        return 0;
      case TVN_BEGINDRAGA:
        drag_->Begin(*reinterpret_cast<const NMTREEVIEWA*>(lparam));
        return 0;
      case TVN_ITEMEXPANDINGA:
        rows_->OnItemExpanding(*reinterpret_cast<const NMTREEVIEWA*>(lparam));
        return FALSE;
      case TVN_ITEMEXPANDEDA:
        rows_->OnItemExpanded(*reinterpret_cast<const NMTREEVIEWA*>(lparam));
        return 0;
      default:
        return 0;
    }
  }
  if (gadget == kGadgetTaskPanel || gadget == kGadgetCategoryPanel) {
    if (header.code == TCN_SELCHANGE) SelectPage(gadget);
    return 0;
  }
  if ((header.code == MCN_SELCHANGE || header.code == MCN_SELECT) &&
      (gadget == kGadgetStartDate || gadget == kGadgetDueDate)) {
    Post(EventKind::Gadget, gadget, 0,
         header.code == MCN_SELECT ? GadgetAction::Picked : GadgetAction::Other);
    return 0;
  }
  if (header.code == TTN_GETDISPINFOA) {
    // The toolbar's tips, by button.
    auto& tip = *reinterpret_cast<NMTTDISPINFOA*>(lparam);
    const UINT_PTR command = header.idFrom;
    if (command < tips_.size()) tip.lpszText = tips_[command].data();
    return 0;
  }
  return ::DefWindowProcA(window_.get(), WM_NOTIFY, header.idFrom, lparam);
}

}  // namespace lumvik
