// The tree shown anew after a document is read or created.
#pragma once

#include "document/document.h"
#include "document/row_view.h"

namespace lumvik {

// Empties the view, adds one item per row (the record's name at the row's
// level) and decorates every row. Progress is shown as the document holds
// it: the read has already recomputed the categories that follow their
// children.
void RebuildTree(RowView& view, const Document& document, const UrgencyColours& colours);

}  // namespace lumvik
