#include "document/change_view.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <unordered_map>
#include <vector>

#include "document/row_decoration.h"
#include "document/row_records.h"
#include "document/tree_queries.h"

namespace lumvik {

namespace {

// A list as it stood before the change, read through the list after it and
// the pieces that changed, each starting where it stood before.
template <typename T>
class Earlier {
 public:
  Earlier(const std::vector<T>& now, const Splice<T>& splice) : now_(now), pieces_(&splice, 1) {
    AddUpGains();
  }
  Earlier(const std::vector<T>& now, const Patch<T>& patch) : now_(now), pieces_(patch.pieces) {
    AddUpGains();
  }

  std::size_t size() const {
    return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(now_.size()) - gained_.back());
  }
  const T& operator[](std::size_t i) const {
    const std::size_t k = PiecesFrom(i);
    if (k > 0 && Inside(k - 1, i)) return pieces_[k - 1].before[i - pieces_[k - 1].start];
    return now_[Moved(i, k)];
  }
  // Where element `i` of before the change stands now: elements that were
  // written over keep their place in their piece, removed ones have none (-1).
  std::int64_t Now(std::size_t i) const {
    const std::size_t k = PiecesFrom(i);
    if (k == 0 || !Inside(k - 1, i)) return static_cast<std::int64_t>(Moved(i, k));
    const Splice<T>& piece = pieces_[k - 1];
    const std::size_t offset = i - piece.start;
    if (offset >= std::min(piece.before.size(), piece.after.size())) return -1;
    return static_cast<std::int64_t>(Moved(piece.start, k - 1) + offset);
  }
  // Whether element `i` of before the change may differ from the one now at its place.
  bool Rewritten(std::size_t i) const {
    const std::size_t k = PiecesFrom(i);
    return k > 0 && Inside(k - 1, i);
  }

 private:
  void AddUpGains() {
    gained_.reserve(pieces_.size() + 1);
    gained_.push_back(0);
    for (const Splice<T>& piece : pieces_) {
      gained_.push_back(gained_.back() + static_cast<std::ptrdiff_t>(piece.after.size()) -
                        static_cast<std::ptrdiff_t>(piece.before.size()));
    }
  }
  // How many pieces start at or before element `i`.
  std::size_t PiecesFrom(std::size_t i) const {
    return static_cast<std::size_t>(std::upper_bound(pieces_.begin(), pieces_.end(), i,
                                                     [](std::size_t index, const Splice<T>& piece) {
                                                       return index < piece.start;
                                                     }) -
                                    pieces_.begin());
  }
  bool Inside(std::size_t k, std::size_t i) const {
    return i < pieces_[k].start + pieces_[k].before.size();
  }
  // Element `i`, with the first `k` pieces before it, in the list now.
  std::size_t Moved(std::size_t i, std::size_t k) const {
    return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(i) + gained_[k]);
  }

  const std::vector<T>& now_;
  std::span<const Splice<T>> pieces_;
  // What the first k pieces gained, for each k.
  std::vector<std::ptrdiff_t> gained_;
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

