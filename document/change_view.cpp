#include "document/change_view.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "document/row_decoration.h"
#include "document/row_records.h"

namespace lumvik {

namespace {

// A list as it stood before the change, read through the list after it.
template <typename T>
class Earlier {
 public:
  Earlier(const std::vector<T>& now, const Splice<T>& splice) : now_(now), splice_(splice) {}

  std::size_t size() const { return now_.size() - splice_.after.size() + splice_.before.size(); }
  const T& operator[](std::size_t i) const {
    if (i < splice_.start) return now_[i];
    if (i < splice_.start + splice_.before.size()) return splice_.before[i - splice_.start];
    return now_[i - splice_.before.size() + splice_.after.size()];
  }
  // Where element `i` of before the change stands now: elements that were
  // written over keep their place, removed ones have none (-1).
  std::int64_t Now(std::size_t i) const {
    const std::size_t kept = std::min(splice_.before.size(), splice_.after.size());
    if (i < splice_.start + kept) return static_cast<std::int64_t>(i);
    if (i < splice_.start + splice_.before.size()) return -1;
    return static_cast<std::int64_t>(i - splice_.before.size() + splice_.after.size());
  }
  // Whether element `i` of before the change may differ from the one now at its place.
  bool Rewritten(std::size_t i) const {
    return i >= splice_.start && i < splice_.start + splice_.before.size();
  }

 private:
  const std::vector<T>& now_;
  const Splice<T>& splice_;
};

// The document on both sides of the change, its rows paired by the records
// they show, so that records renumbered by an add or a delete still pair up.
class BothSides {
 public:
  BothSides(const Document& now, const DocumentChange& change)
      : now_(now),
        rows_(now.rows, change.rows),
        categories_(now.categories, change.categories),
        tasks_(now.tasks, change.tasks) {}

  const Earlier<TreeEntry>& earlier_rows() const { return rows_; }

  // Whether the item of the earlier row can stay as the item of the present one.
  bool Pair(const TreeEntry& earlier, const TreeEntry& present) const {
    if (earlier.kind != present.kind || earlier.level != present.level || earlier.index < 0) {
      return false;
    }
    const auto index = static_cast<std::size_t>(earlier.index);
    return earlier.kind == kCategoryRow ? categories_.Now(index) == present.index
                                        : tasks_.Now(index) == present.index;
  }
  // Whether the record of a paired row changed.
  bool Changed(const TreeEntry& earlier, const TreeEntry& present) const {
    const auto e = static_cast<std::size_t>(earlier.index);
    const auto p = static_cast<std::size_t>(present.index);
    return earlier.kind == kCategoryRow
               ? categories_.Rewritten(e) && !(categories_[e] == now_.categories[p])
               : tasks_.Rewritten(e) && !(tasks_[e] == now_.tasks[p]);
  }

 private:
  const Document& now_;
  Earlier<TreeEntry> rows_;
  Earlier<CategoryRecord> categories_;
  Earlier<TaskRecord> tasks_;
};

// An item that stays, its record changed.
void ShowAnew(const EditTarget& target, int position) {
  const TreeEntry& row = target.document.rows[position];
  target.view.SetText(position, RecordName(target.document, row));
  // An urgency without colours leaves an item's colours alone; this item
  // must lose those it had.
  if (row.kind == kTaskRow) {
    const std::int16_t importance = target.document.tasks[row.index].importance;
    if (importance < 1 || importance > 5) target.view.ClearColours(position);
  }
  RefreshRow(target.view, target.document, position, target.colours);
}

}  // namespace

void ShowChange(const EditTarget& target, const DocumentChange& change) {
  const std::vector<TreeEntry>& rows = target.document.rows;
  const BothSides sides(target.document, change);
  const Earlier<TreeEntry>& earlier = sides.earlier_rows();

  // The stretch of items that cannot stay: between the longest runs of rows
  // at both ends that show the same records at the same levels.
  std::size_t start = 0;
  std::size_t earlier_end = earlier.size();
  std::size_t present_end = rows.size();
  while (start < earlier_end && start < present_end && sides.Pair(earlier[start], rows[start]))
    ++start;
  while (earlier_end > start && present_end > start &&
         sides.Pair(earlier[earlier_end - 1], rows[present_end - 1])) {
    --earlier_end;
    --present_end;
  }
  // Items hang under the nearest shallower item above them: the stretch
  // takes along the rows below it that hang under one of its rows.
  if (earlier_end > start || present_end > start) {
    std::int32_t shallowest = std::numeric_limits<std::int32_t>::max();
    for (std::size_t k = start; k < earlier_end; ++k)
      shallowest = std::min(shallowest, earlier[k].level);
    for (std::size_t k = start; k < present_end; ++k)
      shallowest = std::min(shallowest, rows[k].level);
    while (present_end < rows.size() && rows[present_end].level > shallowest) {
      ++earlier_end;
      ++present_end;
    }
  }

  // The tree removes an item with the items under it: one call a subtree.
  for (std::size_t k = start; k < earlier_end;) {
    const std::int32_t level = earlier[k].level;
    target.view.Remove(static_cast<int>(start));
    for (++k; k < earlier_end && earlier[k].level > level; ++k) {
    }
  }
  std::vector<RowItem> items;
  items.reserve(present_end - start);
  for (std::size_t k = start; k < present_end; ++k) {
    items.push_back({RecordName(target.document, rows[k]), rows[k].level});
  }
  target.view.InsertRun(static_cast<int>(start), items);
  for (std::size_t k = start; k < present_end; ++k) {
    RefreshRow(target.view, target.document, static_cast<int>(k), target.colours);
  }

  // Items that stay and show a changed record: a rename, a status, progress
  // carried up to the categories.
  int last_changed = -1;
  if (!change.categories.empty() || !change.tasks.empty()) {
    const std::size_t shift = earlier_end - present_end;
    for (std::size_t k = 0; k < rows.size(); ++k) {
      if (k == start) k = present_end;
      if (k >= rows.size()) break;
      if (!sides.Changed(earlier[k < start ? k : k + shift], rows[k])) continue;
      ShowAnew(target, static_cast<int>(k));
      last_changed = static_cast<int>(k);
    }
  }

  // The row the step was about: the row the user had selected in the state
  // now shown, else the first row that came, else the row above those that
  // went, else the deepest changed record (a task before the categories that
  // follow it).
  int selected = last_changed;
  if (change.selected >= 0 && static_cast<std::size_t>(change.selected) < rows.size()) {
    selected = change.selected;
  } else if (present_end > start) {
    selected = static_cast<int>(start);
  } else if (earlier_end > start && !rows.empty()) {
    selected = static_cast<int>(std::min(start, rows.size()) - (start > 0 ? 1 : 0));
  }
  if (selected != -1) target.view.Select(selected);
}

}  // namespace lumvik
