#include "app/lumvik_app_win32.h"

#include <utility>

#include "config/text_numbers.h"
#include "document/row_decoration.h"
#include "document/tree_queries.h"
#include "platform/file_io.h"
#include "platform/startup_trace_win32.h"
#include "platform/text.h"
#include "theme/urgency_colours.h"

namespace lumvik {

namespace {

constexpr int kRelayoutMinimumWidth = 800;
constexpr int kRelayoutMinimumHeight = 600;
constexpr LONG kMinimumTrackWidth = 850;
constexpr LONG kMinimumTrackHeight = 650;
constexpr int kNarrowWindowWidth = 400;
constexpr int kNarrowTreeWidth = 380;
constexpr int kWideWindowWidth = 800;
constexpr int kWideTreeWidth = 330;

void ShowPopupAtCursor(HWND window, HMENU menu, POINT where) {
  ::SetForegroundWindow(window);  // so that a click elsewhere closes the menu
  ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, where.x, where.y, 0,
                   window, nullptr);
}

}  // namespace

LumvikApp::LumvikApp(HINSTANCE program, Prompt& prompt, const Registry& registry)
    : program_(program), prompt_(prompt), registry_(registry), show_popup_(ShowPopupAtCursor) {
  // Until the first document is chosen there is none, and nothing is saved.
  document_.saved = 0;
  AddFileCommands();
  AddEditCommands();
  AddHistoryCommands();
  AddFindCommands();
  AddRecentFileCommands();
  AddExportCommands();
  AddHelpCommands();
  AddViewCommands();
}

LumvikApp::~LumvikApp() = default;

bool LumvikApp::Start(const std::string& program_folder, const std::string& parameter) {
  program_folder_ = program_folder;
  LoadSkinAndTheme(program_folder, settings_, texts_, skin_);
  StartupCheckpoint("settings, texts, skin and theme");
  window_ = std::make_unique<MainWindow>(program_, texts_, skin_, events_);
  if (window_->window() == nullptr) return false;
  StartupCheckpoint("main window made");
  panel_ = std::make_unique<PropertyPanel>(*window_, document_, settings_, skin_, today_);
  window_->SetHook([this](HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return MainWindowCallback(window, message, wparam, lparam);
  });
  StartView();
  ApplyStartupLayout();
  StartDueMarks();
  ShowCommandState();
  StartupCheckpoint("panel, layout, due marks, menus");
  ::ShowWindow(window_->window(), SW_SHOW);
  StartupCheckpoint("main window shown");
  LoadRecentFiles();
  StartupCheckpoint("recent files");
  StartRecovery();
  StartupCheckpoint("recovery folder");
  if (!OfferRecoveredCopy()) ShowFirstDocument(ChooseFirstDocument(parameter, settings_));
  StartupCheckpoint("first document shown");
  started_ = true;
  return true;
}

void LumvikApp::ApplyStartupLayout() {
  if (settings_.droite == 1) NarrowLayout();
}

// The tree alone, in a narrow window.
void LumvikApp::NarrowLayout() {
  window_->SetClientSize(kNarrowWindowWidth, window_->ClientSize().cy);
  window_->ShowGadget(kGadgetCategoryPanel, false);
  window_->ShowGadget(kGadgetTaskPanel, false);
  window_->SetTreeWidth(kNarrowTreeWidth);
  window_->PlaceStatusLine();
}

// The tree with the property panel of its first row beside it.
void LumvikApp::WideLayout() {
  window_->SetClientSize(kWideWindowWidth, window_->ClientSize().cy);
  window_->SetTreeWidth(kWideTreeWidth);
  window_->PlaceStatusLine();
  TreeRowView& rows = window_->rows();
  const int first = FirstShownRow();
  rows.Select(first);
  if (first >= 0) panel_->ShowRow(first);
}

