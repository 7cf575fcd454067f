// Adding categories and tasks, and deleting them with what they hold.
#pragma once

#include <string>

#include "document/edit_target.h"

namespace lumvik {

// A new category (named `new_name`, progress 0) beside the row: after the
// last of its parent's children at its level, which is the last row of the
// document for a top-level row; the parent's progress is then recomputed.
// A row that no earlier row is shallower than (the first rows of a file that
// starts deep) gets a sibling that has no parent either. Does nothing on a
// task row.
void AddSiblingCategory(const EditTarget& target, int position, const std::string& new_name);

// A new category as the last child of the row. Does nothing on a task row,
// and on a row as deep as a level can be.
void AddSubCategory(const EditTarget& target, int position, const std::string& new_name);

// A new task as the last child of the row, its start and due dates `today`
// in the date mask, first status, first importance, progress 0. Does nothing
// where AddSubCategory does nothing.
void AddTask(const EditTarget& target, int position, const std::string& new_name,
             const std::string& today);

// Removes the row with its descendants and all their records; every other
// row keeps naming its own record. The parent's progress then follows the
// children it has left, if any. Selects nothing.
void DeleteCategory(const EditTarget& target, int position);

// Removes a task row and its record. Rows that a file put under the task
// stay in the document and are shown again under the row above them. Does
// nothing on a category row. The parent's progress follows the children it
// has left, if any. Selects nothing.
void DeleteTask(const EditTarget& target, int position);

}  // namespace lumvik
