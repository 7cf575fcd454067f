// Moving a category with its contents, or a task, among its siblings. A row
// never changes its parent through a move, so no progress is recomputed.
// Where the row has no sibling on that side (the row above is its parent,
// or levels jump past it), a move does nothing at all. Rows that the view
// hides are passed over: a row moves past the neighbouring row shown, and
// the hidden rows keep their order.
#pragma once

#include "document/edit_target.h"

namespace lumvik {

// Swaps the row's run with that of its previous sibling, and selects the
// row at its new position.
void MoveCategoryUp(const EditTarget& target, int position);

// Puts the task above its previous sibling's run and selects it there. A
// task under which a file put deeper rows takes them along.
void MoveTaskUp(const EditTarget& target, int position);

// Moves the run that follows the row's run above it, by the rules of the
// moves up: its next sibling's, or when the row is the last child of its
// category, that of the row after the category, which goes above the whole
// enclosing run. The moved rows are shown afresh, and the row is selected at
// its new position.
void MoveCategoryDown(const EditTarget& target, int position);

// As MoveCategoryDown, the task and any rows under it taking the place of
// the run that moves up.
void MoveTaskDown(const EditTarget& target, int position);

}  // namespace lumvik
