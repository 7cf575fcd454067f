#include "app/options_window_win32.h"

#include <utility>

#include "app/options_choices.h"
#include "config/language_file.h"
#include "config/text_numbers.h"
#include "document/row_decoration.h"
#include "platform/dialog_keys_win32.h"
#include "platform/text.h"
#include "platform/unique_handle.h"
#include "platform/window_classes_win32.h"
#include "theme/progress_font_win32.h"
#include "theme/progress_images_win32.h"
#include "theme/row_icons_win32.h"
#include "theme/theme_folder_win32.h"
#include "theme/urgency_colours.h"

namespace lumvik {

namespace {

constexpr char kOptionsClass[] = "LumvikOptionsWindow";
constexpr char kPageClass[] = "LumvikOptionsPage";
constexpr SIZE kInsideSize{600, 390};
constexpr int kDroppedListHeight = 200;  // the closed box keeps the system's height
constexpr int kToolbarIconSize = 48;

RECT Place(int x, int y, int width, int height) { return {x, y, width, height}; }

// The skin preview's eight rows: their text (a text number, or a fixed line)
// and the tree icon they show.
struct SkinRow {
  int text;  // 0 for the dashes
  int icon;  // kNoIcon for none
};
constexpr int kNoIcon = kTreeIconCount;  // past the list's end: nothing is drawn
constexpr SkinRow kSkinRows[] = {
    {kTextNewCategory, 1},     {kTextCompletedCategory, 6}, {0, kNoIcon},
    {kTextStatusFirst, 3},     {kTextStatusFirst + 1, 4},   {kTextStatusFirst + 2, 5},
    {kTextStatusFirst + 3, 0}, {kTextStatusFirst + 4, 2},
};
constexpr char kDashes[] = "----------------------------";

// The theme preview's rows show the pictures of 0, 20, 40, 60 and 80 percent.
constexpr std::int16_t kThemeRowProgress[] = {0, 2, 4, 6, 8};

void SetFont(HWND control, HFONT font) {
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::vector<std::string> SkinFolders(const std::string& program_folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  UniqueFind search(::FindFirstFileA((program_folder + "skins\\*").c_str(), &found));
  if (!search) return names;
  do {
    const std::string name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != "." && name != "..") {
      names.push_back(name);
    }
  } while (::FindNextFileA(search.get(), &found));
  return names;
}

HTREEITEM InsertRow(HWND tree, const std::string& text, int row) {
  std::string shown = text;
  TVINSERTSTRUCTA insert{};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = shown.data();
  insert.item.lParam = row;
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

bool Checked(HWND box) { return ::SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

OptionsWindow::OptionsWindow(const OptionsScope& scope) : scope_(scope) {
  RegisterTopWindowClass(scope.program, kOptionsClass,
                         OwnedWindowProcedure<OptionsWindow, &OptionsWindow::Receive>);
  RegisterTabPageClass(scope.program, kPageClass);
  // A title bar, but neither a system menu nor a close box.
  window_.reset(CreateCentredWindow(scope.program, kOptionsClass, scope.texts[kTextOptions],
                                    WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, kInsideSize,
                                    scope.owner, this));
  if (!window_) return;

  AddControl(kGadgetOptionsTabs, window_.get(), WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPCHILDREN,
             Place(5, 5, 590, 340), WS_EX_CONTROLPARENT);
  BuildGeneralPage();
  BuildSkinPage();
  BuildThemePage();
  AddControl(kGadgetOptionsOk, window_.get(), WC_BUTTONA, scope.texts[kTextOk],
             WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, Place(330, 350, 125, 35));
  AddControl(kGadgetOptionsCancel, window_.get(), WC_BUTTONA, scope.texts[kTextCancel],
             WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, Place(465, 350, 125, 35));
  ShowSelectedPage();

  ::ShowWindow(window_.get(), SW_SHOW);
  if (HWND first = ::GetNextDlgTabItem(window_.get(), nullptr, FALSE)) ::SetFocus(first);
}

OptionsWindow::~OptionsWindow() {
  if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

HWND OptionsWindow::Control(int gadget) const {
  return gadget >= 0 && gadget <= kLastOptionsGadget ? controls_[gadget] : nullptr;
}

HWND OptionsWindow::AddControl(int gadget, HWND parent, const char* window_class,
                               const std::string& text, DWORD style, RECT place, DWORD ex_style) {
  controls_[gadget] = CreateControl(parent, gadget, window_class, text, style, place, ex_style);
  return controls_[gadget];
}

// Each page is a child of the tab control, so that Tab goes from the shown
// page's controls to OK and Cancel.
HWND OptionsWindow::AddPage(int gadget, int tab_text) {
  HWND tabs = controls_[kGadgetOptionsTabs];
  std::string caption = scope_.texts[tab_text];
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  ::SendMessageA(tabs, TCM_INSERTITEMA, pages_.size(), reinterpret_cast<LPARAM>(&item));
  RECT inside{0, 0, 590, 340};
  ::SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inside));
  HWND page = AddControl(
      gadget, tabs, kPageClass, "", WS_CLIPSIBLINGS,
      Place(inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top),
      WS_EX_CONTROLPARENT);
  pages_.push_back(page);
  return page;
}

void OptionsWindow::ShowSelectedPage() {
  const LRESULT selected = ::SendMessageA(controls_[kGadgetOptionsTabs], TCM_GETCURSEL, 0, 0);
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    ::ShowWindow(pages_[i], static_cast<LRESULT>(i) == selected ? SW_SHOW : SW_HIDE);
  }
}

// Controls are made in the order Tab visits them; the labels and the frame
// come after the controls they overlap, so that they never paint over them.
void OptionsWindow::BuildGeneralPage() {
  HWND page = AddPage(kGadgetGeneralPage, kTextGeneralTab);
  const TextTable& texts = scope_.texts;
  const Settings& settings = scope_.settings;
  const DWORD check = WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX;
  const struct {
    int gadget;
    int text;
    int y;
    std::int32_t value;
  } boxes[] = {{kGadgetTreeAloneCheck, kTextTreeAlone, 30, settings.droite},
               {kGadgetStartUpCheck, kTextStartWithWindows, 60, settings.demarrage},
               {kGadgetReopenCheck, kTextReopenLastFile, 90, settings.loadlastfile}};
  for (const auto& box : boxes) {
    HWND control =
        AddControl(box.gadget, page, WC_BUTTONA, texts[box.text], check, Place(30, box.y, 400, 30));
    ::SendMessageA(control, BM_SETCHECK, box.value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  languages_ = ListLanguages(scope_.program_folder);
  AddList(kGadgetLanguageList, page, 125, languages_,
          SelectedLanguage(languages_, settings.langage));
  const DWORD button = WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_MULTILINE;
  AddControl(kGadgetAssociate, page, WC_BUTTONA, texts[kTextAssociate], button,
             Place(80, 190, 180, 40));
  AddControl(kGadgetRemoveAssociation, page, WC_BUTTONA, texts[kTextRemoveAssociation], button,
             Place(320, 190, 180, 40));
  const DWORD label = WS_VISIBLE | WS_CLIPSIBLINGS;
  AddControl(kGadgetLanguageCaption, page, WC_STATICA, texts[kTextLanguage] + " :", label,
             Place(30, 130, 100, 20));
  AddControl(kGadgetAssociationCaption, page, WC_STATICA, texts[kTextAssociationCaption], label,
             Place(30, 160, 400, 30));
  AddControl(kGadgetGeneralFrame, page, WC_BUTTONA, "", label | BS_GROUPBOX,
             Place(10, 10, 565, 240));
}

void OptionsWindow::BuildSkinPage() {
  HWND page = AddPage(kGadgetSkinPage, kTextSkinsTab);
  skins_ = SkinEntries(SkinFolders(scope_.program_folder));
  AddList(kGadgetSkinList, page, 25, skins_, SelectedSkin(skins_, scope_.settings.icone_skin));
  remembered_skin_ = SelectedText(kGadgetSkinList);

  for (int k = 0; k < kToolbarIconCount; ++k) {
    AddControl(kGadgetFirstSkinIcon + k, page, WC_STATICA, "",
               WS_VISIBLE | WS_CLIPSIBLINGS | SS_ICON | SS_CENTERIMAGE,
               Place(30 + 55 * k, 75, kToolbarIconSize, kToolbarIconSize));
  }
  ShowToolbarIcons(remembered_skin_);

  HWND tree = AddControl(kGadgetSkinPreview, page, WC_TREEVIEWA, "",
                         WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, Place(30, 150, 530, 140),
                         WS_EX_CLIENTEDGE);
  for (std::size_t row = 0; row < std::size(kSkinRows); ++row) {
    const int text = kSkinRows[row].text;
    skin_rows_[row] =
        InsertRow(tree, text != 0 ? scope_.texts[text] : kDashes, static_cast<int>(row));
  }
  ShowSkinRowIcons();

  const DWORD label = WS_VISIBLE | WS_CLIPSIBLINGS;
  AddControl(kGadgetSkinCaption, page, WC_STATICA, scope_.texts[kTextSkinList], label,
             Place(30, 30, 400, 30));
  AddControl(kGadgetSkinFrame, page, WC_BUTTONA, "", label | BS_GROUPBOX, Place(10, 10, 565, 300));
}

void OptionsWindow::BuildThemePage() {
  HWND page = AddPage(kGadgetThemePage, kTextThemesTab);
  themes_ = ThemeEntries(ThemeFilesIn(scope_.program_folder));
  AddList(kGadgetThemeList, page, 25, themes_, SelectedTheme(themes_, scope_.skin.theme.name));
  remembered_theme_ = SelectedText(kGadgetThemeList);

  HWND tree = AddControl(kGadgetThemePreview, page, WC_TREEVIEWA, "",
                         WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, Place(30, 80, 530, 90),
                         WS_EX_CLIENTEDGE);
  const DWORD label = WS_VISIBLE | WS_CLIPSIBLINGS;
  AddControl(kGadgetSampleLine, page, WC_STATICA, scope_.texts[kTextNameSample], label,
             Place(30, 190, 530, 20));
  AddControl(kGadgetSampleBox, page, WC_EDITA, scope_.texts[kTextDescriptionSample],
             label | WS_VSCROLL | ES_MULTILINE | ES_READONLY, Place(30, 220, 530, 50),
             WS_EX_CLIENTEDGE);
  ShowThemeFonts();
  // The progress label's font follows the theme as it stands now.
  replaced_fonts_.push_back(std::move(scope_.skin.fonts[kFontProgressLabel]));
  scope_.skin.fonts[kFontProgressLabel] = CreateProgressFont(scope_.skin.theme);
  for (int level = 0; level < static_cast<int>(theme_rows_.size()); ++level) {
    theme_rows_[level] = InsertRow(tree, scope_.texts[kTextImportanceFirst + level], level);
  }
  ShowThemeRows();

  AddControl(kGadgetThemeCaption, page, WC_STATICA, scope_.texts[kTextThemeList], label,
             Place(30, 30, 400, 30));
  AddControl(kGadgetThemeFrame, page, WC_BUTTONA, "", label | BS_GROUPBOX, Place(10, 10, 565, 300));
}

// A drop-down list at x 140, 290 wide, with its entries and its choice.
void OptionsWindow::AddList(int gadget, HWND page, int y, const std::vector<std::string>& entries,
                            std::optional<std::size_t> selected) {
  HWND list = AddControl(gadget, page, WC_COMBOBOXA, "",
                         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | CBS_DROPDOWNLIST,
                         Place(140, y, 290, kDroppedListHeight));
  for (const std::string& entry : entries) {
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  ::SendMessageA(list, CB_SETCURSEL, selected ? static_cast<WPARAM>(*selected) : WPARAM(-1), 0);
}

std::optional<std::size_t> OptionsWindow::Selection(int gadget) const {
  const LRESULT selected = ::SendMessageA(controls_[gadget], CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return std::nullopt;
  return static_cast<std::size_t>(selected);
}

std::string OptionsWindow::SelectedText(int gadget) const {
  const std::vector<std::string>& entries = gadget == kGadgetLanguageList ? languages_
                                            : gadget == kGadgetSkinList   ? skins_
                                                                          : themes_;
  const std::optional<std::size_t> selected = Selection(gadget);
  return selected && *selected < entries.size() ? entries[*selected] : std::string();
}

void OptionsWindow::ShowToolbarIcons(const std::string& skin_entry) {
  for (int k = 0; k < kToolbarIconCount; ++k) {
    toolbar_icons_[k] = LoadSlotIcon(skin_entry, kFirstToolbarSlot + k);
    ::SendMessageA(controls_[kGadgetFirstSkinIcon + k], STM_SETICON,
                   reinterpret_cast<WPARAM>(toolbar_icons_[k].get()), 0);
  }
}

void OptionsWindow::ShowSkinRowIcons() {
  HWND tree = controls_[kGadgetSkinPreview];
  std::array<HICON, kTreeIconCount> icons{};
  for (int slot = 0; slot < kTreeIconCount; ++slot) icons[slot] = scope_.skin.icons[slot].get();
  skin_row_icons_ = BuildRowIcons(tree, icons);
  for (std::size_t row = 0; row < std::size(kSkinRows); ++row) {
    SetRowIcon(tree, skin_rows_[row], kSkinRows[row].icon);
  }
}

void OptionsWindow::ShowThemeRows() {
  HWND tree = controls_[kGadgetThemePreview];
  theme_progress_images_ =
      BuildProgressImages(tree, scope_.skin.theme, scope_.skin.fonts[kFontProgressLabel].get());
  for (std::size_t row = 0; row < theme_rows_.size(); ++row) {
    SetRowStateImage(tree, theme_rows_[row], ProgressStateIndex(kThemeRowProgress[row]));
  }
  ::InvalidateRect(tree, nullptr, TRUE);
}

void OptionsWindow::ShowThemeFonts() {
  SetFont(controls_[kGadgetSampleLine], scope_.skin.fonts[kFontName].get());
  SetFont(controls_[kGadgetSampleBox], scope_.skin.fonts[kFontDescription].get());
}

LRESULT OptionsWindow::DrawThemeRow(NMTVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const UrgencyColours colours = UrgencyColoursOf(scope_.skin.theme);
      const auto row = static_cast<std::size_t>(draw.nmcd.lItemlParam);
      if (row < colours.size()) {
        draw.clrText = static_cast<COLORREF>(colours[row].text);
        draw.clrTextBk = static_cast<COLORREF>(colours[row].background);
      }
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

void OptionsWindow::SkinChosen() {
  const std::string entry = SelectedText(kGadgetSkinList);
  if (entry == remembered_skin_) return;
  remembered_skin_ = entry;
  ShowToolbarIcons(entry);
  for (int slot = 0; slot < kTreeIconCount; ++slot) {
    scope_.skin.icons[slot] = LoadSlotIcon(entry, slot);
  }
  ShowSkinRowIcons();
}

void OptionsWindow::ThemeChosen() {
  const std::string entry = SelectedText(kGadgetThemeList);
  if (entry == remembered_theme_) return;
  remembered_theme_ = entry;
  for (UniqueFont& font : scope_.skin.fonts) replaced_fonts_.push_back(std::move(font));
  LoadTheme(LowerLatin1(entry), scope_.skin);
  ShowThemeRows();
  ShowThemeFonts();
}

void OptionsWindow::Confirm() {
  Settings& settings = scope_.settings;
  Settings confirmed = settings;
  confirmed.droite = Checked(controls_[kGadgetTreeAloneCheck]) ? 1 : 0;
  confirmed.demarrage = Checked(controls_[kGadgetStartUpCheck]) ? 1 : 0;
  confirmed.loadlastfile = Checked(controls_[kGadgetReopenCheck]) ? 1 : 0;
  confirmed.langage = StoredChoice(languages_, Selection(kGadgetLanguageList));
  confirmed.icone_skin = StoredChoice(skins_, Selection(kGadgetSkinList));
  confirmed.image_skin = StoredChoice(themes_, Selection(kGadgetThemeList));
  outcome_ = WriteOptions(scope_.program_folder, confirmed) ? OptionsOutcome::Written
                                                            : OptionsOutcome::NotWritten;
  settings = std::move(confirmed);
  Close();
}

void OptionsWindow::Cancel() {
  Settings& settings = scope_.settings;
  const std::optional<std::string> theme =
      scope_.settings_file_behind ? std::nullopt : ReadThemeSetting(scope_.program_folder);
  if (theme) settings.image_skin = *theme;
  for (UniqueFont& font : scope_.skin.fonts) replaced_fonts_.push_back(std::move(font));
  LoadTheme(settings.image_skin, scope_.skin);
  Close();
}

void OptionsWindow::Close() { window_.reset(); }

void OptionsWindow::Run() {
  while (window_) Handle(scope_.events.WaitEventOf(kWindowOptions));
  scope_.events.ReleaseCloseRequest();
}

void OptionsWindow::Handle(const Event& event) {
  if (event.kind == EventKind::CloseWindow) {
    Cancel();
    return;
  }
  if (event.kind != EventKind::Gadget) return;
  switch (event.gadget) {
    case kGadgetSkinList:
      SkinChosen();
      break;
    case kGadgetThemeList:
      ThemeChosen();
      break;
    case kGadgetAssociate:
      scope_.registry.AssociateFileType(LumvikAssociation(scope_.program_path));
      break;
    case kGadgetRemoveAssociation:
      scope_.registry.RemoveFileAssociation(LumvikAssociation(scope_.program_path));
      break;
    case kGadgetOptionsOk:
      Confirm();
      break;
    case kGadgetOptionsCancel:
      Cancel();
      break;
    default:
      break;
  }
}

LRESULT OptionsWindow::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      return HandleCommand(wparam, lparam);
    case WM_NOTIFY:
      return HandleNotify(*reinterpret_cast<const NMHDR*>(lparam), lparam);
    case DM_GETDEFID:
      // Enter presses the focused button, else OK.
      return DefaultButtonReply(window_.get(), kGadgetOptionsOk);
    case WM_CLOSE:
      scope_.events.Post(EventKind::CloseWindow, kWindowOptions, 0);
      return 0;
    default:
      return ::DefWindowProcA(window_.get(), message, wparam, lparam);
  }
}

LRESULT OptionsWindow::HandleCommand(WPARAM wparam, LPARAM lparam) {
  const int id = LOWORD(wparam);
  const int code = HIWORD(wparam);
  HWND control = reinterpret_cast<HWND>(lparam);
  if (control == nullptr) {
    // Escape, or Enter where no button answers for it.
    if (id == IDCANCEL) scope_.events.Post(EventKind::Gadget, kWindowOptions, kGadgetOptionsCancel);
    if (id == IDOK) scope_.events.Post(EventKind::Gadget, kWindowOptions, kGadgetOptionsOk);
    return 0;
  }
  if (control != Control(id)) return 0;
  const bool list = id == kGadgetLanguageList || id == kGadgetSkinList || id == kGadgetThemeList;
  if ((list && code == CBN_SELCHANGE) || (!list && code == BN_CLICKED)) {
    scope_.events.Post(EventKind::Gadget, kWindowOptions, id);
  }
  return 0;
}

LRESULT OptionsWindow::HandleNotify(const NMHDR& header, LPARAM lparam) {
  if (header.hwndFrom == controls_[kGadgetOptionsTabs] &&
      header.code == static_cast<UINT>(TCN_SELCHANGE)) {
    ShowSelectedPage();
    return 0;
  }
  if (header.hwndFrom == controls_[kGadgetThemePreview] &&
      header.code == static_cast<UINT>(NM_CUSTOMDRAW)) {
    return DrawThemeRow(*reinterpret_cast<NMTVCUSTOMDRAW*>(lparam));
  }
  return ::DefWindowProcA(window_.get(), WM_NOTIFY, header.idFrom, lparam);
}

}  // namespace lumvik
