// Finding rows: the find window with its next and previous match, the next
// overdue task, and the marks of the tasks that fall due, which follow the
// clock past midnight.
#include <algorithm>
#include <memory>

#include "app/lumvik_app_win32.h"
#include "config/text_numbers.h"
#include "document/find.h"
#include "platform/local_time.h"

namespace lumvik {

namespace {

constexpr UINT_PTR kClockTimer = 2;

// Until a second past the next midnight, but never more than a minute: the
// clock may be set or move to or from daylight-saving time meanwhile.
UINT UntilMidnightMs() {
  const LocalDateTime now = LocalNow();
  const int seconds_left = (23 - now.hour) * 3600 + (59 - now.minute) * 60 + (60 - now.second);
  return static_cast<UINT>(std::clamp(seconds_left + 1, 1, 60)) * 1000;
}

}  // namespace

void LumvikApp::AddFindCommands() {
  command_table_.Add({kCmdFind}, [this](int) { OpenFind(); });
  command_table_.Add({kCmdFindNext, kCmdFindPrevious},
                     [this](int command) { FindAgain(command == kCmdFindNext); });
  command_table_.Add({kCmdNextOverdue}, [this](int) { NextOverdue(); });
}

void LumvikApp::StartDueMarks() {
  marks_today_ = today_();
  TreeRowView& rows = window_->rows();
  rows.SetDueLookup([this](int position) {
    if (position >= static_cast<int>(document_.rows.size())) return DueState::None;
    const TreeEntry& entry = document_.rows[static_cast<std::size_t>(position)];
    if (entry.kind != kTaskRow) return DueState::None;
    return DueStateOf(document_.tasks[static_cast<std::size_t>(entry.index)], marks_today_);
  });
  ::SetTimer(window_->window(), kClockTimer, UntilMidnightMs(), nullptr);
}

std::optional<LRESULT> LumvikApp::ClockMessage(UINT message, WPARAM wparam) {
  if (message != WM_TIMER || wparam != kClockTimer) return std::nullopt;
  FollowClock();
  return 0;
}

void LumvikApp::FollowClock() {
  ::SetTimer(window_->window(), kClockTimer, UntilMidnightMs(), nullptr);
  const CalendarDate today = today_();
  if (today == marks_today_) return;
  marks_today_ = today;
  ::InvalidateRect(window_->rows().tree(), nullptr, TRUE);
  // What falls due changed with the day.
  if (view_filter_.only_due) RefreshView();
}

void LumvikApp::OpenFind() {
  if (!find_) {
    find_ = std::make_unique<FindWindow>(FindScope{
        program_, window_->window(), texts_, events_, [this](bool shown) {
          // While the user types in the find window, the tree shows which
          // row the search reached.
          HWND tree = window_->rows().tree();
          const LONG_PTR style = ::GetWindowLongPtrA(tree, GWL_STYLE);
          ::SetWindowLongPtrA(tree, GWL_STYLE,
                              shown ? style | TVS_SHOWSELALWAYS : style & ~TVS_SHOWSELALWAYS);
          ::InvalidateRect(tree, nullptr, TRUE);
        }});
  }
  find_->Show();
}

void LumvikApp::FindAgain(bool forward) {
  const std::string needle = find_ ? find_->Text() : std::string();
  if (needle.empty()) {
    OpenFind();  // nothing to look for yet
    return;
  }
  const int row = FindRow(document_, needle, SelectedRow(), forward);
  if (row < 0 && !find_->visible()) find_->Show();  // so that its word is seen
  find_->ShowNothingFound(row < 0);
  if (row >= 0) ShowFoundRow(row);
}

void LumvikApp::NextOverdue() {
  FollowClock();
  const int row = NextOverdueRow(document_, SelectedRow(), marks_today_);
  if (row < 0) {
    prompt_.Message(texts_[kTextProgramName], texts_[kTextNothingOverdue], Buttons::Ok);
    return;
  }
  ShowFoundRow(row);
}

void LumvikApp::ShowFoundRow(int row) {
  TreeRowView& rows = window_->rows();
  // A name being typed is kept before the selection leaves its row.
  if (label_editing_) TreeView_EndEditLabelNow(rows.tree(), FALSE);
  // A row the view hides is shown while it stays selected.
  if (!rows.Shown(row)) RefreshView(row);
  // Selecting opens the categories that hide the row, making their items.
  rows.Select(row);
  if (HTREEITEM item = rows.Item(row)) {
    ::SendMessageA(rows.tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  }
}

}  // namespace lumvik
