// The nesting of the rows, read from their levels alone: a row's parent is
// the nearest earlier row with a smaller level, and its descendants are the
// deeper rows that follow it directly.
#pragma once

#include <span>

#include "document/document.h"

namespace lumvik {

// The parent's position, or -1 for a position that is no row and for a row
// that no earlier row is shallower than (a top-level row, or the first rows
// of a file that starts deeper than it goes on).
int ParentRow(std::span<const TreeEntry> rows, int position);

// The nearest earlier row that is not deeper than the row, when it stands at
// the row's level; -1 when there is none or it is shallower: then it is the
// row's parent, and no sibling stands between them even where levels jump.
int PreviousSibling(std::span<const TreeEntry> rows, int position);

// How many rows directly after `position` are deeper than it: the row and
// its descendants are the positions `position` to `position` + count. 0 for a
// position that is no row.
int DescendantCount(std::span<const TreeEntry> rows, int position);

}  // namespace lumvik