void LumvikApp::ShowFirstDocument(const FirstDocument& first) {
  const FileCommands commands = Commands();
  if (first.path.empty()) {
    NewDocumentCommand(commands);
  } else {
    OpenDocumentPath(commands, first.path);
  }
  if (first.from_command_line) document_.saved = 1;
  RecordChange();  // no step: the history marks the settled saved flag
  SelectFirstRow();
}

void LumvikApp::SelectFirstRow() {
  TreeRowView& rows = window_->rows();
  const int first = FirstShownRow();
  if (first > 0) {
    // The view hides the first row: the first row it shows is selected.
    rows.Select(first);
    panel_->ShowRow(first);
    return;
  }
  if (first < 0 && rows.Count() > 0) {
    // The view hides every row: the first stays in sight, so that rows can
    // still be added.
    rows.Select(0);
    RefreshView();
  }
  rows.Select(0);
  if (!document_.categories.empty()) {
    const bool has_children = !document_.rows.empty() && DescendantCount(document_.rows, 0) > 0;
    PrepareCategoryPanel(document_.categories.front(), !has_children);
    rows.Select(0);
  }
}

void LumvikApp::Run() {
  while (quit_ == 0) Dispatch(events_.WaitEvent());
  if (!ended_at_once_) ShutDown();
}

void LumvikApp::SettingsFileWritten(bool written) {
  if (written || settings_file_refusal_told_) return;
  settings_file_refusal_told_ = true;
  prompt_.Message(texts_[kTextProgramName],
                  FillPlaceholder(texts_[kTextSettingsNotWritten],
                                  program_folder_ + std::string(kSettingsFileName)),
                  Buttons::Ok);
}

void LumvikApp::ApplySettings() {
  LoadIconSlots(settings_.icone_skin, skin_);
  LoadThemeFonts(skin_);
  window_->BuildTreeImages(skin_);
  {
    TreeRowView& rows = window_->rows();
    RedrawHold hold(rows);
    const UrgencyColours colours = Colours();
    for (int row = 0; row < static_cast<int>(document_.rows.size()); ++row) {
      RefreshRow(rows, document_, row, colours);
    }
  }
  window_->ApplyFonts(skin_);
  if (!window_->BuildToolbar(texts_, skin_)) {
    // As at start-up, a program without its toolbar ends at once; its
    // changes wait for the next start.
    KeepRecoveryCopy();
    recovery_->Flush();
    ended_at_once_ = true;
    quit_ = 1;
    return;
  }
  window_->ApplyTexts(texts_);
  RefreshView();  // its words in the new language
  if (find_) find_->ApplyTexts(texts_);
  window_->BuildMenus(texts_);
  window_->ShowViewChecks(ViewChoices());
  window_->ShowRecentFiles(recent_files_);
  ShowCommandState();
  registry_.ApplyStartWithWindows(settings_.demarrage, ExecutablePath());
  if (settings_.droite == 0) {
    WideLayout();
  } else {
    NarrowLayout();
  }
}

void LumvikApp::HandlePendingEvents() {
  for (;;) {
    events_.PumpUntilIdle();
    const std::optional<Event> event = events_.Take();
    if (!event) return;
    Dispatch(*event);
  }
}

void LumvikApp::ShutDown() {
  SettingsFileWritten(WriteLastFile(program_folder_, document_.file_path));
  // The program ends cleanly, its changes settled: nothing is left to recover.
  recovery_->Remove();
}

