#include "themeeditor/editor_window_win32.h"

#include <utility>

#include "platform/dialog_keys_win32.h"
#include "platform/system_library_win32.h"
#include "platform/window_classes_win32.h"
#include "themeeditor/theme_edits.h"

namespace lumvik {

namespace {

constexpr char kEditorClass[] = "SkinwrightEditor";
constexpr char kPageClass[] = "SkinwrightPage";
constexpr char kRichEditClass[] = "RichEdit20A";
constexpr int kClientWidth = 550;
constexpr int kClientHeight = 650;
constexpr int kToolbarPicture = 48;
constexpr int kPageTabsIndex = 0;
constexpr int kUrgencyTabsIndex = 1;
constexpr int kFirstUrgencyText = 21;

RECT Place(int x, int y, int width, int height) { return {x, y, width, height}; }

void RegisterClasses(HINSTANCE program, WNDPROC editor_procedure) {
  RegisterTopWindowClass(program, kEditorClass, editor_procedure);
  RegisterTabPageClass(program, kPageClass);
}

void SetFont(HWND control, HFONT font) {
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HFONT GuiFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

EditorWindow::EditorWindow(HINSTANCE program, const TextTable& texts,
                           std::span<const std::string> themes, EventQueue& events)
    : rich_edit_(LoadSystemLibrary("riched20.dll")), events_(events) {
  RegisterClasses(program, OwnedWindowProcedure<EditorWindow, &EditorWindow::Handle>);
  // Not clipping its children: the window paints the ground inside the group box.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT outer{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&outer, style, FALSE, 0);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  window_.reset(::CreateWindowExA(0, kEditorClass, texts[112].c_str(), style,
                                  (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                  nullptr, nullptr, program, this));
  if (!window_) return;
  HWND window = window_.get();

  AddControl(kGroupBox, window, "BUTTON", "", WS_VISIBLE | BS_GROUPBOX, Place(10, 60, 530, 530));
  AddLabel(kSelectorLabel, window, 95, texts, Place(30, 80, 400, 30), 0);
  HWND selector =
      AddControl(kThemeSelector, window, WC_COMBOBOXA, "",
                 WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, Place(140, 75, 290, 200));
  for (const std::string& name : themes) AppendItem(name);
  ::SendMessageA(selector, CB_SETCURSEL, 0, 0);
  BuildPreview(texts);
  // The group box frames the controls and the selector's label reaches under
  // the selector: both lie below everything else, so that nothing is hidden.
  for (int id : {kSelectorLabel, kGroupBox}) {
    ::SetWindowPos(controls_[id], HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

EditorWindow::~EditorWindow() {
  // The window goes first, while the pictures and fonts it shows still
  // exist, and tells nobody about its end.
  if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
  window_.reset();
}

HWND EditorWindow::Control(int id) const {
  return id >= 0 && id < static_cast<int>(controls_.size()) ? controls_[id] : nullptr;
}

HWND EditorWindow::AddControl(int id, HWND parent, const char* window_class,
                              const std::string& text, DWORD style, RECT place, DWORD ex_style) {
  HWND control = ::CreateWindowExA(
      ex_style, window_class, text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, place.left,
      place.top, place.right, place.bottom, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  SetFont(control, GuiFont());
  if (id > 0 && id < static_cast<int>(controls_.size())) controls_[id] = control;
  return control;
}

HWND EditorWindow::AddLabel(int id, HWND page, int text, const TextTable& texts, RECT place,
                            DWORD style) {
  return AddControl(id, page, WC_STATICA, texts[text], WS_VISIBLE | style, place);
}

// The pages of a tab control, each a window over the control's display area.
std::vector<HWND> EditorWindow::AddPages(int tabs, std::span<const std::string> titles) {
  HWND control = controls_[tabs];
  RECT inside{};
  ::GetClientRect(control, &inside);
  std::vector<HWND> pages;
  for (std::size_t k = 0; k < titles.size(); ++k) {
    std::string caption = titles[k];
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    ::SendMessageA(control, TCM_INSERTITEMA, k, reinterpret_cast<LPARAM>(&item));
  }
  ::SendMessageA(control, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inside));
  for (std::size_t k = 0; k < titles.size(); ++k) {
    pages.push_back(::CreateWindowExA(
        WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_CLIPSIBLINGS | (k == 0 ? WS_VISIBLE : 0),
        inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top, control,
        nullptr, reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(control, GWLP_HINSTANCE)),
        nullptr));
  }
  pages_[tabs == kPageTabs ? kPageTabsIndex : kUrgencyTabsIndex] = pages;
  return pages;
}

void EditorWindow::ShowSelectedPage(int tabs) {
  const std::vector<HWND>& pages = pages_[tabs == kPageTabs ? kPageTabsIndex : kUrgencyTabsIndex];
  const LRESULT selected = ::SendMessageA(controls_[tabs], TCM_GETCURSEL, 0, 0);
  for (std::size_t k = 0; k < pages.size(); ++k) {
    ::ShowWindow(pages[k], static_cast<LRESULT>(k) == selected ? SW_SHOW : SW_HIDE);
  }
}

void EditorWindow::BuildPreview(const TextTable& texts) {
  HWND window = window_.get();
  HWND tree = AddControl(kPreviewTree, window, WC_TREEVIEWA, "", WS_VISIBLE,
                         Place(30, 130, 490, 90), WS_EX_CLIENTEDGE);
  for (int row = 0; row < kUrgencyLevels; ++row) {
    std::string text = texts[kFirstUrgencyText + row];
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.lParam = row;
    preview_rows_[row] = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }

  // Tab and Shift+Tab go through the pages' controls as well.
  AddControl(kPageTabs, window, WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPCHILDREN,
             Place(30, 335, 490, 240), WS_EX_CONTROLPARENT);
  std::string urgency_title = UrgencyPageTitle(texts[27]);
  const std::string titles[] = {texts[66], urgency_title, texts[113]};
  const std::vector<HWND> pages = AddPages(kPageTabs, titles);
  BuildProgressPage(pages[0], texts);
  BuildUrgencyPage(pages[1], texts);
  BuildFontsPage(pages[2], texts);

  AddLabel(kNamePreview, window, 109, texts, Place(30, 230, 490, 20), SS_SUNKEN);
  AddControl(kDescriptionPreview, window, kRichEditClass, texts[110],
             WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, Place(30, 260, 490, 60),
             WS_EX_CLIENTEDGE);
  AddControl(kQuitButton, window, "BUTTON", texts[50], WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
             Place(405, 605, 125, 35));
}

// All black until the first refresh.
void EditorWindow::AddColourButton(HWND page, int id, int x, int y) {
  controls_[id] = colour_buttons_.CreateColorButton(page, id, x, y, 80, 80, 0);
}

void EditorWindow::BuildProgressPage(HWND page, const TextTable& texts) {
  AddColourButton(page, kProgressBackgroundButton, 10, 20);
  AddLabel(kFirstProgressLabel, page, 80, texts, Place(100, 50, 140, 20), SS_CENTER);
  AddColourButton(page, kProgressBarButton, 10, 120);
  AddLabel(kFirstProgressLabel + 1, page, 81, texts, Place(100, 150, 140, 20), SS_CENTER);
  AddColourButton(page, kProgressTextButton, 250, 20);
  AddLabel(kFirstProgressLabel + 2, page, 82, texts, Place(340, 50, 140, 20), SS_CENTER);
  AddControl(kLabelFontButton, page, "BUTTON", "",
             WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, Place(250, 120, 80, 80));
  AddLabel(kFirstProgressLabel + 3, page, 83, texts, Place(340, 150, 140, 20), SS_CENTER);
}

void EditorWindow::BuildUrgencyPage(HWND page, const TextTable& texts) {
  AddControl(kUrgencyTabs, page, WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPCHILDREN,
             Place(5, 5, 475, 205), WS_EX_CONTROLPARENT);
  std::vector<std::string> titles;
  for (int level = 0; level < kUrgencyLevels; ++level) {
    titles.push_back(texts[kFirstUrgencyText + level]);
  }
  const std::vector<HWND> pages = AddPages(kUrgencyTabs, titles);
  for (int level = 0; level < kUrgencyLevels; ++level) {
    const int button = kFirstUrgencyButton + 2 * level;
    const int label = kFirstUrgencyLabel + 2 * level;
    AddColourButton(pages[level], button, 10, 10);
    AddLabel(label, pages[level], 80, texts, Place(100, 40, 140, 20), SS_CENTER);
    AddColourButton(pages[level], button + 1, 10, 90);
    AddLabel(label + 1, pages[level], 82, texts, Place(100, 120, 140, 20), SS_CENTER);
  }
}

void EditorWindow::BuildFontsPage(HWND page, const TextTable& texts) {
  const std::string face(kDefaultFace);
  const DWORD button = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE;
  AddControl(kNameFontButton, page, "BUTTON", face, button, Place(10, 20, 80, 80));
  AddLabel(kNameFontLabel, page, 114, texts, Place(100, 50, 300, 20), 0);
  AddControl(kDescriptionFontButton, page, "BUTTON", face, button, Place(10, 120, 80, 80));
  AddLabel(kDescriptionFontLabel, page, 115, texts, Place(100, 150, 300, 20), 0);
}

bool EditorWindow::BuildToolbar(const TextTable& texts, const ToolbarPictures& pictures) {
  toolbar_ = AddControl(kEditorToolbar, window_.get(), TOOLBARCLASSNAMEA, "",
                        WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_TOP, Place(0, 0, 0, 0));
  if (toolbar_ == nullptr) return false;
  ::SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageA(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kToolbarPicture, kToolbarPicture));
  ::SendMessageA(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kToolbarPicture, kToolbarPicture));
  toolbar_images_.reset(
      ::ImageList_Create(kToolbarPicture, kToolbarPicture, ILC_COLOR32 | ILC_MASK, 3, 0));
  int width = 0;
  int height = 0;
  if (toolbar_images_ && ::ImageList_GetIconSize(toolbar_images_.get(), &width, &height) &&
      width == kToolbarPicture && height == kToolbarPicture) {
    ::SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbar_images_.get()));
    constexpr int kCommands[] = {kCmdNewTheme, kCmdSaveTheme, kCmdReloadTheme};
    constexpr int kTips[] = {1, 3, 96};
    for (std::size_t k = 0; k < std::size(kCommands); ++k) {
      TBBUTTON item{};
      // A button whose picture is missing keeps its place, empty.
      item.iBitmap = pictures[k] != nullptr
                         ? ::ImageList_AddIcon(toolbar_images_.get(), pictures[k])
                         : I_IMAGENONE;
      item.idCommand = kCommands[k];
      item.fsState = TBSTATE_ENABLED;
      item.fsStyle = BTNS_BUTTON;
      tips_[k] = texts[kTips[k]];
      ::SendMessageA(toolbar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&item));
    }
  }
  ::SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
  return true;
}

