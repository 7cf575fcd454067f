#include "document/category_sort.h"

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "document/date_mask.h"
#include "document/find.h"
#include "document/tree_queries.h"

namespace lumvik {

namespace {

// One child with the rows under it, and what it is sorted by.
struct ChildRun {
  int first = 0;
  int count = 1;
  bool task = false;                      // categories come before tasks
  std::string name;                       // folded, for a sort by name
  std::tuple<bool, int, int, int> due{};  // no date after every date
  int value = 0;                          // for the other sorts, smallest first
};

ChildRun RunOf(const Document& document, int first, SortKey key) {
  const TreeEntry& row = document.rows[first];
  ChildRun run;
  run.first = first;
  run.count = DescendantCount(document.rows, first) + 1;
  run.task = row.kind == kTaskRow;
  if (!run.task) return run;
  const TaskRecord& task = document.tasks[row.index];
  switch (key) {
    case SortKey::Name:
      run.name = FoldedForFind(task.nom);
      break;
    case SortKey::DueDate:
      if (const std::optional<CalendarDate> due = ReadMaskedDate(task.dateecheance)) {
        run.due = {false, due->year, due->month, due->day};
      } else {
        run.due = {true, 0, 0, 0};
      }
      break;
    case SortKey::Urgency:
      run.value = -task.importance;
      break;
    case SortKey::Progress:
      run.value = task.avancement;
      break;
    case SortKey::Status:
      run.value = task.statut;
      break;
  }
  return run;
}

bool Before(const ChildRun& a, const ChildRun& b, SortKey key) {
  if (a.task != b.task) return b.task;
  if (!a.task) return false;  // categories keep their order
  switch (key) {
    case SortKey::Name:
      return a.name < b.name;
    case SortKey::DueDate:
      return a.due < b.due;
    default:
      return a.value < b.value;
  }
}

}  // namespace

bool SortCategory(const EditTarget& target, int position, SortKey key) {
  Document& document = target.document;
  if (!IsRowPosition(document, position) || document.rows[position].kind != kCategoryRow) {
    return false;
  }
  const int end = position + DescendantCount(document.rows, position) + 1;
  std::vector<ChildRun> runs;
  for (int child = position + 1; child < end; child += runs.back().count) {
    runs.push_back(RunOf(document, child, key));
  }
  // Children at different levels, as a file may hold them, would change
  // their parents in another order: they stay as they are.
  if (std::any_of(runs.begin(), runs.end(), [&](const ChildRun& run) {
        return document.rows[run.first].level != document.rows[runs.front().first].level;
      })) {
    return false;
  }
  std::vector<ChildRun> sorted = runs;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [key](const ChildRun& a, const ChildRun& b) { return Before(a, b, key); });
  // Only the children from the first that moves on are put and shown anew.
  std::size_t same = 0;
  while (same < runs.size() && runs[same].first == sorted[same].first) ++same;
  if (same == runs.size()) return false;
  const int from = runs[same].first;
  std::vector<TreeEntry> reordered;
  reordered.reserve(static_cast<std::size_t>(end - from));
  for (std::size_t k = same; k < sorted.size(); ++k) {
    const auto run = document.rows.begin() + sorted[k].first;
    reordered.insert(reordered.end(), run, run + sorted[k].count);
  }
  std::copy(reordered.begin(), reordered.end(), document.rows.begin() + from);
  std::vector<RowRun> moved;
  moved.reserve(sorted.size() - same);
  for (std::size_t k = same; k < sorted.size(); ++k) {
    moved.push_back({sorted[k].first, sorted[k].count});
  }
  target.view.Reorder(from, moved);
  target.view.Select(position);
  return true;
}

}  // namespace lumvik