void LumvikApp::Dispatch(const Event& event) {
  const int selected_before = SelectedRow();
  std::uint64_t run = 0;
  switch (event.kind) {
    case EventKind::Menu:
      window_->CancelRowDrag();  // the dragged row may move or go
      command_table_.Run(event.command);
      break;
    case EventKind::Gadget:
      if (event.window == kWindowFind && event.gadget == kGadgetFindShowOnlyMatches) {
        MatchingChanged();
        return;
      }
      // The tree changes the document through a drop, and through a rename,
      // recorded when the name is typed.
      if (event.gadget == kGadgetTree && event.action == GadgetAction::Dropped) {
        DropDraggedRow();
        break;
      }
      if (event.gadget == kGadgetTree) {
        DispatchTree(event);
        return;
      }
      if (event.gadget < kGadgetStatusList || event.gadget > kGadgetCategoryProgress) return;
      panel_->HandleGadget(event.gadget, event.action);
      // A new due date or progress may mark the row or take its mark away.
      if (const int row = SelectedRow(); row >= 0) window_->rows().Repaint(row);
      // One drag of a slider is one step.
      if (event.gadget == kGadgetTaskProgress || event.gadget == kGadgetCategoryProgress) {
        run = RunOf(event.gadget);
      }
      break;
    case EventKind::CloseWindow:
      // Closing the window is quitting: unsaved changes are asked about.
      Quit();
      break;
    case EventKind::SizeWindow:
      Relayout();
      return;
    case EventKind::ActivateWindow:
      Relayout();
      LookAtDocumentFile();
      return;
  }
  RecordChange(run, {selected_before, SelectedRow()});
  if (event.action == GadgetAction::Released) history_.EndRun();
}

void LumvikApp::DispatchTree(const Event& event) {
  if (event.action == GadgetAction::Selected) {
    // The description boxes store into the selected row: the panel shows
    // that row, however it came to be selected (the keyboard, a right
    // click, the tree's own choice after a delete), so that no typing goes
    // into a record the panel does not show.
    if (const int row = SelectedRow(); row >= 0) panel_->ShowRow(row);
    // The row kept in sight though the view hides it goes once the
    // selection leaves it.
    if (const int greyed = window_->rows().GreyedRow(); greyed >= 0 && greyed != SelectedRow()) {
      RefreshView();
    }
    return;
  }
  TreeRowView& rows = window_->rows();
  POINT point = event.cursor;
  ::ScreenToClient(rows.tree(), &point);
  const int under_cursor = rows.PositionAt(point);
  if (under_cursor < 0) return;
  switch (event.action) {
    case GadgetAction::LeftClick:
      if (const int row = SelectedRow(); row >= 0) panel_->ShowRow(row);
      break;
    case GadgetAction::RightClick:
      rows.Select(under_cursor);
      if (const int row = SelectedRow(); row >= 0) {
        const int menu =
            document_.rows[row].kind == kCategoryRow ? kMenuCategoryPopup : kMenuTaskPopup;
        if (HMENU popup = window_->Popup(menu)) show_popup_(window_->window(), popup, event.cursor);
      }
      break;
    case GadgetAction::DoubleClick:
      if (const int row = SelectedRow(); row >= 0) rows.EditLabel(row);
      break;
    case GadgetAction::Other:
    case GadgetAction::Picked:
    case GadgetAction::Selected:
    case GadgetAction::Released:
    case GadgetAction::Dropped:
      break;
  }
}

void LumvikApp::Quit() {
  if (SettleUnsavedChanges(Commands())) quit_ = 1;
}

void LumvikApp::ShowCommandState() {
  command_table_.ForEachRuled(
      [this](int command, bool available) { window_->EnableCommand(command, available); });
}

void LumvikApp::Relayout() {
  const SIZE inside = window_->ClientSize();
  const int width = inside.cx;
  const int height = inside.cy;
  if (width < kRelayoutMinimumWidth || height < kRelayoutMinimumHeight) return;
  const int tree_width = width - 470;
  ::MoveWindow(window_->Gadget(kGadgetTree), 10, 60, tree_width, height - 90, TRUE);
  for (int panel : {kGadgetCategoryPanel, kGadgetTaskPanel}) {
    window_->PlacePanel(panel, 10 + tree_width + 10, 60, width - tree_width - 30, height - 90);
  }
  window_->PlaceStatusLine();
}

int LumvikApp::SelectedRow() const {
  const int row = window_->rows().Selection();
  return row >= 0 && row < static_cast<int>(document_.rows.size()) ? row : -1;
}

FileCommands LumvikApp::Commands() {
  return {document_, texts_, prompt_, *this, settings_.backups};
}

