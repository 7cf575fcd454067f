// Times each editing command on a document of 100 000 rows, at a row near
// its start, its middle and its end, beside a pass over every row and the
// showing of the whole tree. Portable, so that it also runs in the Windows
// build.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "document/progress_propagation.h"
#include "document/row_edits.h"
#include "document/row_moves.h"
#include "document/tree_queries.h"
#include "document/tree_rebuild.h"

namespace lumvik {
namespace {

constexpr int kRuns = 3;

// The items as plain values in row order, as the tree adapter keeps one
// entry per row.
class ListRowView : public RowView {
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  void Insert(int position, const std::string& text, std::int32_t depth) override {
    Item item;
    item.text = text;
    item.depth = depth;
    items_.insert(items_.begin() + position, std::move(item));
  }
  void Remove(int position) override {
    auto end = items_.begin() + position + 1;
    while (end != items_.end() && end->depth > items_[position].depth) ++end;
    items_.erase(items_.begin() + position, end);
  }
  void Clear() override { items_.clear(); }
  void SetText(int position, const std::string& text) override { items_[position].text = text; }
  void SetIcon(int position, int picture) override { items_[position].icon = picture; }
  void SetStateImage(int position, int index) override { items_[position].state_index = index; }
  void SetColours(int position, RowColours colours) override { items_[position].colours = colours; }
  void Select(int position) override { selected_ = position; }
  void Expand(int) override {}
  int Selection() const override { return selected_; }
  void Reserve(std::size_t items) { items_.reserve(items); }

 private:
  struct Item {
    std::string text;
    std::int32_t depth = 0;
    int icon = 0;
    int state_index = 0;
    RowColours colours;
  };
  std::vector<Item> items_;
  int selected_ = -1;
};

const UrgencyColours kColours = {RowColours{0x0000C0, 0xFFFFFF}, RowColours{0x00C000, 0xFFFFFF},
                                 RowColours{0xC00000, 0xFFFFFF}, RowColours{0x000000, 0xE0E0FF},
                                 RowColours{0xFFFFFF, 0x0000FF}};

void Append(Document& document, std::int16_t kind, std::int32_t level, const std::string& name) {
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
Document ProjectsDocument() {
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
Document ChainDocument() {
  Document document;
  for (int level = 0; level < 99999; ++level) Append(document, kCategoryRow, level, "Part");
  Append(document, kTaskRow, 99999, "Last step");
  return document;
}

struct Shown {
  Document document;
  ListRowView view;
};

// A copy with room to grow, as the lists of a program that has been editing
// for a while have, so that an add is not timed with a reallocation.
Shown RoomyCopy(const Shown& original) {
  Shown shown = original;
  constexpr std::size_t kRoom = 1024;
  shown.document.rows.reserve(shown.document.rows.size() + kRoom);
  shown.document.categories.reserve(shown.document.categories.size() + kRoom);
  shown.document.tasks.reserve(shown.document.tasks.size() + kRoom);
  shown.view.Reserve(shown.document.rows.size() + kRoom);
  return shown;
}

Shown Show(Document document) {
  Shown shown{std::move(document), {}};
  RebuildTree(shown.view, shown.document, kColours);
  return shown;
}

using Command = std::function<void(const EditTarget&, int)>;

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The best of a few runs, each after an untimed `prepare`.
double BestMilliseconds(const std::function<void()>& prepare, const std::function<void()>& work) {
  double best = 1e30;
  for (int run = 0; run < kRuns; ++run) {
    prepare();
    best = std::min(best, Milliseconds(work));
  }
  return best;
}

// A command on fresh copies of the shown document.
double CommandMilliseconds(const Shown& original, const Command& command, int position) {
  Shown shown;
  return BestMilliseconds([&] { shown = RoomyCopy(original); },
                          [&] {
                            command({shown.document, shown.view, kColours}, position);
                          });
}

using RowTest = std::function<bool(const Document&, int)>;

bool IsCategory(const Document& document, int row) {
  return document.rows[row].kind == kCategoryRow;
}
bool IsTask(const Document& document, int row) { return document.rows[row].kind == kTaskRow; }
// The row above is a sibling or a descendant of one.
bool FollowsASibling(const Document& document, int row) {
  return row > 0 && document.rows[row - 1].level >= document.rows[row].level;
}
bool HasRowsAfterItsRun(const Document& document, int row) {
  return row + DescendantCount(document.rows, row) + 1 < static_cast<int>(document.rows.size());
}

// The first row that passes, from `from` on towards the end or, for the
// last row, towards the start.
int RowNear(const Document& document, int from, const RowTest& passes) {
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

void SetProgressAndPropagate(const EditTarget& target, int position) {
  TaskRecord& task = target.document.tasks[target.document.rows[position].index];
  task.avancement = static_cast<std::int16_t>((task.avancement + 3) % 11);
  ShowTaskProgress(target.view, position, task);
  PropagateProgress(target, position);
}

const std::vector<Timed>& Commands() {
  static const std::vector<Timed> commands = {
      {"add sibling category", IsCategory,
       [](const EditTarget& t, int p) { AddSiblingCategory(t, p, "New category"); }},
      {"add sub-category", IsCategory,
       [](const EditTarget& t, int p) { AddSubCategory(t, p, "New category"); }},
      {"add task", IsCategory,
       [](const EditTarget& t, int p) { AddTask(t, p, "New task", "07/05/2026"); }},
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
  };
  return commands;
}

}  // namespace
}  // namespace lumvik

int main() {
  using namespace lumvik;
  const Shown projects = Show(ProjectsDocument());
  const Document& document = projects.document;
  const int rows = static_cast<int>(document.rows.size());
  std::printf("%d rows: 100 projects of 9 phases of 10 steps; best of %d runs, in ms\n", rows,
              kRuns);

  long long levels = 0;
  const double pass = BestMilliseconds([] {},
                                       [&] {
                                         for (const TreeEntry& row : document.rows)
                                           levels += row.level;
                                       });
  ListRowView rebuilt;
  const double rebuild = BestMilliseconds([] {}, [&] { RebuildTree(rebuilt, document, kColours); });
  std::printf("baseline: read every row once %10.3f  (level sum %lld)\n", pass, levels);
  std::printf("baseline: show the whole tree %10.3f\n", rebuild);
  std::printf("baseline: one item added to the view at row");
  for (const int row : {0, rows / 2, rows - 1}) {
    const double insert = CommandMilliseconds(
        projects, [](const EditTarget& t, int p) { t.view.Insert(p, "Item", 1); }, row);
    std::printf(" %d: %.3f", row, insert);
  }
  std::printf("\n\n");

  std::printf("%-28s %18s %18s %18s\n", "command at row (run length)", "start", "middle", "end");
  for (const Timed& timed : Commands()) {
    std::printf("%-28s", timed.name);
    for (const int from : {0, rows / 2, rows - 1}) {
      const int row = RowNear(document, from, timed.passes);
      const int run = DescendantCount(document.rows, row) + 1;
      std::printf(" %9.3f %6d(%4d)", CommandMilliseconds(projects, timed.command, row), row, run);
    }
    std::printf("\n");
  }

  const Shown chain = Show(ChainDocument());
  std::printf("\nchain of %d nested categories, task progress at the bottom, propagated: %.3f\n",
              static_cast<int>(chain.document.rows.size()),
              CommandMilliseconds(chain, SetProgressAndPropagate,
                                  static_cast<int>(chain.document.rows.size()) - 1));
  return 0;
}
