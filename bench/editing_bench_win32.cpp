// Times each editing command on a document of 100 000 rows shown in a real
// tree view through TreeRowView, at a row near its start, its middle and its
// end, each time until the tree has painted again, beside the showing of the
// whole tree. The commands run one after another on the same document, so
// each figure is a single run.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/tree_view_win32.h"
#include "bench/bench_frame_win32.h"
#include "bench/editing_cases.h"
#include "document/change_view.h"
#include "document/due_dates.h"
#include "document/edit_history.h"
#include "document/tree_rebuild.h"

namespace lumvik {
namespace {

using namespace bench;

int Run() {
  HWND frame = MakeFrame("editing");
  HWND tree = NewTree(frame);
  TreeRowView view(tree);
  notified_view = &view;
  Document document = ProjectsDocument();
  const int rows = static_cast<int>(document.rows.size());
  const double shown = Milliseconds([&] {
    RedrawHold hold(view);
    RebuildTree(view, document, kColours);
  });
  std::printf("%d rows in a real tree view; one run each, in ms, until painted\n", rows);
  std::printf("baseline: show the whole tree %10.1f\n", shown);
  std::printf("baseline: write the document  %10.1f\n", WriteMilliseconds(document));
  // Every row in view drawn again, as at midnight, with the due marks asked
  // for each and without.
  const auto repaint = [&] {
    return Milliseconds([&] {
      ::InvalidateRect(tree, nullptr, TRUE);
      ::UpdateWindow(tree);
    });
  };
  const double plain = repaint();
  view.SetDueLookup([&](int position) {
    const TreeEntry& entry = document.rows[static_cast<std::size_t>(position)];
    if (entry.kind != kTaskRow) return DueState::None;
    return DueStateOf(document.tasks[static_cast<std::size_t>(entry.index)],
                      CalendarDate{2026, 4, 1});
  });
  std::printf("repaint of the rows in view: %.1f plain, %.1f with the due marks\n\n", plain,
              repaint());

  const EditTarget target{document, view, kColours};
  std::printf("%-28s %18s %18s %18s\n", "command at row (run length)", "start", "middle", "end");
  for (const Timed& timed : Commands()) {
    std::printf("%-28s", timed.name);
    for (const int from : {0, rows / 2, rows - 1}) {
      const int count = static_cast<int>(document.rows.size());
      const int row = RowNear(document, from == rows - 1 ? count - 1 : from, timed.passes);
      const int run = DescendantCount(document.rows, row) + 1;
      const double took = Milliseconds([&] {
        timed.command(target, row);
        ::UpdateWindow(tree);
      });
      std::printf(" %9.3f %6d(%4d)", took, row, run);
      std::fflush(stdout);
    }
    std::printf("\n");
  }

  // Each command again at the middle row, recorded, undone and redone as
  // the program does, each until painted: in the tree as a document opens,
  // every project collapsed and its rows without items, then with the row
  // shown and its project open.
  EditHistory history;
  for (const bool open : {false, true}) {
    std::printf("\n%-28s %10s %10s %10s %10s\n",
                open ? "middle row shown, project open" : "middle, every project collapsed",
                "command", "record", "undo", "redo");
    {
      RedrawHold hold(view);
      RebuildTree(view, document, kColours);
    }
    history.Reset(document);
    for (const Timed& timed : Commands()) {
      const int row = RowNear(document, static_cast<int>(document.rows.size()) / 2, timed.passes);
      if (open) {
        view.Select(row);
        view.Expand(row);
        ::UpdateWindow(tree);
      }
      const auto painted = [&](const std::function<void()>& work) {
        return Milliseconds([&] {
          work();
          ::UpdateWindow(tree);
        });
      };
      const double command = painted([&] { timed.command(target, row); });
      const double record = Milliseconds([&] { history.Record(document); });
      const double undo = painted([&] {
        if (auto change = history.Undo(document)) ShowChange(target, *change);
      });
      const double redo = painted([&] {
        if (auto change = history.Redo(document)) ShowChange(target, *change);
      });
      std::printf("%-28s %10.3f %10.3f %10.3f %10.3f\n", timed.name, command, record, undo, redo);
      TableFigures(std::string(timed.name) + (open ? " (project open)" : ""), command, undo, redo);
      std::fflush(stdout);
    }
  }
  notified_view = nullptr;
  ::DestroyWindow(frame);
  return 0;
}

}  // namespace
}  // namespace lumvik

int main() { return lumvik::Run(); }
