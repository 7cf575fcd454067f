// The tree brought in line with a document that an undo or a redo changed:
// only the rows that look different are shown anew, so that the tree does
// no more work than the command it undoes.
#pragma once

#include "document/edit_history.h"
#include "document/edit_target.h"

namespace lumvik {

// `target.document` holds the `after` side of `change`, the view still shows
// its `before` side. Afterwards the view shows the document, with the row
// the step was about selected: the change's own choice when it has one, else
// the first row that came back, the row above rows that went, or the row
// whose record changed.
void ShowChange(const EditTarget& target, const DocumentChange& change);

}  // namespace lumvik
