#include "document/tree_rebuild.h"

namespace lumvik {

namespace {

const std::string& NameOf(const Document& document, const TreeEntry& row) {
  return row.kind == kCategoryRow ? document.categories[row.index].nom
                                  : document.tasks[row.index].nom;
}

}  // namespace

void RebuildTree(RowView& view, const Document& document, const UrgencyColours& colours) {
  view.Clear();
  const int row_count = static_cast<int>(document.rows.size());
  for (int position = 0; position < row_count; ++position) {
    const TreeEntry& row = document.rows[position];
    view.Insert(position, NameOf(document, row), row.level);
  }
  for (int position = 0; position < row_count; ++position) {
    RefreshRow(view, document, position, colours);
  }
}

}  // namespace lumvik
