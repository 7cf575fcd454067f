// Times each editing command on a document of 100 000 rows, at a row near
// its start, its middle and its end, beside a pass over every row and the
// showing of the whole tree. Portable, so that it also runs in the Windows
// build.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "bench/editing_cases.h"
#include "document/change_view.h"
#include "document/edit_history.h"
#include "document/recovery_copy.h"
#include "document/tree_rebuild.h"

namespace lumvik {
namespace {

using namespace bench;

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
  void InsertRun(int position, std::span<const RowItem> run) override {
    std::vector<Item> items(run.size());
    for (std::size_t k = 0; k < run.size(); ++k) {
      items[k].text = run[k].text;
      items[k].depth = run[k].depth;
    }
    items_.insert(items_.begin() + position, std::make_move_iterator(items.begin()),
                  std::make_move_iterator(items.end()));
  }
  void Remove(int position) override {
    auto end = items_.begin() + position + 1;
    while (end != items_.end() && end->depth > items_[position].depth) ++end;
    items_.erase(items_.begin() + position, end);
  }
  void Reorder(int from, std::span<const RowRun> runs) override { ReorderRuns(items_, from, runs); }
  void Clear() override { items_.clear(); }
  void SetText(int position, const std::string& text) override { items_[position].text = text; }
  void SetIcon(int position, int picture) override { items_[position].icon = picture; }
  void SetStateImage(int position, int index) override { items_[position].state_index = index; }
  void SetColours(int position, RowColours colours) override { items_[position].colours = colours; }
  void ClearColours(int position) override { items_[position].colours = {}; }
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

// The command recorded in the history, then undone and redone, each shown
// in the view: {record, undo, redo}, best of a few runs each.
std::array<double, 3> HistoryMilliseconds(const Shown& original, const Command& command,
                                          int position) {
  std::array<double, 3> best{1e30, 1e30, 1e30};
  for (int run = 0; run < kRuns; ++run) {
    Shown shown = RoomyCopy(original);
    const EditTarget target{shown.document, shown.view, kColours};
    EditHistory history;
    history.Reset(shown.document);
    command(target, position);
    best[0] = std::min(best[0], Milliseconds([&] { history.Record(shown.document); }));
    best[1] = std::min(best[1], Milliseconds([&] {
                         if (auto change = history.Undo(shown.document))
                           ShowChange(target, *change);
                       }));
    best[2] = std::min(best[2], Milliseconds([&] {
                         if (auto change = history.Redo(shown.document))
                           ShowChange(target, *change);
                       }));
  }
  return best;
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
  std::printf("baseline: write the document  %10.3f\n", WriteMilliseconds(document));
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

  std::printf("\n%-52s %10s %10s %10s %10s\n", "with the edit history, at the middle row",
              "command", "record", "undo", "redo");
  for (const Timed& timed : Commands()) {
    const int row = RowNear(document, rows / 2, timed.passes);
    const std::array<double, 3> history = HistoryMilliseconds(projects, timed.command, row);
    const double command = CommandMilliseconds(projects, timed.command, row);
    std::printf("%-52s %10.3f %10.3f %10.3f %10.3f\n", timed.name, command, history[0], history[1],
                history[2]);
    TableFigures(timed.name, command, history[1], history[2]);
  }
  std::string copy;
  const double snapshot = BestMilliseconds(
      [] {},
      [&] {
        copy = RecoveryText(document, "Lumvik", LocalDateTime{2026, 12, 8, 9, 0, 0});
      });
  std::printf("recovery copy taken (%zu bytes): %.3f\n", copy.size(), snapshot);

  const Shown chain = Show(ChainDocument());
  std::printf("\nchain of %d nested categories, task progress at the bottom, propagated: %.3f\n",
              static_cast<int>(chain.document.rows.size()),
              CommandMilliseconds(chain, SetProgressAndPropagate,
                                  static_cast<int>(chain.document.rows.size()) - 1));
  return 0;
}
