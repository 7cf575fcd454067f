// Merging a document changed on screen with the same document changed
// elsewhere (another computer, another Lumvik, a script), from the version
// both started from. Rows have no identity in the file: a row is recognised
// under its parent by its kind and name, the n-th of equal names matching the
// n-th, and a renamed row by all else it holds, at its place between the rows
// recognised around it. A row moved to another parent is deleted there and
// added here. What one side changed is taken; what both changed differently
// keeps ours and keeps theirs beside it, so nothing is lost.
#pragma once

#include <string_view>
#include <vector>

#include "document/document.h"

namespace lumvik {

struct MergeConflict {
  enum class Kind {
    ChangedOnBothSides,  // ours stays; theirs follows it (a task) or is in its description
    ChangedAndDeleted,   // a row one side deleted and the other changed stays
  };
  Kind kind = Kind::ChangedOnBothSides;
  int row = -1;  // the row of the merged document that stays
};

struct MergedDocument {
  // Rows in order, each record list in row order; the file path is ours.
  Document document;
  std::vector<MergeConflict> conflicts;
  // The rows that are not as ours held them: taken, changed or kept from theirs.
  int rows_from_elsewhere = 0;
};

// `marker` ends the name of their version of a task changed on both sides,
// and introduces their name or description in a category's description.
MergedDocument MergeDocuments(const Document& base, const Document& theirs, const Document& ours,
                              std::string_view marker);

}  // namespace lumvik
