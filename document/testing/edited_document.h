// A document shown in a MemoryRowView, for tests of the editing commands,
// written and read as an outline: one word a row, a name whose first letter
// is upper case for a category and lower case for a task, its level, and
// optionally "=" and its progress ("House0=5 mow1 Garden1 weed2=10").
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "document/edit_target.h"
#include "document/row_decoration.h"
#include "document/row_records.h"
#include "document/testing/memory_row_view.h"
#include "document/tree_rebuild.h"

namespace lumvik::testing {

inline const UrgencyColours kUrgencyColours = {
    RowColours{1, 10}, RowColours{2, 20}, RowColours{3, 30}, RowColours{4, 40}, RowColours{5, 50}};

// The records in row order, as a read leaves them.
inline Document OutlineDocument(std::string_view outline) {
  Document document;
  std::istringstream words{std::string(outline)};
  for (std::string word; words >> word;) {
    const std::size_t level_at = word.find_first_of("-0123456789");
    const std::size_t progress_at = word.find('=');
    const std::string name = word.substr(0, level_at);
    const auto level = static_cast<std::int32_t>(std::stol(word.substr(level_at)));
    const auto progress = static_cast<std::int16_t>(
        progress_at == std::string::npos ? 0 : std::stoi(word.substr(progress_at + 1)));
    if (std::isupper(static_cast<unsigned char>(name[0]))) {
      document.rows.push_back(
          {kCategoryRow, static_cast<std::int32_t>(document.categories.size()), level});
      document.categories.push_back({name, "", progress});
    } else {
      document.rows.push_back({kTaskRow, static_cast<std::int32_t>(document.tasks.size()), level});
      document.tasks.push_back({name, "", "", "", progress, 1, 1});
    }
  }
  return document;
}

// Each row's record name and level, without progress.
inline std::string Outline(const Document& document) {
  std::string outline;
  for (const TreeEntry& row : document.rows) {
    if (!outline.empty()) outline += ' ';
    outline += RecordName(document, row) + std::to_string(row.level);
  }
  return outline;
}

// Each row's record progress, in row order.
inline std::vector<int> Progress(Document& document) {
  std::vector<int> progress;
  for (const TreeEntry& row : document.rows) progress.push_back(RecordProgress(document, row));
  return progress;
}

inline bool SameRowsAndRecords(const Document& a, const Document& b) {
  return a.rows == b.rows && a.categories == b.categories && a.tasks == b.tasks;
}

// Every record named by exactly one row, and every row shown as an item with
// its record's name at its level and its record's decorations.
inline ::testing::AssertionResult ShownAsIs(const Document& document, const MemoryRowView& view,
                                            const UrgencyColours& colours) {
  if (view.Count() != static_cast<int>(document.rows.size())) {
    return ::testing::AssertionFailure()
           << view.Count() << " items for " << document.rows.size() << " rows";
  }
  std::vector<int> category_rows(document.categories.size());
  std::vector<int> task_rows(document.tasks.size());
  for (std::size_t position = 0; position < document.rows.size(); ++position) {
    const TreeEntry& row = document.rows[position];
    std::vector<int>& named = row.kind == kCategoryRow ? category_rows : task_rows;
    if (row.index < 0 || static_cast<std::size_t>(row.index) >= named.size() ||
        ++named[row.index] > 1) {
      return ::testing::AssertionFailure() << "row " << position << " names no record of its own";
    }
    MemoryRow shown;
    shown.text = RecordName(document, row);
    shown.depth = row.level;
    if (row.kind == kCategoryRow) {
      const CategoryRecord& category = document.categories[row.index];
      shown.icon = CategoryIcon(category);
      shown.state_index = ProgressStateIndex(category.avancement);
    } else {
      const TaskRecord& task = document.tasks[row.index];
      shown.icon = TaskStatusIcon(task);
      shown.state_index = ProgressStateIndex(task.avancement);
      if (task.importance >= 1 && task.importance <= 5)
        shown.colours = colours[task.importance - 1];
    }
    shown.selected = view.rows()[position].selected;
    shown.expanded = view.rows()[position].expanded;
    shown.hidden = view.rows()[position].hidden;
    if (view.rows()[position] != shown) {
      return ::testing::AssertionFailure() << "item " << position << " does not show its row";
    }
  }
  return ::testing::AssertionSuccess();
}

struct EditedDocument {
  explicit EditedDocument(Document shown) : document(std::move(shown)) {
    RebuildTree(view, document, kUrgencyColours);
  }
  explicit EditedDocument(std::string_view outline) : EditedDocument(OutlineDocument(outline)) {}

  EditTarget target() { return {document, view, kUrgencyColours}; }
  ::testing::AssertionResult Consistent() const {
    return ShownAsIs(document, view, kUrgencyColours);
  }

  Document document;
  MemoryRowView view;
};

}  // namespace lumvik::testing
