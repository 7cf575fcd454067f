// The recomputation of derived progress in its plainest form: each ancestor
// in turn, from its whole run, the mean taken in floating point and rounded
// down. Slow on deep trees; the engine's one-pass propagation must agree
// with it.
#pragma once

#include <cmath>
#include <cstdint>

#include "document/edit_target.h"
#include "document/row_decoration.h"
#include "document/row_records.h"
#include "document/tree_queries.h"

namespace lumvik::testing {

inline void WrittenRecomputeParent(const EditTarget& target, int position) {
  Document& document = target.document;
  const int parent = ParentRow(document.rows, position);
  if (parent == -1 || document.rows[parent].kind != kCategoryRow) return;
  const std::int32_t level = document.rows[position].level;
  const int descendants = DescendantCount(document.rows, parent);
  double sum = 0;
  int count = 0;
  for (int row = parent + 1; row <= parent + descendants; ++row) {
    if (document.rows[row].level == level) {
      sum += RecordProgress(document, document.rows[row]);
      ++count;
    }
  }
  CategoryRecord& category = document.categories.Edit(document.rows[parent].index);
  category.avancement = static_cast<std::int16_t>(std::floor(sum / count));
  RefreshCategoryRow(target.view, parent, category);
}

inline void WrittenPropagate(const EditTarget& target, int position) {
  for (int row = position; row != -1; row = ParentRow(target.document.rows, row)) {
    WrittenRecomputeParent(target, row);
  }
}

}  // namespace lumvik::testing