std::string EditorWindow::SelectorText() const {
  HWND selector = controls_[kThemeSelector];
  const LRESULT item = ::SendMessageA(selector, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return {};
  const LRESULT length = ::SendMessageA(selector, CB_GETLBTEXTLEN, item, 0);
  if (length == CB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  ::SendMessageA(selector, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int EditorWindow::SelectedItem() const {
  return static_cast<int>(::SendMessageA(controls_[kThemeSelector], CB_GETCURSEL, 0, 0));
}

void EditorWindow::AppendItem(const std::string& text) {
  ::SendMessageA(controls_[kThemeSelector], CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void EditorWindow::SetItem(int item, const std::string& text) {
  HWND selector = controls_[kThemeSelector];
  const int selected = SelectedItem();
  ::SendMessageA(selector, CB_DELETESTRING, item, 0);
  ::SendMessageA(selector, CB_INSERTSTRING, item, reinterpret_cast<LPARAM>(text.c_str()));
  ::SendMessageA(selector, CB_SETCURSEL, selected, 0);
}

void EditorWindow::SelectItem(int item) {
  ::SendMessageA(controls_[kThemeSelector], CB_SETCURSEL, item, 0);
}

void EditorWindow::SetPreviewColours(int row, PreviewColours colours) {
  preview_colours_[row] = colours;
  ::InvalidateRect(controls_[kPreviewTree], nullptr, TRUE);
}

void EditorWindow::ShowPreviewFonts(UniqueFont name, UniqueFont description) {
  // The controls take the new fonts before the old ones go.
  SetFont(controls_[kNamePreview], name.get());
  SetFont(controls_[kDescriptionPreview], description.get());
  name_font_ = std::move(name);
  description_font_ = std::move(description);
}

LRESULT EditorWindow::DrawPreviewRow(NMTVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const LPARAM row = draw.nmcd.lItemlParam;
      if (row >= 0 && row < kUrgencyLevels) {
        draw.clrText = AsColorRef(preview_colours_[row].text);
        draw.clrTextBk = AsColorRef(preview_colours_[row].background);
      }
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

void EditorWindow::Post(EventKind kind, int gadget, int command) {
  Event event;
  event.kind = kind;
  event.gadget = gadget;
  event.command = command;
  ::GetCursorPos(&event.cursor);
  events_.Post(event);
}

LRESULT EditorWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      HWND control = reinterpret_cast<HWND>(lparam);
      const int id = LOWORD(wparam);
      if (control != nullptr && control == toolbar_) {
        Post(EventKind::Menu, 0, id);
      } else if (control != nullptr && control == Control(id)) {
        if ((id == kThemeSelector && HIWORD(wparam) == CBN_SELCHANGE) ||
            (id != kThemeSelector && HIWORD(wparam) == BN_CLICKED)) {
          Post(EventKind::Gadget, id, 0);
        }
      }
      return 0;
    }
    case WM_NOTIFY:
      return HandleNotify(*reinterpret_cast<const NMHDR*>(lparam), lparam);
    case WM_CLOSE:
      Post(EventKind::CloseWindow, 0, 0);
      return 0;
    case DM_GETDEFID:
      // Enter presses the button that holds the focus, and nothing else.
      return DefaultButtonReply(window_.get(), 0);
    default:
      return ::DefWindowProcA(window_.get(), message, wparam, lparam);
  }
}

LRESULT EditorWindow::HandleNotify(const NMHDR& header, LPARAM lparam) {
  if (header.hwndFrom == Control(kPreviewTree) && header.code == static_cast<UINT>(NM_CUSTOMDRAW)) {
    return DrawPreviewRow(*reinterpret_cast<NMTVCUSTOMDRAW*>(lparam));
  }
  if (header.code == static_cast<UINT>(TCN_SELCHANGE)) {
    for (int tabs : {kPageTabs, kUrgencyTabs}) {
      if (header.hwndFrom == Control(tabs)) ShowSelectedPage(tabs);
    }
    return 0;
  }
  if (header.code == TTN_GETDISPINFOA) {
    // The toolbar's tips, by button.
    auto& tip = *reinterpret_cast<NMTTDISPINFOA*>(lparam);
    const UINT_PTR command = header.idFrom;
    if (command >= kCmdNewTheme && command <= kCmdReloadTheme) {
      tip.lpszText = tips_[command - kCmdNewTheme].data();
    }
    return 0;
  }
  return ::DefWindowProcA(window_.get(), WM_NOTIFY, header.idFrom, lparam);
}

}  // namespace lumvik
