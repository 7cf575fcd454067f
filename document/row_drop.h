// Dragging a row, with the rows under it, onto another row of the tree.
// Dropped on a category, the row becomes its last child; dropped on a task,
// it follows the task as its next sibling, so a task never gets rows under
// it. Categories and tasks may stand side by side at any level, the top one
// included, so every other drop is allowed. The moved rows keep their order
// and their nesting, and the categories that lose or gain a child follow
// their children's progress again.
#pragma once

#include <optional>

#include "document/edit_target.h"

namespace lumvik {

// Moves the row at `position` where a drop onto the row at `onto` puts it,
// and selects it there; gives its new position. Does nothing, and gives
// nothing, when either position is no row, when `onto` is the row itself or
// one of its descendants, when the row already stands where the drop puts
// it, and when a row of its run would go deeper than a level can be.
std::optional<int> DropRow(const EditTarget& target, int position, int onto);

}  // namespace lumvik
