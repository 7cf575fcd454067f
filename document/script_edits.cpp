#include "document/script_edits.h"

#include "document/document_file.h"
#include "document/row_forest.h"

namespace lumvik {

namespace {

constexpr std::int16_t kDoneStatus = 4;
constexpr std::int16_t kFullProgress = 10;

const std::string& NameOf(const Document& document, const TreeEntry& row) {
  const auto index = static_cast<std::size_t>(row.index);
  return row.kind == kCategoryRow ? document.categories[index].nom : document.tasks[index].nom;
}

// The rows of `kind` named `name` among the children of the nodes.
std::vector<int> ChildrenNamed(const RowForest& forest, const std::vector<int>& nodes,
                               const std::string& name, std::int16_t kind) {
  const Document& document = forest.document();
  std::vector<int> found;
  for (const int node : nodes) {
    for (const int child : forest.Children(node)) {
      const TreeEntry& row = document.rows[static_cast<std::size_t>(child)];
      if (row.kind == kind && NameOf(document, row) == name) found.push_back(child);
    }
  }
  return found;
}

}  // namespace

std::optional<std::vector<std::string>> SplitRowPath(std::string_view path) {
  std::vector<std::string> names(1);
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] != '/') {
      names.back() += path[i];
    } else if (i + 1 < path.size() && path[i + 1] == '/') {
      names.back() += '/';
      ++i;
    } else {
      names.emplace_back();
    }
  }
  for (const std::string& name : names) {
    if (name.empty()) return std::nullopt;
  }
  return names;
}

PathFinding AddTaskAt(Document& document, const std::vector<std::string>& categories,
                      TaskRecord task) {
  std::size_t end = document.rows.size();  // where the new rows go
  std::int32_t level = document.rows.empty() ? 0 : document.rows.front().level;
  std::size_t known = 0;  // the categories of the path that exist
  {
    const RowForest forest(document);
    std::vector<int> parents = {forest.root()};
    for (; known < categories.size(); ++known) {
      std::vector<int> found = ChildrenNamed(forest, parents, categories[known], kCategoryRow);
      if (found.empty()) break;
      parents = std::move(found);
    }
    if (parents.size() > 1) return PathFinding::Several;
    if (parents.front() != forest.root()) {
      // After the parent's last row: the first later row no deeper than it.
      const auto parent = static_cast<std::size_t>(parents.front());
      level = document.rows[parent].level + 1;
      end = parent + 1;
      while (end < document.rows.size() && document.rows[end].level >= level) ++end;
    }
  }
  std::vector<TreeEntry> added;
  for (std::size_t k = known; k < categories.size(); ++k, ++level) {
    added.push_back({kCategoryRow, static_cast<std::int32_t>(document.categories.size()), level});
    document.categories.push_back({categories[k], "", 0});
  }
  added.push_back({kTaskRow, static_cast<std::int32_t>(document.tasks.size()), level});
  document.tasks.push_back(std::move(task));
  document.rows.insert(document.rows.begin() + static_cast<std::ptrdiff_t>(end), added.begin(),
                       added.end());
  RecomputeLoadedProgress(document);
  return PathFinding::One;
}

PathFinding MarkTaskDone(Document& document, const std::vector<std::string>& path) {
  std::vector<int> found;
  {
    const RowForest forest(document);
    found = {forest.root()};
    for (std::size_t k = 0; k < path.size() && !found.empty(); ++k) {
      found = ChildrenNamed(forest, found, path[k], k + 1 < path.size() ? kCategoryRow : kTaskRow);
    }
  }
  if (found.empty()) return PathFinding::None;
  if (found.size() > 1) return PathFinding::Several;
  TaskRecord& task = document.tasks.Edit(
      static_cast<std::size_t>(document.rows[static_cast<std::size_t>(found[0])].index));
  task.statut = kDoneStatus;
  task.avancement = kFullProgress;
  RecomputeLoadedProgress(document);
  return PathFinding::One;
}

}  // namespace lumvik
