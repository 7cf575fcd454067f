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
  target.view.Remove(shown);
  ShowRun(target, from, count);
}

void ShowRun(const EditTarget& target, int from, int count) {
  const Document& document = target.document;
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

int PreviousShownSibling(const EditTarget& target, int position) {
  int sibling = PreviousSibling(target.document.rows, position);
  while (sibling != -1 && !target.view.Shown(sibling)) {
    sibling = PreviousSibling(target.document.rows, sibling);
  }
  return sibling;
}

bool MoveRowIn(const EditTarget& target, int position) {
  Document& document = target.document;
  if (!IsRowPosition(document, position)) return false;
  const int sibling = PreviousShownSibling(target, position);
  if (sibling == -1 || document.rows[sibling].kind != kCategoryRow) return false;
  const int count = DescendantCount(document.rows, position) + 1;
  const auto rows = document.rows.begin();
  if (std::any_of(rows + position, rows + position + count, [](const TreeEntry& row) {
        return row.level == std::numeric_limits<std::int32_t>::max();
      })) {
    return false;  // a row as deep as a level can be goes no deeper
  }
  // One level deeper, the row's run ends the sibling's run; rows hidden
  // between them stay after it, in their order.
  const int moved = sibling + DescendantCount(document.rows, sibling) + 1;
  std::rotate(rows + moved, rows + position, rows + position + count);
  ShiftLevels(document, moved, count, 1);
  ShowMovedRun(target, position, moved, count);
  PropagateProgress(target, moved);
  target.view.Select(moved);
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
