// The documents and commands that the editing benchmarks time, shared by
// the portable one and the one in a real tree under Windows.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_table.h"
#include "document/document_file.h"
#include "document/progress_propagation.h"
#include "document/row_decoration.h"
#include "document/row_drop.h"
#include "document/row_edits.h"
#include "document/row_moves.h"
#include "document/tree_queries.h"

namespace lumvik::bench {

const UrgencyColours kColours = {RowColours{0x0000C0, 0xFFFFFF}, RowColours{0x00C000, 0xFFFFFF},
                                 RowColours{0xC00000, 0xFFFFFF}, RowColours{0x000000, 0xE0E0FF},
                                 RowColours{0xFFFFFF, 0x0000FF}};

inline void Append(Document& document, std::int16_t kind, std::int32_t level,
                   const std::string& name) {
  if (kind == kCategoryRow) {
    document.rows.push_back({kind, static_cast<std::int32_t>(document.categories.size()), level});
    document.categories.push_back({name, "", 0});
  } else {
    const auto n = static_cast<int>(document.tasks.size());
    document.rows.push_back({kind, n, level});
    document.tasks.push_back(
        {name, "", "02/03/2026", "30/04/2026", static_cast<std::int16_t>(n % 11),
         static_cast<std::int16_t>(1 + n % 5), static_cast<std::int16_t>(1 + n / 7 % 5)});
  }
}

// 100 projects of 1 000 rows: nine phases, each of ten steps of nine tasks
// and ten tasks of its own. Categories follow their children, as after a read.
inline Document ProjectsDocument() {
  Document document;
  for (int project = 0; project < 100; ++project) {
    Append(document, kCategoryRow, 0, "Project " + std::to_string(project));
    for (int phase = 0; phase < 9; ++phase) {
      Append(document, kCategoryRow, 1, "Phase " + std::to_string(phase));
      for (int step = 0; step < 10; ++step) {
        Append(document, kCategoryRow, 2, "Step " + std::to_string(step));
        for (int task = 0; task < 9; ++task) Append(document, kTaskRow, 3, "Prepare the order");
      }
      for (int task = 0; task < 10; ++task) Append(document, kTaskRow, 2, "Check the delivery");
    }
  }
  RecomputeLoadedProgress(document);
  return document;
}

// One category under another, 100 000 deep, with a task at the bottom.
inline Document ChainDocument() {
  Document document;
  for (int level = 0; level < 99999; ++level) Append(document, kCategoryRow, level, "Part");
  Append(document, kTaskRow, 99999, "Last step");
  return document;
}

using Command = std::function<void(const EditTarget&, int)>;

// Writing the document as Save does, in ms: the baseline that the commands
// on it are worth comparing with.
inline double WriteMilliseconds(const Document& document);

inline double WriteMilliseconds(const Document& document) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "lumvik editing bench.lvk").string();
  const double took = Milliseconds([&] { WriteDocumentFile(path, document, "Lumvik"); });
  std::filesystem::remove(path);
  return took;
}

using RowTest = std::function<bool(const Document&, int)>;

inline bool IsCategory(const Document& document, int row) {
  return document.rows[row].kind == kCategoryRow;
}
inline bool IsTask(const Document& document, int row) {
  return document.rows[row].kind == kTaskRow;
}
// The row above is a sibling or a descendant of one.
inline bool FollowsASibling(const Document& document, int row) {
  return row > 0 && document.rows[row - 1].level >= document.rows[row].level;
}
inline bool HasRowsAfterItsRun(const Document& document, int row) {
  return row + DescendantCount(document.rows, row) + 1 < static_cast<int>(document.rows.size());
}

// The first row that passes, from `from` on towards the end or, for the
// last row, towards the start.
inline int RowNear(const Document& document, int from, const RowTest& passes) {
  const int rows = static_cast<int>(document.rows.size());
  const int step = from == rows - 1 ? -1 : 1;
  for (int row = from; row >= 0 && row < rows; row += step) {
    if (passes(document, row)) return row;
  }
  return -1;
}

struct Timed {
  const char* name;
  RowTest passes;
  Command command;
};

inline void SetProgressAndPropagate(const EditTarget& target, int position) {
  TaskRecord& task = target.document.tasks.Edit(target.document.rows[position].index);
  task.avancement = static_cast<std::int16_t>((task.avancement + 3) % 11);
  ShowTaskProgress(target.view, position, task);
  PropagateProgress(target, position);
}

// A drag of the row's run onto the last top-level category outside it: to
// the end of the document.
inline void DragToTheEnd(const EditTarget& target, int position) {
  const std::vector<TreeEntry>& rows = target.document.rows;
  const int run_end = position + DescendantCount(rows, position) + 1;
  for (int onto = static_cast<int>(rows.size()) - 1; onto >= run_end; --onto) {
    if (rows[onto].level == 0 && rows[onto].kind == kCategoryRow) {
      DropRow(target, position, onto);
      return;
    }
  }
}

// A command at the middle row, its undo and its redo, for the one table.
inline void TableFigures(const std::string& name, double command, double undo, double redo) {
  TableRow((name + ", middle row").c_str(), command);
  TableRow(("undo " + name).c_str(), undo);
  TableRow(("redo " + name).c_str(), redo);
}

inline const std::vector<Timed>& Commands() {
  static const std::vector<Timed> commands = {
      {"add sibling category", IsCategory,
       [](const EditTarget& t, int p) { AddSiblingCategory(t, p, "New category"); }},
      // A category given contents is opened, as the program does.
      {"add sub-category", IsCategory,
       [](const EditTarget& t, int p) {
         AddSubCategory(t, p, "New category");
         t.view.Expand(p);
       }},
      {"add task", IsCategory,
       [](const EditTarget& t, int p) {
         AddTask(t, p, "New task", "07/05/2026");
         t.view.Expand(p);
       }},
      {"delete task", IsTask, DeleteTask},
      {"delete category", IsCategory, DeleteCategory},
      {"move category up",
       [](const Document& d, int r) { return IsCategory(d, r) && FollowsASibling(d, r); },
       MoveCategoryUp},
      {"move task up",
       [](const Document& d, int r) { return IsTask(d, r) && FollowsASibling(d, r); }, MoveTaskUp},
      {"move category down",
       [](const Document& d, int r) { return IsCategory(d, r) && HasRowsAfterItsRun(d, r); },
       MoveCategoryDown},
      {"move task down",
       [](const Document& d, int r) { return IsTask(d, r) && HasRowsAfterItsRun(d, r); },
       MoveTaskDown},
      {"task progress, propagated", IsTask, SetProgressAndPropagate},
      {"drag a project to the end",
       [](const Document& d, int r) { return IsCategory(d, r) && d.rows[r].level == 0; },
       DragToTheEnd},
  };
  return commands;
}

}  // namespace lumvik::bench
