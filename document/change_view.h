// The tree brought in line with a document that an undo or a redo changed:
// only the rows that look different are shown anew, so that the tree does
// no more work than the command it undoes.
#pragma once

#include "document/edit_history.h"
#include "document/edit_target.h"

namespace lumvik {

// `target.document` holds the `after` side of `change`, the view still shows
// its `before` side. Afterwards the view shows the document, and the first
// row that looks different is selected (nothing when no row is left).
void ShowChange(const EditTarget& target, const DocumentChange& change);

}  // namespace lumvik
