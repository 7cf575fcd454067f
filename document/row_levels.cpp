#include "document/row_levels.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "document/progress_propagation.h"
#include "document/row_decoration.h"
#include "document/row_records.h"
#include "document/tree_queries.h"

namespace lumvik {

namespace {

// Levels are whatever a file gave, up to the ends of their range: the shift
// is worked out wide, and each new level lies between levels that exist.
void ShiftLevels(Document& document, int from, int count, std::int64_t by) {
  for (int row = from; row < from + count; ++row) {
    std::int32_t& level = document.rows[row].level;
    level = static_cast<std::int32_t>(level + by);
  }
}

}  // namespace

void ShowMovedRun(const EditTarget& target, int shown, int from, int count) {
  const Document& document = target.document;
  target.view.Remove(shown);
  std::vector<RowItem> items;
  items.reserve(static_cast<std::size_t>(count));
  for (int row = from; row < from + count; ++row) {
    items.push_back({RecordName(document, document.rows[row]), document.rows[row].level});
  }
  target.view.InsertRun(from, items);
  for (int row = from; row < from + count; ++row) {
    RefreshRow(target.view, document, row, target.colours);
  }
}

bool MoveRowIn(const EditTarget& target, int position) {
  Document& document = target.document;
  if (!IsRowPosition(document, position)) return false;
  const int sibling = PreviousSibling(document.rows, position);
  if (sibling == -1 || document.rows[sibling].kind != kCategoryRow) return false;
  // The row's run follows the sibling's run already: one level deeper, it
  // ends that run.
  const int count = DescendantCount(document.rows, position) + 1;
  const auto run = document.rows.begin() + position;
  if (std::any_of(run, run + count, [](const TreeEntry& row) {
        return row.level == std::numeric_limits<std::int32_t>::max();
      })) {
    return false;  // a row as deep as a level can be goes no deeper
  }
  ShiftLevels(document, position, count, 1);
  ShowMovedRun(target, position, position, count);
  PropagateProgress(target, position);
  target.view.Select(position);
  return true;
}

bool MoveRowOut(const EditTarget& target, int position) {
  Document& document = target.document;
  const int parent = ParentRow(document.rows, position);
  if (parent == -1) return false;
  const int count = DescendantCount(document.rows, position) + 1;
  const int parent_end = parent + DescendantCount(document.rows, parent) + 1;
  const auto rows = document.rows.begin();
  std::rotate(rows + position, rows + position + count, rows + parent_end);
  const int moved = parent_end - count;
  ShiftLevels(document, moved, count,
              std::int64_t{document.rows[parent].level} - document.rows[moved].level);
  ShowMovedRun(target, position, moved, count);
  // The parent follows the children it keeps; without any, it keeps its own
  // progress. The row's new parent follows its children too.
  if (DescendantCount(document.rows, parent) > 0) PropagateProgress(target, parent + 1);
  PropagateProgress(target, moved);
  target.view.Select(moved);
  return true;
}

}  // namespace lumvik
