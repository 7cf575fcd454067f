#include "document/row_edits.h"

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "document/progress_propagation.h"
#include "document/row_decoration.h"
#include "document/row_records.h"
#include "document/tree_queries.h"

namespace lumvik {

namespace {

void InsertCategory(const EditTarget& target, int position, std::int32_t level,
                    const std::string& name) {
  Document& document = target.document;
  const TreeEntry row{kCategoryRow, static_cast<std::int32_t>(document.categories.size()), level};
  document.categories.push_back({name, "", 0});
  document.rows.insert(document.rows.begin() + position, row);
  target.view.Insert(position, name, level);
  RefreshCategoryRow(target.view, position, document.categories.back());
}

// Where a new sibling of the row goes: after the last row of the run of
// rows at its level or deeper that holds it, before the first later row
// that is shallower. Every row between the row's parent and there is at
// least as deep, so the new row has the same parent, and it takes no row
// under it.
int AfterLastSibling(const std::vector<TreeEntry>& rows, int position) {
  const std::int32_t level = rows[position].level;
  int row = position + 1;
  while (row < static_cast<int>(rows.size()) && rows[row].level >= level) ++row;
  return row;
}

// The position of a new last child of the row, or -1 when it can have none.
int NewChildPosition(const Document& document, int position) {
  if (!IsRowPosition(document, position)) return -1;
  const TreeEntry& row = document.rows[position];
  if (row.kind != kCategoryRow || row.level == std::numeric_limits<std::int32_t>::max()) return -1;
  return position + DescendantCount(document.rows, position) + 1;
}

// Drops the marked records, keeping the order of the others, and gives for
// each former index the new index of that record if it stays.
template <typename Record>
std::vector<std::int32_t> RemoveMarked(RecordList<Record>& records,
                                       const std::vector<bool>& removed) {
  std::vector<std::int32_t> new_index(records.size());
  std::int32_t kept = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    new_index[i] = kept;
    if (!removed[i]) ++kept;
  }
  records.EraseMarked(removed);
  return new_index;
}

// A category whose progress follows its children follows the ones that are
// left; one left without any keeps its value, now its own.
void FollowRemainingChildren(const EditTarget& target, int parent) {
  if (parent == -1 || DescendantCount(target.document.rows, parent) == 0) return;
  PropagateProgress(target, parent + 1);
}

}  // namespace

void AddSiblingCategory(const EditTarget& target, int position, const std::string& new_name) {
  const Document& document = target.document;
  if (!IsRowPosition(document, position) || document.rows[position].kind != kCategoryRow) return;
  const int added = AfterLastSibling(document.rows, position);
  InsertCategory(target, added, document.rows[position].level, new_name);
  // From the row before the new one: its parent is among that row's ancestors.
  if (ParentRow(document.rows, added) != -1) PropagateProgress(target, added - 1);
}

void AddSubCategory(const EditTarget& target, int position, const std::string& new_name) {
  const int child = NewChildPosition(target.document, position);
  if (child == -1) return;
  InsertCategory(target, child, target.document.rows[position].level + 1, new_name);
  PropagateProgress(target, child);
}

void AddTask(const EditTarget& target, int position, const std::string& new_name,
             const std::string& today) {
  Document& document = target.document;
  const int child = NewChildPosition(document, position);
  if (child == -1) return;
  const std::int32_t level = document.rows[position].level + 1;
  target.view.Insert(child, new_name, level);
  document.rows.insert(document.rows.begin() + child,
                       {kTaskRow, static_cast<std::int32_t>(document.tasks.size()), level});
  document.tasks.push_back({new_name, "", today, today, 0, 1, 1});
  RefreshTaskRow(target.view, child, document.tasks.back(), target.colours);
  PropagateProgress(target, child);
}

void DeleteCategory(const EditTarget& target, int position) {
  Document& document = target.document;
  if (!IsRowPosition(document, position)) return;
  const int parent = ParentRow(document.rows, position);
  const auto first = document.rows.begin() + position;
  const auto end = first + DescendantCount(document.rows, position) + 1;
  std::vector<bool> removed_categories(document.categories.size());
  std::vector<bool> removed_tasks(document.tasks.size());
  for (auto row = first; row != end; ++row) {
    (row->kind == kCategoryRow ? removed_categories : removed_tasks)[row->index] = true;
  }
  const std::vector<std::int32_t> category_index =
      RemoveMarked(document.categories, removed_categories);
  const std::vector<std::int32_t> task_index = RemoveMarked(document.tasks, removed_tasks);
  document.rows.erase(first, end);
  for (TreeEntry& row : document.rows) {
    row.index = (row.kind == kCategoryRow ? category_index : task_index)[row.index];
  }
  target.view.Remove(position);
  FollowRemainingChildren(target, parent);
}

void DeleteTask(const EditTarget& target, int position) {
  Document& document = target.document;
  if (!IsRowPosition(document, position) || document.rows[position].kind != kTaskRow) return;
  const std::int32_t removed = document.rows[position].index;
  const int parent = ParentRow(document.rows, position);
  const int kept_descendants = DescendantCount(document.rows, position);
  for (TreeEntry& row : document.rows) {
    if (row.kind == kTaskRow && row.index > removed) --row.index;
  }
  document.rows.erase(document.rows.begin() + position);
  document.tasks.erase(document.tasks.begin() + removed);
  // The tree takes an item's descendants with it.
  target.view.Remove(position);
  for (int row = position; row < position + kept_descendants; ++row) {
    target.view.Insert(row, RecordName(document, document.rows[row]), document.rows[row].level);
    RefreshRow(target.view, document, row, target.colours);
  }
  FollowRemainingChildren(target, parent);
}

}  // namespace lumvik
