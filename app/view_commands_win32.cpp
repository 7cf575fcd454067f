// The View menu: filters that narrow the tree to what matters now, the find
// window's narrowing to the rows that match, and the sorts of a category's
// contents. A view never changes the document; it only hides rows from the
// tree, keeping the selected row in sight until the selection leaves it.
#include "app/lumvik_app_win32.h"
#include "config/text_numbers.h"
#include "document/category_sort.h"
#include "document/row_decoration.h"
#include "document/row_records.h"
#include "document/tree_queries.h"
#include "export/row_texts.h"
#include "platform/text.h"

namespace lumvik {

void LumvikApp::AddViewCommands() {
  command_table_.Add({kCmdHideFinished, kCmdOnlyDue, kCmdOnlyUrgent},
                     [this](int command) { ToggleFilter(command); });
  command_table_.Add({kCmdShowEverything}, [this](int) { ShowEverything(); });
  command_table_.Add(
      {kCmdFirstSort, kCmdFirstSort + 1, kCmdFirstSort + 2, kCmdFirstSort + 3, kCmdFirstSort + 4},
      [this](int command) {
        if (SortCategory({document_, window_->rows(), Colours()}, SelectedRow(),
                         static_cast<SortKey>(command - kCmdFirstSort))) {
          document_.saved = 0;
        }
      });
  command_table_.Add({kCmdRowMenu}, [this](int) { ShowSelectedRowMenu(); });
}

void LumvikApp::StartView() {
  const ViewSettings saved = ReadViewSettings(program_folder_);
  view_filter_.hide_finished = saved.hide_finished;
  view_filter_.only_due = saved.only_due;
  view_filter_.only_urgent = saved.only_urgent;
  window_->ShowViewChecks(saved);
  // Rows that were hidden are shown again as the document holds them now.
  window_->rows().SetRowLook([this](int position) {
    const RowPictures pictures = PicturesOf(document_, position);
    return TreeRowView::RowLook{
        RecordName(document_, document_.rows[static_cast<std::size_t>(position)]), pictures.icon,
        pictures.state_index};
  });
}

ViewSettings LumvikApp::ViewChoices() const {
  return {view_filter_.hide_finished, view_filter_.only_due, view_filter_.only_urgent};
}

void LumvikApp::ToggleFilter(int command) {
  bool& filter = command == kCmdHideFinished ? view_filter_.hide_finished
                 : command == kCmdOnlyDue    ? view_filter_.only_due
                                             : view_filter_.only_urgent;
  filter = !filter;
  ViewChanged();
}

void LumvikApp::ShowEverything() {
  view_filter_ = {};
  // The box's own notice of its unticking then finds nothing to change.
  matching_ticked_ = false;
  if (find_) find_->StopShowingOnlyMatches();
  ViewChanged();
}

void LumvikApp::ViewChanged() {
  window_->ShowViewChecks(ViewChoices());
  SettingsFileWritten(WriteViewSettings(program_folder_, ViewChoices()));
  RefreshView();
}

// While the box is ticked, many rows shown come with their categories
// closed, so that each letter typed is answered at once; they open again as
// they were when the box is unticked.
constexpr std::size_t kRowsShownOpenWhileTyping = 5000;

void LumvikApp::MatchingChanged() {
  const bool ticked = find_ && find_->ShowOnlyMatches();
  // Ticked over a long list, the tree closes its categories at once rather
  // than at the first letter typed.
  if (ticked && !matching_ticked_ && document_.rows.size() > kRowsShownOpenWhileTyping) {
    RedrawHold hold(window_->rows());
    window_->rows().CloseCategories();
  }
  matching_ticked_ = ticked;
  view_filter_.match = ticked ? find_->Text() : std::string();
  RefreshView();
}

void LumvikApp::RefreshView(int found) {
  TreeRowView& rows = window_->rows();
  // A name being typed is kept, as a change of its own, before the rows
  // change under it.
  if (label_editing_) TreeView_EndEditLabelNow(rows.tree(), FALSE);
  if (!view_filter_.Active()) {
    found_row_.reset();
    {
      // Every row shown, the categories open as they were unless the box
      // is still ticked.
      RedrawHold hold(rows);
      rows.ShowRows({}, !matching_ticked_);
      rows.SetGreyedRow(-1);
    }
    rows_narrowed_ = false;
    view_status_.clear();
    ShowStatus(status_text_, status_values_);
    return;
  }
  // Due as the tree marks it.
  std::vector<bool> shown = ShownRows(document_, view_filter_, marks_today_);
  // The selected row stays in sight, greyed, until the selection leaves it,
  // so that the user sees what became of it; a row found, or one a command
  // selects (an undone change), is shown likewise.
  if (found >= 0) found_row_ = document_.rows[static_cast<std::size_t>(found)];
  const int wanted = rows.TakeWantedRow();
  const int kept = found >= 0 ? found : wanted >= 0 ? wanted : SelectedRow();
  int greyed = -1;
  if (kept >= 0 && !shown[static_cast<std::size_t>(kept)]) {
    greyed = kept;
    for (int row = kept; row >= 0; row = ParentRow(document_.rows, row)) {
      shown[static_cast<std::size_t>(row)] = true;
    }
  }
  const bool found_hidden = greyed >= 0 && found_row_ == document_.rows[greyed];
  if (greyed < 0) found_row_.reset();
  const TaskCount count = CountShownTasks(document_, shown);
  const bool reopen = !matching_ticked_ || count.rows_shown <= kRowsShownOpenWhileTyping;
  {
    RedrawHold hold(rows);
    rows.ShowRows(shown, reopen);
    rows.SetGreyedRow(greyed);
    if (wanted >= 0 && wanted == kept) rows.Select(wanted);
  }
  rows_narrowed_ = true;
  // The line speaks only while rows are hidden.
  const bool all_shown = count.rows_shown == shown.size();
  view_status_ = all_shown ? std::string() : TasksShownText(texts_, count.shown, count.total);
  if (found_hidden) {
    const std::string counts[] = {GroupedNumber(count.shown), GroupedNumber(count.total)};
    view_status_ = FillPlaceholders(texts_[kTextTasksShownAndFound], counts);
  }
  ShowStatus(status_text_, status_values_);
}

int LumvikApp::FirstShownRow() const {
  const TreeRowView& rows = window_->rows();
  for (int row = 0; row < rows.Count(); ++row) {
    if (rows.Shown(row)) return row;
  }
  return -1;
}

LumvikApp::ViewedPart LumvikApp::PartShown() const {
  const std::vector<bool> shown = ShownRows(document_, view_filter_, marks_today_);
  const TaskCount count = CountShownTasks(document_, shown);
  return {ShownPart(document_, shown), count.rows_shown == shown.size()
                                           ? std::string()
                                           : TasksShownText(texts_, count.shown, count.total)};
}

void LumvikApp::ShowSelectedRowMenu() {
  TreeRowView& rows = window_->rows();
  const int row = SelectedRow();
  if (row < 0) return;
  HTREEITEM item = rows.Item(row);
  ::SendMessageA(rows.tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  // The menu opens under the row's label, as a right click there opens it.
  POINT where{0, 0};
  if (const std::optional<RECT> label = ItemRect(rows.tree(), item, true)) {
    where = {label->left, label->bottom};
  }
  ::ClientToScreen(rows.tree(), &where);
  const int menu = document_.rows[row].kind == kCategoryRow ? kMenuCategoryPopup : kMenuTaskPopup;
  if (HMENU popup = window_->Popup(menu)) show_popup_(window_->window(), popup, where);
}

}  // namespace lumvik
