#include "document/tree_rebuild.h"

#include "document/row_decoration.h"
#include "document/row_records.h"

namespace lumvik {

void RebuildTree(RowView& view, const Document& document, const UrgencyColours& colours) {
  view.Clear();
  const int row_count = static_cast<int>(document.rows.size());
  for (int position = 0; position < row_count; ++position) {
    const TreeEntry& row = document.rows[position];
    view.Insert(position, RecordName(document, row), row.level);
  }
  for (int position = 0; position < row_count; ++position) {
    RefreshRow(view, document, position, colours);
  }
}

}  // namespace lumvik
