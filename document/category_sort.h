// Sorting what a category holds. Only its direct children are put in order,
// each with the rows under it; the categories among them keep their order
// and come first, the tasks follow sorted by one of their values. Rows that
// compare equal keep their order.
#pragma once

#include "document/edit_target.h"

namespace lumvik {

enum class SortKey {
  Name,      // A to Z, letter case and accents aside, as find compares
  DueDate,   // earliest first; no date, or one that is no date, last
  Urgency,   // 5 first
  Progress,  // lowest first
  Status,    // 1 first
};

// Sorts the children of the category at `position` and shows them in their
// new order, the category staying selected. Does nothing on a task row, and
// gives false when the order stays as it was, as it does for children that
// stand at different levels.
bool SortCategory(const EditTarget& target, int position, SortKey key);

}  // namespace lumvik
