// Narrowing the tree at 100 000 rows, every category open: the finished
// tasks hidden and shown again, beside a bare tree view inserting as many
// items, on a document of 1 000 categories of 99 tasks and on one
// flat category of 99 999 tasks; then the find window's box ticked, which
// closes the categories, a word typed with the tree narrowed to the rows that
// match at each letter (the longest of those steps is the longest time the
// program does not answer), and the box unticked. Last, the flat category's
// tasks sorted by name from the reverse order, and the sort undone.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/tree_view_win32.h"
#include "bench/bench_frame_win32.h"
#include "bench/bench_table.h"
#include "document/category_sort.h"
#include "document/change_view.h"
#include "document/edit_history.h"
#include "document/row_decoration.h"
#include "document/row_records.h"
#include "document/tree_rebuild.h"
#include "document/view_filter.h"

namespace lumvik {
namespace {

constexpr CalendarDate kToday{2026, 12, 10};
const UrgencyColours kColours = {RowColours{0, 0xFFFFFF}, RowColours{0, 0xCCFFFF},
                                 RowColours{0, 0x99FFFF}, RowColours{0, 0x6699FF},
                                 RowColours{0xFFFFFF, 0x0000CC}};

using namespace bench;

void AddTask(Document& document, int number, std::int32_t level) {
  document.tasks.push_back({"Task " + std::to_string(number) + " call the supplier", "",
                            "01/12/2026", "24/12/2026", static_cast<std::int16_t>(number % 11),
                            static_cast<std::int16_t>(1 + number % 5),
                            static_cast<std::int16_t>(1 + number % 5)});
  document.rows.push_back({kTaskRow, static_cast<std::int32_t>(document.tasks.size() - 1), level});
}

Document CategoriesDocument() {
  Document document;
  for (int category = 0; category < 1000; ++category) {
    document.categories.push_back({"Project " + std::to_string(category), "", 0});
    document.rows.push_back({kCategoryRow, category, 0});
    for (int task = 0; task < 99; ++task) AddTask(document, category * 99 + task, 1);
  }
  return document;
}

Document FlatDocument() {
  Document document;
  document.categories.push_back({"Everything", "", 0});
  document.rows.push_back({kCategoryRow, 0, 0});
  for (int task = 0; task < 99999; ++task) AddTask(document, task, 1);
  return document;
}

// A bare tree view inserting the rows, each last under the nearest earlier
// row with a smaller level, every parent open, until it has painted.
double BareMilliseconds(HWND frame, const Document& document) {
  HWND tree = NewTree(frame);
  const double took = Milliseconds([&] {
    {
      RedrawHold hold(tree);
      std::vector<std::pair<std::int32_t, HTREEITEM>> ancestors;
      for (const TreeEntry& row : document.rows) {
        while (!ancestors.empty() && ancestors.back().first >= row.level) ancestors.pop_back();
        TVINSERTSTRUCTA insert{};
        insert.hParent = ancestors.empty() ? TVI_ROOT : ancestors.back().second;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_STATE;
        insert.item.state = TVIS_EXPANDED;
        insert.item.stateMask = TVIS_EXPANDED;
        insert.item.pszText = const_cast<char*>(RecordName(document, row).c_str());
        const auto item = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        ancestors.emplace_back(row.level, item);
      }
    }
    ::UpdateWindow(tree);
  });
  ::DestroyWindow(tree);
  return took;
}

// The document shown with every category open, as the user left it.
struct OpenTree {
  OpenTree(HWND frame, const Document& shown_document)
      : document(shown_document), view(NewTree(frame)) {
    notified_view = &view;
    view.SetRowLook([this](int position) {
      const RowPictures pictures = PicturesOf(document, position);
      return TreeRowView::RowLook{
          RecordName(document, document.rows[static_cast<std::size_t>(position)]), pictures.icon,
          pictures.state_index};
    });
    RedrawHold hold(view);
    RebuildTree(view, document, kColours);
    for (std::size_t row = 0; row < document.rows.size(); ++row) {
      if (document.rows[row].kind == kCategoryRow) view.Expand(static_cast<int>(row));
    }
  }
  ~OpenTree() {
    notified_view = nullptr;
    ::DestroyWindow(view.tree());
  }
  // Shows what the filter leaves, until the tree has painted; while a
  // search is typed, many rows shown come with their categories closed, as
  // Lumvik shows them.
  double Narrow(const ViewFilter& filter, bool keep_open = true) {
    HWND before = view.tree();
    const double took = Milliseconds([&] {
      {
        RedrawHold hold(view);
        const std::vector<bool> shown = ShownRows(document, filter, kToday);
        view.ShowRows(shown, keep_open || std::count(shown.begin(), shown.end(), true) <= 5000);
      }
      ::UpdateWindow(view.tree());
    });
    let_go = view.tree() != before ? LetGoMilliseconds(before) : 0;
    return took;
  }

