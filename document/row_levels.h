// Moving a row, with the rows under it, one level in or out of the
// categories around it. The moved rows keep their order and their nesting,
// a task never gets rows under it, and the categories that gain or lose a
// child follow their children's progress again.
#pragma once

#include "document/edit_target.h"

namespace lumvik {

// The nearest earlier sibling of the row that the view shows, or -1.
int PreviousShownSibling(const EditTarget& target, int position);

// Makes the row the last child of its previous shown sibling when that is a
// category, and selects it there. Does nothing otherwise; true when it moved.
bool MoveRowIn(const EditTarget& target, int position);

// Takes the row out of its parent to follow the parent's run, at the
// parent's level, and selects it there. Does nothing for a top-level row;
// true when it moved.
bool MoveRowOut(const EditTarget& target, int position);

// After a move of the rows `from` to `from` + `count`, whose items the view
// still shows as the subtree at `shown`: shows them afresh at their present
// place and levels.
void ShowMovedRun(const EditTarget& target, int shown, int from, int count);

// Shows the rows `from` to `from` + `count`, a row with the rows under it
// that the view does not show yet, with their decorations.
void ShowRun(const EditTarget& target, int from, int count);

}  // namespace lumvik
