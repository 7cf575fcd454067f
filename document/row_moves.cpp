#include "document/row_moves.h"

#include <algorithm>
#include <vector>

#include "document/row_decoration.h"
#include "document/row_levels.h"
#include "document/row_records.h"
#include "document/tree_queries.h"

namespace lumvik {

namespace {

// Puts the run of rows `first` to `last` at position `to` before it, through
// the move buffer, and shows its items there afresh.
void MoveRunUp(const EditTarget& target, int first, int last, int to) {
  Document& document = target.document;
  std::vector<TreeEntry>& buffer = document.move_buffer;
  const auto rows = document.rows.begin();
  buffer.assign(rows + first, rows + last + 1);
  std::move_backward(rows + to, rows + first, rows + last + 1);
  std::copy(buffer.begin(), buffer.end(), rows + to);
  target.view.Remove(first);
  std::vector<RowItem> items;
  items.reserve(buffer.size());
  for (const TreeEntry& row : buffer) items.push_back({RecordName(document, row), row.level});
  target.view.InsertRun(to, items);
  for (int row = to; row <= to + last - first; ++row) {
    RefreshRow(target.view, document, row, target.colours);
  }
  buffer.clear();
}

// Puts one row that has no descendants after the run that follows it, up to
// `last`, and shows its item there afresh.
void MoveRowDown(const EditTarget& target, int row, int last) {
  Document& document = target.document;
  const auto rows = document.rows.begin();
  std::rotate(rows + row, rows + row + 1, rows + last + 1);
  target.view.Remove(row);
  target.view.Insert(last, RecordName(document, document.rows[last]), document.rows[last].level);
  RefreshRow(target.view, document, last, target.colours);
}

// The previous sibling that a row moves up past, or -1: rows the view
// hides are passed over and keep their order.
int PlaceAbove(const EditTarget& target, int position) {
  if (!IsRowPosition(target.document, position) || position == 0) return -1;
  return PreviousShownSibling(target, position);
}

bool MoveCategoryUpIfPossible(const EditTarget& target, int position) {
  const int sibling = PlaceAbove(target, position);
  if (sibling == -1) return false;
  const int last = position + DescendantCount(target.document.rows, position);
  // A sibling right above has no descendants: moving it alone below the run
  // re-creates one item instead of the whole run.
  if (sibling == position - 1) {
    MoveRowDown(target, sibling, last);
  } else {
    MoveRunUp(target, position, last, sibling);
  }
  return true;
}

bool MoveTaskUpIfPossible(const EditTarget& target, int position) {
  const int sibling = PlaceAbove(target, position);
  if (sibling == -1) return false;
  MoveRunUp(target, position, position + DescendantCount(target.document.rows, position), sibling);
  target.view.Select(sibling);
  return true;
}

// Moves the run after the row's run up by the rules of its kind; the row's
// new position, or -1 when nothing moved.
int MoveFollowingRunUp(const EditTarget& target, int position) {
  const Document& document = target.document;
  if (!IsRowPosition(document, position)) return -1;
  int following = position + DescendantCount(document.rows, position) + 1;
  while (IsRowPosition(document, following) && !target.view.Shown(following)) {
    following += DescendantCount(document.rows, following) + 1;
  }
  if (!IsRowPosition(document, following)) return -1;
  const int following_descendants = DescendantCount(document.rows, following);
  const bool moved = document.rows[following].kind == kCategoryRow
                         ? MoveCategoryUpIfPossible(target, following)
                         : MoveTaskUpIfPossible(target, following);
  return moved ? position + following_descendants + 1 : -1;
}

}  // namespace

void MoveCategoryUp(const EditTarget& target, int position) {
  // The run now starts where its previous sibling started. A run that was
  // made anew there lost its selection with its old items: the row is
  // selected at its new place, so that the next press moves it again.
  const int sibling = PlaceAbove(target, position);
  if (MoveCategoryUpIfPossible(target, position)) target.view.Select(sibling);
}

void MoveTaskUp(const EditTarget& target, int position) { MoveTaskUpIfPossible(target, position); }

void MoveCategoryDown(const EditTarget& target, int position) {
  const int moved_to = MoveFollowingRunUp(target, position);
  if (moved_to == -1) return;
  const int last = moved_to + DescendantCount(target.document.rows, moved_to);
  for (int row = position; row <= last; ++row) {
    RefreshRow(target.view, target.document, row, target.colours);
  }
  target.view.Select(moved_to);
}

void MoveTaskDown(const EditTarget& target, int position) {
  const int moved_to = MoveFollowingRunUp(target, position);
  if (moved_to != -1) target.view.Select(moved_to);
}

}  // namespace lumvik
