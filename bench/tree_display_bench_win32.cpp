// Shows random documents of 1 000, 10 000 and 100 000 rows in the main tree
// through TreeRowView (items, icons, progress pictures and urgency colours)
// and prints the time beside that of a bare tree view that only inserts the
// same items under the same parents. Both run inside a redraw hold and end
// with the tree painted. Then one category of 100 000 tasks, shown and
// expanded as the user expands it (the tree asking its window, which hands
// the question and the drawing of each row to the row view, as Lumvik's
// main window does), beside the bare tree inserting its items and expanding
// it.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/tree_view_win32.h"
#include "bench/bench_frame_win32.h"
#include "bench/bench_table.h"
#include "document/testing/random_document.h"
#include "document/tree_rebuild.h"
#include "theme/urgency_colours.h"

namespace lumvik {
namespace {

constexpr int kRuns = 3;

using bench::notified_view;

// Random documents joined until they hold exactly `rows` rows.
Document DocumentOfRows(std::mt19937& random, int rows) {
  Document document;
  while (static_cast<int>(document.rows.size()) < rows) {
    const Document part = testing::RandomDocument(random, 2000);
    for (TreeEntry row : part.rows) {
      if (static_cast<int>(document.rows.size()) == rows) break;
      if (row.kind == kCategoryRow) {
        document.categories.push_back(part.categories[row.index]);
        row.index = static_cast<std::int32_t>(document.categories.size() - 1);
      } else {
        document.tasks.push_back(part.tasks[row.index]);
        row.index = static_cast<std::int32_t>(document.tasks.size() - 1);
      }
      document.rows.push_back(row);
    }
  }
  return document;
}

const std::string& NameOf(const Document& document, const TreeEntry& row) {
  return row.kind == kCategoryRow ? document.categories[row.index].nom
                                  : document.tasks[row.index].nom;
}

// The plain control: each item inserted last under the nearest earlier row
// with a smaller level, found with a stack of the open ancestors.
void InsertBare(HWND tree, const Document& document) {
  std::vector<std::pair<std::int32_t, HTREEITEM>> ancestors;
  for (const TreeEntry& row : document.rows) {
    while (!ancestors.empty() && ancestors.back().first >= row.level) ancestors.pop_back();
    TVINSERTSTRUCTA insert{};
    insert.hParent = ancestors.empty() ? TVI_ROOT : ancestors.back().second;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(NameOf(document, row).c_str());
    const auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    ancestors.emplace_back(row.level, item);
  }
}

// The best of a few runs, each into a new, empty tree, painted at the end.
double BestSeconds(HWND frame, const std::function<void(HWND)>& show) {
  double best = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    HWND tree = bench::NewTree(frame);
    const auto start = std::chrono::steady_clock::now();
    show(tree);
    ::UpdateWindow(tree);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
    ::DestroyWindow(tree);  // emptying a large tree is not what is measured
  }
  return best;
}

int Run() {
  HWND frame = bench::MakeFrame("tree display");
  ThemeRecord theme;
  theme.urg_1_bc = 0x00FFFF;
  theme.urg_3_tc = 0xFF0000;
  const UrgencyColours colours = UrgencyColoursOf(theme);
  std::mt19937 random(2024);
  std::printf("%8s %14s %14s %7s\n", "rows", "TreeRowView s", "bare tree s", "ratio");
  for (const int rows : {1000, 10000, 100000}) {
    const Document document = DocumentOfRows(random, rows);
    const double view = BestSeconds(frame, [&](HWND tree) {
      TreeRowView shown(tree);
      RedrawHold hold(shown);
      RebuildTree(shown, document, colours);
    });
    const double bare = BestSeconds(frame, [&](HWND tree) {
      RedrawHold hold(tree);
      InsertBare(tree, document);
    });
    std::printf("%8d %14.4f %14.4f %7.2f\n", rows, view, bare, view / bare);
    std::fflush(stdout);
  }

  Document flat;
  flat.categories.push_back({"Everything", "", 0});
  flat.rows.push_back({kCategoryRow, 0, 0});
  for (int task = 0; task < 99999; ++task) {
    flat.tasks.push_back({"Task " + std::to_string(task) + " call the supplier", "", "01/12/2026",
                          "24/12/2026", static_cast<std::int16_t>(task % 11), 1,
                          static_cast<std::int16_t>(1 + task % 5)});
    flat.rows.push_back({kTaskRow, task, 1});
  }
  const double expanded = BestSeconds(frame, [&](HWND tree) {
    TreeRowView shown(tree);
    {
      RedrawHold hold(shown);
      RebuildTree(shown, flat, colours);
    }
    ::UpdateWindow(tree);
    notified_view = &shown;
    ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(shown.Item(0)));
    ::UpdateWindow(tree);
    notified_view = nullptr;
  });
  const double bare_expanded = BestSeconds(frame, [&](HWND tree) {
    {
      RedrawHold hold(tree);
      InsertBare(tree, flat);
    }
    ::UpdateWindow(tree);
    ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND,
                   ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  });
  std::printf(
      "flat category of 100 000 rows, shown and expanded: %.4f s, bare tree %.4f s"
      " (%.2f)\n",
      expanded, bare_expanded, expanded / bare_expanded);
  bench::TableRow("flat 100 000-row category expanded", expanded * 1000, "bare tree inserting it",
                  bare_expanded * 1000);
  ::DestroyWindow(frame);
  return 0;
}

}  // namespace
}  // namespace lumvik

int main() { return lumvik::Run(); }
