#include "document/view_filter.h"

#include <cstddef>

#include "document/due_dates.h"
#include "document/find.h"

namespace lumvik {

namespace {

constexpr std::int16_t kFinishedProgress = 10;  // tenths
constexpr std::int16_t kFirstFinishedStatus = 4;
constexpr std::int16_t kLastFinishedStatus = 5;
constexpr std::int16_t kFirstUrgentImportance = 4;
constexpr std::int16_t kLastUrgentImportance = 5;

// A row whose subtree is being read: what has been seen under it so far.
struct OpenRow {
  std::size_t position;
  bool shown_below = false;
  bool holds_task = false;
};

class RowFilter {
 public:
  RowFilter(const Document& document, const ViewFilter& filter, const CalendarDate& today)
      : document_(document), filter_(filter), today_(today), match_(filter.match) {}

  bool TaskShows(const TaskRecord& task, const TreeEntry& row) const {
    if (filter_.hide_finished && TaskFinished(task)) return false;
    if (filter_.only_due && DueStateOf(task, today_) == DueState::None) return false;
    if (filter_.only_urgent &&
        (task.importance < kFirstUrgentImportance || task.importance > kLastUrgentImportance)) {
      return false;
    }
    return match_.empty() || match_(document_, row);
  }

  // A category with nothing shown under it.
  bool CategoryStandsAlone(const TreeEntry& row, bool holds_task) const {
    if (filter_.only_due || filter_.only_urgent) return false;
    if (filter_.hide_finished && holds_task) return false;
    return match_.empty() || match_(document_, row);
  }

 private:
  const Document& document_;
  const ViewFilter& filter_;
  const CalendarDate& today_;
  RowMatch match_;
};

}  // namespace

bool TaskFinished(const TaskRecord& task) {
  return (task.statut >= kFirstFinishedStatus && task.statut <= kLastFinishedStatus) ||
         task.avancement >= kFinishedProgress;
}

// One pass in row order with the chain of rows above the current one: a
// row's subtree ends when a row not deeper than it comes, and what was seen
// under it then passes to the row above it.
std::vector<bool> ShownRows(const Document& document, const ViewFilter& filter,
                            const CalendarDate& today) {
  const std::vector<TreeEntry>& rows = document.rows;
  if (!filter.Active()) return std::vector<bool>(rows.size(), true);
  std::vector<bool> shown(rows.size(), false);
  const RowFilter rules(document, filter, today);
  std::vector<OpenRow> open;
  const auto close = [&] {
    const OpenRow row = open.back();
    open.pop_back();
    const TreeEntry& entry = rows[row.position];
    const bool is_task = entry.kind == kTaskRow;
    const bool own = is_task ? rules.TaskShows(document.tasks[entry.index], entry)
                             : rules.CategoryStandsAlone(entry, row.holds_task);
    shown[row.position] = own || row.shown_below;
    if (open.empty()) return;
    open.back().shown_below = open.back().shown_below || shown[row.position];
    open.back().holds_task = open.back().holds_task || row.holds_task || is_task;
  };
  for (std::size_t position = 0; position < rows.size(); ++position) {
    while (!open.empty() && rows[open.back().position].level >= rows[position].level) close();
    open.push_back({position});
  }
  while (!open.empty()) close();
  return shown;
}

TaskCount CountShownTasks(const Document& document, const std::vector<bool>& shown) {
  TaskCount count;
  for (std::size_t position = 0; position < document.rows.size(); ++position) {
    const bool row_shown = position < shown.size() && shown[position];
    if (row_shown) ++count.rows_shown;
    if (document.rows[position].kind != kTaskRow) continue;
    ++count.total;
    if (row_shown) ++count.shown;
  }
  return count;
}

Document ShownPart(const Document& document, const std::vector<bool>& shown) {
  Document part;
  part.categories = document.categories;
  part.tasks = document.tasks;
  part.file_path = document.file_path;
  for (std::size_t position = 0; position < document.rows.size(); ++position) {
    if (position < shown.size() && shown[position]) part.rows.push_back(document.rows[position]);
  }
  return part;
}

}  // namespace lumvik
