#include "document/progress_propagation.h"

#include <cstdint>
#include <vector>

#include "document/progress_mean.h"
#include "document/row_decoration.h"
#include "document/row_records.h"
#include "document/tree_queries.h"

namespace lumvik {

namespace {

bool IsCategoryRow(const Document& document, int position) {
  return document.rows[position].kind == kCategoryRow;
}

void SetCategoryProgress(const EditTarget& target, int position, std::int16_t avancement) {
  CategoryRecord& category = target.document.categories.Edit(target.document.rows[position].index);
  category.avancement = avancement;
  RefreshCategoryRow(target.view, position, category);
}

// The row, its parent, its parent's parent and so on to a row without one.
std::vector<int> AncestorPath(const std::vector<TreeEntry>& rows, int position) {
  std::vector<int> path{position};
  std::int32_t level = rows[position].level;
  for (int row = position - 1; row >= 0; --row) {
    if (rows[row].level < level) {
      path.push_back(row);
      level = rows[row].level;
    }
  }
  return path;
}

// What each ancestor's mean takes besides the path row below it.
struct OtherChildren {
  std::int64_t sum = 0;
  std::int64_t count = 0;
};

// For path[i + 1], the rows of its run at the level of path[i], path[i]
// itself left out. The runs nest, and a row outside path[i]'s run but inside
// path[i + 1]'s is deeper than path[i + 1] and every ancestor above it, so
// the only level it can stand at among the path rows is that of path[i].
std::vector<OtherChildren> OtherChildrenAlong(const Document& document,
                                              const std::vector<int>& path) {
  const std::vector<TreeEntry>& rows = document.rows;
  const int top = static_cast<int>(path.size()) - 1;
  const std::int32_t top_level = rows[path[top]].level;
  const int row_count = static_cast<int>(rows.size());
  std::vector<OtherChildren> others(top);
  int inner = top;  // the innermost path row whose run holds the row
  for (int row = path[top] + 1; row < row_count && rows[row].level > top_level; ++row) {
    const std::int32_t level = rows[row].level;
    while (inner < top && level <= rows[path[inner]].level) ++inner;
    if (inner == 0) continue;  // among the edited row's own descendants
    const int below = path[inner - 1];
    if (row == below) {
      --inner;
    } else if (level == rows[below].level) {
      others[inner - 1].sum += RecordProgress(document, rows[row]);
      ++others[inner - 1].count;
    }
  }
  return others;
}

}  // namespace

void RecomputeParentProgress(const EditTarget& target, int position) {
  Document& document = target.document;
  if (!IsRowPosition(document, position)) return;
  const int parent = ParentRow(document.rows, position);
  if (parent == -1 || !IsCategoryRow(document, parent)) return;
  const std::int32_t level = document.rows[position].level;
  const int last = parent + DescendantCount(document.rows, parent);
  OtherChildren children;
  for (int row = parent + 1; row <= last; ++row) {
    if (document.rows[row].level != level) continue;
    children.sum += RecordProgress(document, document.rows[row]);
    ++children.count;
  }
  SetCategoryProgress(target, parent, FloorMean(children.sum, children.count));
}

void PropagateProgress(const EditTarget& target, int position) {
  Document& document = target.document;
  if (!IsRowPosition(document, position)) return;
  const std::vector<int> path = AncestorPath(document.rows, position);
  const std::vector<OtherChildren> others = OtherChildrenAlong(document, path);
  for (std::size_t i = 0; i < others.size(); ++i) {
    const int parent = path[i + 1];
    if (!IsCategoryRow(document, parent)) continue;
    const std::int16_t child = RecordProgress(document, document.rows[path[i]]);
    SetCategoryProgress(target, parent, FloorMean(others[i].sum + child, others[i].count + 1));
  }
}

}  // namespace lumvik
