#include "document/row_drop.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "document/progress_propagation.h"
#include "document/row_levels.h"
#include "document/row_records.h"
#include "document/tree_queries.h"

namespace lumvik {

namespace {

// How far the run's levels move so that its first row stands where the drop
// puts it, worked out wide: levels are whatever a file gave, up to the ends
// of their range. Nothing when the run's deepest row would leave the range;
// the new levels cannot go below it, as each one lies deeper than the row
// dropped onto or at its level.
std::optional<std::int64_t> LevelShift(const Document& document, int position, int count,
                                       int onto) {
  const TreeEntry& dropped_onto = document.rows[onto];
  const std::int64_t level =
      std::int64_t{dropped_onto.level} + (dropped_onto.kind == kCategoryRow ? 1 : 0);
  const std::int64_t by = level - document.rows[position].level;
  const auto run = document.rows.begin() + position;
  const auto deepest = std::max_element(
      run, run + count, [](const TreeEntry& a, const TreeEntry& b) { return a.level < b.level; });
  if (deepest->level + by > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return by;
}

}  // namespace

std::optional<int> DropRow(const EditTarget& target, int position, int onto) {
  Document& document = target.document;
  if (!IsRowPosition(document, position) || !IsRowPosition(document, onto)) return std::nullopt;
  const int count = DescendantCount(document.rows, position) + 1;
  if (onto >= position && onto < position + count) return std::nullopt;  // into its own run
  const std::optional<std::int64_t> shift = LevelShift(document, position, count, onto);
  if (!shift) return std::nullopt;
  // A category's last child and a task's next sibling both start right
  // after the run of the row dropped onto; rows that a file put under a task
  // stay under it.
  const int end = onto + DescendantCount(document.rows, onto) + 1;
  const bool upward = end <= position;
  const int moved = upward ? end : end - count;
  if (moved == position && *shift == 0) return std::nullopt;

  int parent = ParentRow(document.rows, position);
  const auto rows = document.rows.begin();
  if (upward) {
    std::rotate(rows + end, rows + position, rows + position + count);
    if (parent >= end) parent += count;
  } else {
    std::rotate(rows + position, rows + position + count, rows + end);
  }
  for (int row = moved; row < moved + count; ++row) {
    std::int32_t& level = document.rows[row].level;
    level = static_cast<std::int32_t>(level + *shift);
  }
  ShowMovedRun(target, position, moved, count);
  // The old parent follows the children it keeps; without any, it keeps its
  // own progress. The new parent follows its children, the dropped row
  // among them; when the two share ancestors, this last pass leaves them
  // following both.
  if (parent != -1 && DescendantCount(document.rows, parent) > 0) {
    PropagateProgress(target, parent + 1);
  }
  PropagateProgress(target, moved);
  target.view.Select(moved);
  return moved;
}

}  // namespace lumvik