  // The messages handled until a tree view replaced is gone; the longest
  // of them is kept.
  double LetGoMilliseconds(HWND old) {
    return Milliseconds([&] {
      MSG message;
      while (::IsWindow(old) != FALSE) {
        if (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
          longest_let_go_step =
              std::max(longest_let_go_step, Milliseconds([&] { ::DispatchMessageA(&message); }));
        } else {
          ::WaitMessage();
        }
      }
    });
  }

  const Document& document;
  TreeRowView view;
  double let_go = 0;  // after the last narrowing
  double longest_let_go_step = 0;
};

void Measure(HWND frame, const char* name, const Document& document) {
  OpenTree open(frame, document);
  ViewFilter hide;
  hide.hide_finished = true;
  const double on = open.Narrow(hide);
  const double on_let_go = open.let_go;
  const double off = open.Narrow({});
  const double off_let_go = open.let_go;
  const double bare_shown =
      BareMilliseconds(frame, ShownPart(document, ShownRows(document, hide, kToday)));
  const double bare_all = BareMilliseconds(frame, document);
  // The goal holds each to the time a bare tree takes to insert as many
  // items as the document has rows; a bare tree of the rows left is shown
  // beside it.
  std::printf(
      "%s: hide finished %.1f ms (bare tree of all rows %.1f ms, %.2f; of the rows shown"
      " %.1f ms, %.2f); show them again %.1f ms (%.2f)\n",
      name, on, bare_all, on / bare_all, bare_shown, on / bare_shown, off, off / bare_all);
  const std::string figure = name;
  std::printf(
      "%s: the tree replaced goes %.1f ms and %.1f ms later, once the new has painted, in"
      " steps of at most %.1f ms; %d items shown again\n",
      name, on_let_go, off_let_go, open.longest_let_go_step,
      static_cast<int>(::SendMessageA(open.view.tree(), TVM_GETCOUNT, 0, 0)));
  TableRow((figure + ", finished hidden").c_str(), on, "bare tree of all rows", bare_all);
  TableRow((figure + ", finished shown again").c_str(), off, "bare tree of all rows", bare_all);

  // The find window's box ticked: the categories close once, before
  // "supplier 12" is typed with the tree narrowed to what matches; unticked,
  // they open again.
  const double ticked = Milliseconds([&] {
    {
      RedrawHold hold(open.view);
      open.view.CloseCategories();
    }
    ::UpdateWindow(open.view.tree());
  });
  const std::string typed = "supplier 12";
  double longest = 0;
  ViewFilter matching;
  for (std::size_t letters = 1; letters <= typed.size(); ++letters) {
    matching.match = typed.substr(0, letters);
    longest = std::max(longest, open.Narrow(matching, false));
  }
  const double unticked = open.Narrow({});
  std::printf(
      "%s: box ticked %.1f ms; typing with only the rows that match shown, longest"
      " step %.1f ms; box unticked %.1f ms\n",
      name, ticked, longest, unticked);
  TableRow((figure + ", typing a search, longest step").c_str(), longest);
  std::fflush(stdout);
}

// The flat category sorted by name, its tasks in the reverse order, and the
// sort undone, each until the tree has painted, beside a bare tree of as
// many items.
void MeasureSort(HWND frame) {
  Document document = FlatDocument();
  std::reverse(document.rows.begin() + 1, document.rows.end());
  const double bare = BareMilliseconds(frame, document);
  OpenTree open(frame, document);
  EditHistory history;
  history.Reset(document);
  const EditTarget target{document, open.view, kColours};
  const auto painted = [&](const std::function<void()>& work) {
    return Milliseconds([&] {
      {
        RedrawHold hold(open.view);
        work();
      }
      ::UpdateWindow(open.view.tree());
    });
  };
  const double sorted = painted([&] { SortCategory(target, 0, SortKey::Name); });
  history.Record(document);
  const double undone = painted([&] { ShowChange(target, *history.Undo(document)); });
  std::printf(
      "one category of 99 999 tasks: sorted by name %.1f ms, undone %.1f ms (bare tree of all"
      " rows %.1f ms)\n",
      sorted, undone, bare);
  TableRow("one category of 99 999 tasks, sorted by name", sorted, "bare tree of all rows", bare);
  TableRow("one category of 99 999 tasks, sort undone", undone, "bare tree of all rows", bare);
}

int Run() {
  HWND frame = MakeFrame("views");
  Measure(frame, "1 000 categories of 99 tasks", CategoriesDocument());
  Measure(frame, "one category of 99 999 tasks", FlatDocument());
  MeasureSort(frame);
  ::DestroyWindow(frame);
  return 0;
}

}  // namespace
}  // namespace lumvik

int main() { return lumvik::Run(); }