  // Whether the item of the earlier row can stay as the item of the present
  // one: it shows the same record, or a record equal to it. Equal records
  // (new ones not yet renamed, say) may be told apart differently by the
  // change than by the rows, and their items look the same anyway.
  bool Pair(const TreeEntry& earlier, const TreeEntry& present) const {
    return earlier.level == present.level && SameRecord(earlier, present);
  }
  // The same, at whatever levels the two rows stand.
  bool SameRecord(const TreeEntry& earlier, const TreeEntry& present) const {
    if (earlier.kind != present.kind || earlier.index < 0) return false;
    const auto e = static_cast<std::size_t>(earlier.index);
    const auto p = static_cast<std::size_t>(present.index);
    return earlier.kind == kCategoryRow
               ? categories_.Now(e) == present.index || categories_[e] == now_.categories[p]
               : tasks_.Now(e) == present.index || tasks_[e] == now_.tasks[p];
  }
  // The name the earlier row showed.
  const std::string& EarlierName(const TreeEntry& earlier) const {
    const auto e = static_cast<std::size_t>(earlier.index);
    return earlier.kind == kCategoryRow ? categories_[e].nom : tasks_[e].nom;
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

// An item that stays, its record changed; its text is set only when the name
// changed, as a tree lays out every item again for a new text.
void ShowAnew(const EditTarget& target, int position, const std::string& earlier_name) {
  const TreeEntry& row = target.document.rows[position];
  const std::string& name = RecordName(target.document, row);
  if (name != earlier_name) target.view.SetText(position, name);
  // An urgency without colours leaves an item's colours alone; this item
  // must lose those it had.
  if (row.kind == kTaskRow) {
    const std::int16_t importance = target.document.tasks[row.index].importance;
    if (importance < 1 || importance > 5) target.view.ClearColours(position);
  }
  RefreshRow(target.view, target.document, position, target.colours);
}

// The length of the first of two runs of rows that swapped places within
// the stretch [start, end), of the same length on both sides: a row with
// its rows moved past its neighbours, dragged, or moved a level out. The
// longer run keeps its items and must keep its levels; the shorter one is
// shown anew, so its levels may have changed, but it must be whole subtrees
// for its items to go. 0 when the stretch is no such swap.
std::size_t SwappedRun(const BothSides& sides, const std::vector<TreeEntry>& rows,
                       std::size_t start, std::size_t end) {
  const Earlier<TreeEntry>& earlier = sides.earlier_rows();
  const std::size_t length = end - start;
  // The first present row is where the first run's rows end before.
  std::size_t first = 1;
  while (first < length && !sides.SameRecord(earlier[start + first], rows[start])) ++first;
  if (first >= length) return 0;
  const bool first_shown_anew = first <= length - first;
  for (std::size_t k = 0; k < length; ++k) {
    const std::size_t from = (k + first) % length;
    const TreeEntry& before = earlier[start + from];
    if (!sides.SameRecord(before, rows[start + k])) return 0;
    const bool shown_anew = (from < first) == first_shown_anew;
    if (!shown_anew && before.level != rows[start + k].level) return 0;
  }
  // The run shown anew, [from, to) before, takes no row after it along.
  const std::size_t from = first_shown_anew ? start : start + first;
  const std::size_t to = first_shown_anew ? start + first : end;
  std::int32_t shallowest = earlier[from].level;
  for (std::size_t k = from; k < to; ++k) shallowest = std::min(shallowest, earlier[k].level);
  if (earlier[from].level != shallowest) return 0;
  if (to < earlier.size() && earlier[to].level > shallowest) return 0;
  return first;
}

// Where the earlier runs of the stretch [start, end) went, in the order the
// present rows show them, when the change only put whole runs (a row with
// the rows under it, all the runs at one level) in another order, as a sort
// does: every row the same record at the same level. Empty otherwise.
std::vector<RowRun> ReorderedRuns(const Earlier<TreeEntry>& earlier,
                                  const std::vector<TreeEntry>& rows, std::size_t start,
                                  std::size_t end) {
  const std::int32_t level = rows[start].level;
  // The runs of one side, each keyed by the record of its first row.
  const auto runs_of = [&](const auto& side) {
    std::vector<RowRun> runs;
    for (std::size_t k = start; k < end; ++k) {
      if (side[k].level < level) return std::vector<RowRun>{};
      if (side[k].level == level) runs.push_back({static_cast<int>(k), 0});
      if (runs.empty()) return std::vector<RowRun>{};
      ++runs.back().count;
    }
    return runs;
  };
  const std::vector<RowRun> before = runs_of(earlier);
  const std::vector<RowRun> after = runs_of(rows);
  if (before.size() < 2 || before.size() != after.size()) return {};
  const auto key = [](const TreeEntry& row) {
    return (static_cast<std::uint64_t>(static_cast<std::uint16_t>(row.kind)) << 32) |
           static_cast<std::uint32_t>(row.index);
  };
  std::unordered_map<std::uint64_t, RowRun> earlier_run;
  for (const RowRun& run : before) earlier_run.emplace(key(earlier[run.first]), run);
  std::vector<RowRun> moved;
  moved.reserve(after.size());
  for (const RowRun& run : after) {
    const auto found = earlier_run.find(key(rows[run.first]));
    if (found == earlier_run.end() || found->second.count != run.count) return {};
    for (int k = 0; k < run.count; ++k) {
      if (!(earlier[found->second.first + k] == rows[run.first + k])) return {};
    }
    moved.push_back(found->second);
  }
  return moved;
}

// Removes the items of the earlier rows [from, to), whole subtrees, which
// the view shows from `position` on.
void RemoveSubtrees(RowView& view, const Earlier<TreeEntry>& earlier, std::size_t from,
                    std::size_t to, std::size_t position) {
  for (std::size_t k = from; k < to;) {
    const std::int32_t level = earlier[k].level;
    view.Remove(static_cast<int>(position));
    for (++k; k < to && earlier[k].level > level; ++k) {
    }
  }
}

// Shows the present rows [from, to) as new items.
void InsertRows(const EditTarget& target, std::size_t from, std::size_t to) {
  const std::vector<TreeEntry>& rows = target.document.rows;
  std::vector<RowItem> items;
  items.reserve(to - from);
  for (std::size_t k = from; k < to; ++k) {
    items.push_back({RecordName(target.document, rows[k]), rows[k].level});
  }
  target.view.InsertRun(static_cast<int>(from), items);
  for (std::size_t k = from; k < to; ++k) {
    RefreshRow(target.view, target.document, static_cast<int>(k), target.colours);
  }
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

  // The present rows shown as new items, [fresh, fresh_end); within the
  // stretch, the rows [kept, kept_end) keep the items of the earlier rows
  // `kept_offset` further on.
  std::size_t fresh = start;
  std::size_t fresh_end = present_end;
  std::size_t kept = start;
  std::size_t kept_end = start;
  std::ptrdiff_t kept_offset = 0;
  const std::size_t first = earlier_end == present_end && present_end - start > 1
                                ? SwappedRun(sides, rows, start, present_end)
                                : 0;
  const std::size_t second = present_end - start - first;
  // Rows put in another order keep their items only when no record changed:
  // then the same record is the same row on both sides.
  const bool reorders = first == 0 && earlier_end == present_end && present_end > start &&
                        change.categories.empty() && change.tasks.empty();
  bool reordered = false;
  if (first != 0 && first <= second) {
    // The first run moved down past the second: only its items go and come.
    RemoveSubtrees(target.view, earlier, start, start + first, start);
    fresh = start + second;
    kept_end = fresh;
    kept_offset = static_cast<std::ptrdiff_t>(first);
  } else if (first != 0) {
    // The second run moved up past the first.
    RemoveSubtrees(target.view, earlier, start + first, earlier_end, start + first);
    fresh_end = start + second;
    kept = fresh_end;
    kept_end = present_end;
    kept_offset = -static_cast<std::ptrdiff_t>(second);
  } else if (const std::vector<RowRun> runs = reorders
                                                  ? ReorderedRuns(earlier, rows, start, present_end)
                                                  : std::vector<RowRun>{};
             !runs.empty()) {
    // Whole runs put in another order, as a sort does: every item stays.
    target.view.Reorder(static_cast<int>(start), runs);
    fresh = present_end;
    reordered = true;
  } else {
    RemoveSubtrees(target.view, earlier, start, earlier_end, start);
  }
  InsertRows(target, fresh, fresh_end);

  // Items that stay and show a changed record: a rename, a status, progress
  // carried up to the categories.
  int last_changed = -1;
  if (!change.categories.empty() || !change.tasks.empty()) {
    const std::size_t shift = earlier_end - present_end;
    for (std::size_t k = 0; k < rows.size(); ++k) {
      if (k == fresh) k = fresh_end;
      if (k >= rows.size()) break;
      const std::size_t before = k < start                   ? k
                                 : k >= kept && k < kept_end ? k + kept_offset
                                                             : k + shift;
      if (!sides.Changed(earlier[before], rows[k])) continue;
      ShowAnew(target, static_cast<int>(k), sides.EarlierName(earlier[before]));
      last_changed = static_cast<int>(k);
    }
  }

  // The row the step was about: the command's own choice, else the first row
  // that came, else the row above those that went, else the deepest changed
  // record (a task before the categories that follow it).
  int selected = last_changed;
  if (change.selected >= 0 && static_cast<std::size_t>(change.selected) < rows.size()) {
    selected = change.selected;
  } else if (reordered) {
    // The category whose rows were put in order, as the sort left it.
    const int parent = ParentRow(rows, static_cast<int>(start));
    selected = parent >= 0 ? parent : static_cast<int>(start);
  } else if (fresh_end > fresh) {
    selected = static_cast<int>(fresh);
  } else if (earlier_end > start && !rows.empty()) {
    selected = static_cast<int>(std::min(start, rows.size()) - (start > 0 ? 1 : 0));
  }
  if (selected != -1) target.view.Select(selected);
}

}  // namespace lumvik