RowView& LumvikApp::Rows() { return window_->rows(); }

UrgencyColours LumvikApp::Colours() const { return UrgencyColoursOf(skin_.theme); }

void LumvikApp::SetTitle(const std::string& title) {
  ::SetWindowTextA(window_->window(), title.c_str());
}

void LumvikApp::PrepareCategoryPanel(const CategoryRecord& category, bool show_progress) {
  EnableCategoryPanel();
  ::SetWindowTextA(window_->Gadget(kGadgetCategoryName), category.nom.c_str());
  ::SetWindowTextA(window_->Gadget(kGadgetCategoryDescriptionCaption),
                   texts_[kTextDescriptionCaption].c_str());
  for (int gadget :
       {kGadgetCategoryProgressCaption, kGadgetCategoryProgressValue, kGadgetCategoryProgress}) {
    ::ShowWindow(window_->Gadget(gadget), show_progress ? SW_SHOW : SW_HIDE);
  }
}

void LumvikApp::EnableCategoryPanel() {
  for (int gadget :
       {kGadgetCategoryDescription, kGadgetCategoryName, kGadgetCategoryDescriptionCaption,
        kGadgetCategoryProgressCaption, kGadgetCategoryProgressValue, kGadgetCategoryProgress}) {
    ::EnableWindow(window_->Gadget(gadget), TRUE);
  }
}

void LumvikApp::HoldRedraw() {
  // Held on the view, the rows a whole document appends get their items in
  // one pass at the end, each with its icon and picture, instead of an item
  // changed again and again as each row is decorated.
  redraw_hold_ = std::make_unique<RedrawHold>(window_->rows());
}

void LumvikApp::ReleaseRedraw() {
  // The view narrows the rows before they get their items.
  if (view_filter_.Active()) RefreshView();
  redraw_hold_.reset();
}

std::optional<LRESULT> LumvikApp::MainWindowCallback(HWND, UINT message, WPARAM wparam,
                                                     LPARAM lparam) {
  if (std::optional<LRESULT> result = RecoveryMessage(message, wparam)) return result;
  if (std::optional<LRESULT> result = ClockMessage(message, wparam)) return result;
  if (std::optional<LRESULT> result = LookAgainMessage(message, wparam)) return result;
  switch (message) {
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
      if (header.hwndFrom != window_->Gadget(kGadgetTree)) return std::nullopt;
      if (header.code == TVN_BEGINLABELEDITA) {
        label_editing_ = true;  // every label may be edited
        return std::nullopt;
      }
      if (header.code == TVN_ENDLABELEDITA) {
        // Some tree views report the end of one edit twice, the second time
        // with the text of a cancelled edit: only the first report counts.
        if (!std::exchange(label_editing_, false)) return FALSE;
        return EndLabelEdit(*reinterpret_cast<const NMTVDISPINFOA*>(lparam));
      }
      return std::nullopt;
    }
    case WM_COMMAND: {
      HWND control = reinterpret_cast<HWND>(lparam);
      if (HIWORD(wparam) != EN_CHANGE || control == nullptr) return std::nullopt;
      for (int gadget : {kGadgetCategoryDescription, kGadgetTaskDescription}) {
        if (window_->IsGadget(control, gadget)) {
          DescriptionChanged(gadget);
          return 0;
        }
      }
      return std::nullopt;
    }
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
      user_sizing_ = message == WM_ENTERSIZEMOVE;
      return std::nullopt;
    case WM_GETMINMAXINFO: {
      // The limit holds for the user dragging the border. The sizes the
      // program gives the window itself (800 by 600 inside, or 400 wide
      // without the property panel) stand as they are.
      if (!user_sizing_) return std::nullopt;
      auto& limits = *reinterpret_cast<MINMAXINFO*>(lparam);
      limits.ptMinTrackSize = {kMinimumTrackWidth, kMinimumTrackHeight};
      return 0;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace lumvik
