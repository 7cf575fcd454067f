#include "document/tree_queries.h"

namespace lumvik {

namespace {

bool IsRow(std::span<const TreeEntry> rows, int position) {
  return position >= 0 && static_cast<std::size_t>(position) < rows.size();
}

}  // namespace

int ParentRow(std::span<const TreeEntry> rows, int position) {
  if (!IsRow(rows, position)) return -1;
  const std::int32_t level = rows[position].level;
  for (int row = position - 1; row >= 0; --row) {
    if (rows[row].level < level) return row;
  }
  return -1;
}

int PreviousSibling(std::span<const TreeEntry> rows, int position) {
  if (!IsRow(rows, position)) return -1;
  const std::int32_t level = rows[position].level;
  for (int row = position - 1; row >= 0; --row) {
    if (rows[row].level <= level) return rows[row].level == level ? row : -1;
  }
  return -1;
}

int DescendantCount(std::span<const TreeEntry> rows, int position) {
  if (!IsRow(rows, position)) return 0;
  const std::int32_t level = rows[position].level;
  std::size_t row = static_cast<std::size_t>(position) + 1;
  while (row < rows.size() && rows[row].level > level) ++row;
  return static_cast<int>(row - static_cast<std::size_t>(position) - 1);
}

}  // namespace lumvik
