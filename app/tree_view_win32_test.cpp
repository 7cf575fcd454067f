#include "app/tree_view_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "document/testing/memory_row_view.h"
#include "theme/testing/gdi_testing_win32.h"

namespace lumvik {
namespace {

using testing::DibCanvas;
using testing::MemoryRowView;
using testing::TestTreeWindow;

constexpr char kFrameClass[] = "LumvikTreeRowViewTest";

// The frame answers the tree's custom draw and expansions through the view
// it carries.
LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* view = reinterpret_cast<TreeRowView*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NOTIFY && view != nullptr) {
    switch (reinterpret_cast<NMHDR*>(lparam)->code) {
      case NM_CUSTOMDRAW:
        return view->OnCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(lparam));
      case TVN_ITEMEXPANDINGA:
        view->OnItemExpanding(*reinterpret_cast<NMTREEVIEWA*>(lparam));
        return FALSE;
      case TVN_ITEMEXPANDEDA:
        view->OnItemExpanded(*reinterpret_cast<NMTREEVIEWA*>(lparam));
        return 0;
      default:
        break;
    }
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

const char* FrameClass() {
  static const ATOM registered = [] {
    WNDCLASSEXA frame{};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = FrameProcedure;
    frame.hInstance = ::GetModuleHandleA(nullptr);
    frame.lpszClassName = kFrameClass;
    return ::RegisterClassExA(&frame);
  }();
  return registered != 0 ? kFrameClass : nullptr;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

struct ShownItem {
  HTREEITEM item;
  std::string text;
  int tree_depth;
  int icon;
  int state_index;
};

ShownItem Read(HWND tree, HTREEITEM handle, int tree_depth) {
  char text[256] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
  item.hItem = handle;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  item.stateMask = TVIS_STATEIMAGEMASK;
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return {handle, text, tree_depth, item.iImage, static_cast<int>(item.state >> 12)};
}

// The tree's items in the order it shows them when all are expanded.
void Walk(HWND tree, HTREEITEM first, int depth, std::vector<ShownItem>& shown) {
  for (HTREEITEM item = first; item != nullptr; item = Next(tree, item, TVGN_NEXT)) {
    shown.push_back(Read(tree, item, depth));
    Walk(tree, Next(tree, item, TVGN_CHILD), depth + 1, shown);
  }
}

std::vector<ShownItem> ShownItems(HWND tree) {
  std::vector<ShownItem> shown;
  Walk(tree, Next(tree, nullptr, TVGN_ROOT), 0, shown);
  return shown;
}

// "text/tree depth" of each item in the tree's order.
std::vector<std::string> Shape(HWND tree) {
  std::vector<std::string> shape;
  for (const ShownItem& item : ShownItems(tree)) {
    shape.push_back(item.text + "/" + std::to_string(item.tree_depth));
  }
  return shape;
}

RECT LabelRect(const TreeRowView& view, int position) {
  RECT area{};
  const HTREEITEM item = view.Item(position);
  static_assert(sizeof item <= sizeof area);
  std::memcpy(&area, &item, sizeof item);  // the item travels in the rectangle
  ::SendMessageA(view.tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&area));
  return area;
}

class TreeRowViewTest : public ::testing::Test {
 protected:
  TreeRowViewTest() : window_(FrameClass()), view_(window_.tree()) {
    ::SetWindowLongPtrA(window_.frame(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view_));
  }
  ~TreeRowViewTest() override { ::SetWindowLongPtrA(window_.frame(), GWLP_USERDATA, 0); }

  void Append(const std::string& text, std::int32_t depth) {
    view_.Insert(view_.Count(), text, depth);
  }
  HTREEITEM ParentItem(int position) const {
    return Next(view_.tree(), view_.Item(position), TVGN_PARENT);
  }
  int ItemCount() const {
    return static_cast<int>(::SendMessageA(view_.tree(), TVM_GETCOUNT, 0, 0));
  }
  // What the user does with the expand button, the tree telling the frame.
  void UserExpands(int position) {
    ::SendMessageA(view_.tree(), TVM_EXPAND, TVE_EXPAND,
                   reinterpret_cast<LPARAM>(view_.Item(position)));
  }

  TestTreeWindow window_;
  TreeRowView view_;
};

using Strings = std::vector<std::string>;

TEST_F(TreeRowViewTest, RowsInsertedAnywhereHangUnderTheNearestShallowerRow) {
  Append("A", 0);
  Append("B", 1);
  Append("C", 1);
  view_.Insert(1, "X", 1);  // the first child of A
  view_.Insert(0, "F", 0);  // before everything
  view_.Insert(5, "J", 3);  // two levels deeper than C: shown right under it
  view_.Insert(6, "K", 2);  // J is deeper, so K is J's sibling under C
  EXPECT_EQ(Shape(view_.tree()), (Strings{"F/0", "A/0", "X/1", "B/1", "C/1", "J/2", "K/2"}));
  ASSERT_EQ(view_.Count(), 7);
  EXPECT_EQ(ParentItem(2), view_.Item(1));
  EXPECT_EQ(ParentItem(5), view_.Item(4));
  EXPECT_EQ(ParentItem(6), view_.Item(4));
  EXPECT_EQ(ParentItem(0), nullptr);
  for (int position = 0; position < view_.Count(); ++position) {
    EXPECT_EQ(view_.PositionOf(view_.Item(position)), position);
  }
  EXPECT_EQ(view_.PositionOf(nullptr), -1);
}

TEST_F(TreeRowViewTest, AShallowRowInsertedAboveDeeperOnesTakesThemWithTheirLooks) {
  Append("A", 0);
  Append("B", 1);
  Append("C", 2);
  Append("D", 0);
  view_.SetIcon(1, 4);
  view_.SetStateImage(1, 7);
  view_.SetStateImage(2, 11);
  view_.Expand(1);
  view_.Select(2);
  view_.Insert(1, "N", 0);
  EXPECT_EQ(Shape(view_.tree()), (Strings{"A/0", "N/0", "B/1", "C/2", "D/0"}));
  EXPECT_EQ(ParentItem(2), view_.Item(1));
  const std::vector<ShownItem> shown = ShownItems(view_.tree());
  EXPECT_EQ(shown[2].icon, 4);
  EXPECT_EQ(shown[2].state_index, 7);
  EXPECT_EQ(shown[3].state_index, 11);
  EXPECT_EQ(view_.Selection(), 3);
  EXPECT_EQ(view_.PositionOf(view_.Item(3)), 3);
}

TEST_F(TreeRowViewTest, RemoveTakesTheDeeperRowsThatFollow) {
  for (const auto& [text, depth] : std::vector<std::pair<std::string, int>>{
           {"A", 0}, {"B", 1}, {"C", 3}, {"D", 2}, {"E", 1}, {"F", 0}}) {
    Append(text, depth);
  }
  view_.Remove(1);
  EXPECT_EQ(Shape(view_.tree()), (Strings{"A/0", "E/1", "F/0"}));
  ASSERT_EQ(view_.Count(), 3);
  EXPECT_EQ(view_.PositionOf(view_.Item(2)), 2);
  view_.Remove(2);
  view_.Remove(7);  // no such row
  EXPECT_EQ(Shape(view_.tree()), (Strings{"A/0", "E/1"}));
  view_.Clear();
  EXPECT_EQ(view_.Count(), 0);
  EXPECT_TRUE(Shape(view_.tree()).empty());
}

// A category's rows get items only when it is opened: by the user, by a
// command that selects a row in it, or by expanding it from the program.
TEST_F(TreeRowViewTest, TheRowsOfACategoryGetItemsWhenItIsFirstOpened) {
  const std::vector<RowItem> project{{"P", 0}, {"Q", 1}, {"Q1", 2}, {"Q2", 2}, {"R", 1}};
  view_.InsertRun(0, project);
  view_.SetIcon(2, 3);
  view_.SetText(3, "Q2 renamed");
  view_.Insert(5, "S", 0);
  EXPECT_EQ(ItemCount(), 2);
  EXPECT_EQ(view_.Item(1), nullptr);
  view_.Remove(4);  // a row without an item goes without one
  view_.Insert(4, "R again", 1);
  EXPECT_EQ(ItemCount(), 2);

  UserExpands(0);
  EXPECT_EQ(Shape(view_.tree()), (Strings{"P/0", "Q/1", "R again/1", "S/0"}));
  TVITEMA button{};
  button.mask = TVIF_CHILDREN;
  button.hItem = view_.Item(1);
  ::SendMessageA(view_.tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&button));
  EXPECT_EQ(button.cChildren, 1);

  view_.Select(3);  // a row two levels down
  EXPECT_EQ(view_.Selection(), 3);
  EXPECT_TRUE(view_.Expanded(1));
  const std::vector<ShownItem> shown = ShownItems(view_.tree());
  ASSERT_EQ(shown.size(), 6u);
  EXPECT_EQ(shown[2].icon, 3);
  EXPECT_EQ(shown[3].text, "Q2 renamed");

  // A category whose last row went loses its button; a row put into it again
  // gets its item at once.
  view_.Remove(2);
  view_.Remove(2);
  button.hItem = view_.Item(1);
  ::SendMessageA(view_.tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&button));
  EXPECT_EQ(button.cChildren, 0);
  view_.Insert(2, "Q3", 2);
  EXPECT_NE(view_.Item(2), nullptr);
}

TEST_F(TreeRowViewTest, HiddenRowsHaveNoItemsAndComeBackWithTheirLooksOpenAsTheyWere) {
  view_.SetRowLook([](int position) {
    return TreeRowView::RowLook{"look " + std::to_string(position), 2, 3};
  });
  for (const auto& [text, depth] : {std::pair("A", 0), {"a1", 1}, {"a2", 1}, {"B", 0}, {"b1", 1}}) {
    Append(text, depth);
  }
  view_.Expand(0);
  view_.ShowRows({true, false, true, false, false});
  EXPECT_EQ(Shape(view_.tree()), (Strings{"look 0/0", "look 2/1"}))
      << "remade, the items take their looks anew";
  EXPECT_FALSE(view_.Shown(3));
  view_.Insert(5, "b2", 1);
  EXPECT_FALSE(view_.Shown(5)) << "under a hidden row";
  view_.Select(4);
  EXPECT_EQ(view_.Selection(), -1) << "a hidden row is never selected";

  view_.ShowRows(std::vector<bool>(6, true));
  EXPECT_EQ(Shape(view_.tree()), (Strings{"look 0/0", "look 1/1", "look 2/1", "look 3/0"}))
      << "A open again";
  EXPECT_EQ(ShownItems(view_.tree())[1].icon, 2);
  view_.Expand(3);
  EXPECT_EQ(Shape(view_.tree()).back(), "b2/1");

  // Closed while a search is typed, the categories open again as they were;
  // a name being typed is not left behind in the tree replaced.
  view_.EditLabel(3);
  HWND edit = TreeView_GetEditControl(view_.tree());
  ASSERT_NE(edit, nullptr);
  view_.CloseCategories();
  EXPECT_FALSE(::IsWindow(edit));
  EXPECT_EQ(ItemCount(), 2);
  view_.ShowRows(std::vector<bool>(6, true));
  EXPECT_EQ(ItemCount(), 6);
  EXPECT_TRUE(view_.Expanded(0));
  EXPECT_TRUE(view_.Expanded(3));

  // Rows appended under a hold and hidden before its end never get items.
  {
    RedrawHold hold(view_);
    Append("C", 0);
    Append("c1", 1);
    for (int k = 0; k < 16; ++k) Append("x", 0);
    std::vector<bool> shown(view_.Count(), true);
    shown[6] = shown[7] = false;
    view_.ShowRows(shown);
  }
  EXPECT_EQ(view_.Item(6), nullptr);
  EXPECT_NE(view_.Item(8), nullptr);
}

TEST_F(TreeRowViewTest, RowsAppendedUnderAHoldGetTheirItemsWithTheirLooksAtTheEnd) {
  Append("A", 0);
  {
    RedrawHold outer(view_);
    {
      RedrawHold inner(view_);
      Append("B", 1);
      Append("C", 2);
      view_.SetIcon(1, 5);
      view_.SetStateImage(1, 9);
      view_.SetText(2, "C renamed");
      EXPECT_EQ(view_.Item(1), nullptr);
    }
    EXPECT_EQ(view_.Item(2), nullptr);  // the outer hold still holds them
    Append("D", 0);
    view_.Select(3);  // the selection needs the items
    EXPECT_NE(view_.Item(3), nullptr);
    Append("E", 0);
    view_.Insert(1, "F", 1);  // so does a row in the middle
    view_.SetStateImage(5, 3);
  }
  EXPECT_EQ(view_.Item(3), nullptr);  // under B, which was never opened
  view_.Expand(2);
  EXPECT_EQ(Shape(view_.tree()), (Strings{"A/0", "F/1", "B/1", "C renamed/2", "D/0", "E/0"}));
  const std::vector<ShownItem> shown = ShownItems(view_.tree());
  EXPECT_EQ(shown[2].icon, 5);
  EXPECT_EQ(shown[2].state_index, 9);
  EXPECT_EQ(shown[3].state_index, 0);
  EXPECT_EQ(shown[5].state_index, 3);
  EXPECT_EQ(view_.Selection(), 4);
  for (int position = 0; position < view_.Count(); ++position) {
    EXPECT_EQ(view_.PositionOf(view_.Item(position)), position);
  }
}

TEST_F(TreeRowViewTest, SelectionTextsAndDecorationsReachTheItems) {
  Append("A", 0);
  Append("B", 1);
  EXPECT_EQ(view_.Selection(), -1);
  view_.Select(1);
  EXPECT_EQ(view_.Selection(), 1);
  view_.Select(5);
  EXPECT_EQ(view_.Selection(), 1);
  view_.SetText(0, "Renamed \xE9");
  view_.SetIcon(0, 6);
  view_.SetStateImage(0, 11);
  view_.SetStateImage(1, 16);  // no such picture: none is shown
  const std::vector<ShownItem> shown = ShownItems(view_.tree());
  EXPECT_EQ(shown[0].text, "Renamed \xE9");
  EXPECT_EQ(shown[0].icon, 6);
  EXPECT_EQ(shown[0].state_index, 11);
  EXPECT_EQ(shown[1].state_index, 0);
  view_.EditLabel(0);
  EXPECT_NE(::SendMessageA(view_.tree(), TVM_GETEDITCONTROL, 0, 0), 0);
  ::SendMessageA(view_.tree(), TVM_ENDEDITLABELNOW, TRUE, 0);
}

TEST_F(TreeRowViewTest, CustomDrawGivesColouredRowsTheirColours) {
  Append("plain", 0);
  Append("task", 0);
  view_.SetColours(1, {RGB(10, 20, 30), RGB(200, 100, 50)});
  NMTVCUSTOMDRAW draw{};
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  EXPECT_EQ(view_.OnCustomDraw(draw), CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT);

  const auto item_draw = [&](int position, UINT item_state) {
    NMTVCUSTOMDRAW item{};
    item.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    item.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(view_.Item(position));
    TVITEMA read{};
    read.mask = TVIF_PARAM;
    read.hItem = view_.Item(position);
    ::SendMessageA(view_.tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
    item.nmcd.lItemlParam = read.lParam;
    item.nmcd.uItemState = item_state;
    item.clrText = RGB(1, 1, 1);
    item.clrTextBk = RGB(2, 2, 2);
    EXPECT_EQ(view_.OnCustomDraw(item), CDRF_DODEFAULT);
    return std::pair(item.clrText, item.clrTextBk);
  };
  EXPECT_EQ(item_draw(0, 0), std::pair(RGB(1, 1, 1), RGB(2, 2, 2)));
  EXPECT_EQ(item_draw(1, 0), std::pair(RGB(10, 20, 30), RGB(200, 100, 50)));
  EXPECT_EQ(item_draw(1, CDIS_SELECTED), std::pair(RGB(1, 1, 1), RGB(2, 2, 2)));
  view_.SetGreyedRow(1);
  EXPECT_EQ(item_draw(1, 0), std::pair(::GetSysColor(COLOR_GRAYTEXT), RGB(200, 100, 50)));
  EXPECT_EQ(item_draw(1, CDIS_SELECTED),
            std::pair(::GetSysColor(COLOR_GRAYTEXT), ::GetSysColor(COLOR_BTNFACE)));
}

// The colour most of the label's pixels have, in the tree painted into a bitmap.
COLORREF LabelColour(const TreeRowView& view, int position) {
  RECT client{};
  ::GetClientRect(view.tree(), &client);
  DibCanvas canvas(client.right, client.bottom, RGB(0, 0, 0));
  ::SendMessageA(view.tree(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()),
                 PRF_CLIENT | PRF_ERASEBKGND);
  const RECT label = LabelRect(view, position);
  std::map<COLORREF, int> counts;
  for (int y = label.top; y < label.bottom; ++y) {
    for (int x = label.left; x < label.right; ++x) ++counts[canvas.Pixel(x, y)];
  }
  COLORREF most = 0;
  for (const auto& [colour, count] : counts) {
    if (count > counts[most]) most = colour;
  }
  return most;
}

TEST_F(TreeRowViewTest, PaintedRowsShowTheirBackgroundColour) {
  Append("plain row", 0);
  Append("coloured row", 0);
  view_.SetColours(1, {RGB(255, 255, 0), RGB(0, 0, 160)});
  EXPECT_EQ(LabelColour(view_, 1), RGB(0, 0, 160));
  EXPECT_EQ(LabelColour(view_, 0), ::GetSysColor(COLOR_WINDOW));
  view_.SetColours(1, {RGB(255, 255, 0), RGB(0, 150, 0)});
  EXPECT_EQ(LabelColour(view_, 1), RGB(0, 150, 0));
}

TEST_F(TreeRowViewTest, PositionAtFindsTheRowUnderTheLabelOnly) {
  Append("A", 0);
  Append("B", 1);
  view_.Expand(0);
  const RECT label = LabelRect(view_, 1);
  EXPECT_EQ(view_.PositionAt({(label.left + label.right) / 2, (label.top + label.bottom) / 2}), 1);
  EXPECT_EQ(view_.PositionAt({label.right + 100, label.top + 1}), -1);
  EXPECT_EQ(view_.PositionAt({5, 250}), -1);
}

// Random inserts of rows and runs and removes, mirrored by the plain twin: the tree shows the
// same texts in row order, each under the parent its depth gives it, with
// the decorations it was given.
// Every item of the tree is a row's, under the item of the row's parent and
// after those of the rows before it: a row whose parent has no item has
// none either, nor has a hidden row.
::testing::AssertionResult ItemsStandUnderTheirRows(const TreeRowView& view,
                                                    const MemoryRowView& twin) {
  int items = 0;
  std::map<HTREEITEM, HTREEITEM> last_child;  // under each parent item, in row order
  for (int position = 0; position < twin.Count(); ++position) {
    const HTREEITEM item = view.Item(position);
    if (item == nullptr) continue;
    ++items;
    if (!view.Shown(position))
      return ::testing::AssertionFailure() << "row " << position << " hidden";
    int parent = position - 1;
    while (parent >= 0 && twin.rows()[parent].depth >= twin.rows()[position].depth) --parent;
    const HTREEITEM parent_item = parent >= 0 ? view.Item(parent) : nullptr;
    if ((parent >= 0 && parent_item == nullptr) ||
        Next(view.tree(), item, TVGN_PARENT) != parent_item) {
      return ::testing::AssertionFailure() << "row " << position << " hangs elsewhere";
    }
    if (Next(view.tree(), item, TVGN_PREVIOUS) != std::exchange(last_child[parent_item], item)) {
      return ::testing::AssertionFailure() << "row " << position << " out of order";
    }
  }
  const auto count = static_cast<int>(::SendMessageA(view.tree(), TVM_GETCOUNT, 0, 0));
  if (count != items) {
    return ::testing::AssertionFailure() << count << " items for " << items << " rows";
  }
  return ::testing::AssertionSuccess();
}

// Random flags for the rows of `twin` as a view gives them: a row under a
// hidden one is hidden too. Now and then only a few flags change.
std::vector<bool> RandomShown(const MemoryRowView& twin, const std::vector<bool>& before,
                              std::mt19937& random) {
  const auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const bool few = pick(0, 1) == 0;
  std::vector<bool> shown(twin.Count(), true);
  for (int position = 0; position < twin.Count(); ++position) {
    int parent = position - 1;
    while (parent >= 0 && twin.rows()[parent].depth >= twin.rows()[position].depth) --parent;
    const bool was = static_cast<std::size_t>(position) < before.size() && before[position];
    shown[position] =
        (parent < 0 || shown[parent]) && (few ? (pick(0, 30) == 0) != was : pick(0, 3) != 0);
  }
  return shown;
}

// The children of the row at `parent` (the top level for -1), each with the
// rows under it, last first; none when they stand at different depths.
std::vector<RowRun> ReversedChildren(const MemoryRowView& twin, int parent) {
  const std::vector<testing::MemoryRow>& rows = twin.rows();
  int end = parent + 1;
  while (end < twin.Count() && (parent < 0 || rows[end].depth > rows[parent].depth)) ++end;
  std::vector<RowRun> runs;
  for (int row = parent + 1; row < end; ++row) {
    if (rows[row].depth < rows[parent + 1].depth) return {};
    if (rows[row].depth == rows[parent + 1].depth) runs.push_back({row, 0});
    ++runs.back().count;
  }
  std::reverse(runs.begin(), runs.end());
  return runs;
}

TEST_F(TreeRowViewTest, RandomEditsKeepTheTreeInRowOrder) {
  for (const unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(random);
    };
    MemoryRowView twin;
    view_.Clear();
    // Rows hidden by a view and shown again take their looks from the twin.
    view_.SetRowLook([&twin](int position) {
      const testing::MemoryRow& row = twin.rows()[position];
      return TreeRowView::RowLook{row.text, row.icon, row.state_index};
    });
    std::vector<bool> flags;
    std::optional<RedrawHold> hold;  // on for some stretches of the run
    for (int step = 0; step < 150; ++step) {
      ASSERT_TRUE(ItemsStandUnderTheirRows(view_, twin)) << "step " << step;
      if (step % 20 == 0) {
        if (hold) {
          hold.reset();
        } else if (pick(0, 1) == 0) {
          hold.emplace(view_);
        }
      }
      if (twin.Count() > 0 && pick(0, 3) == 0) {
        const int position = pick(0, twin.Count() - 1);
        twin.Remove(position);
        view_.Remove(position);
        continue;
      }
      if (pick(0, 9) == 0) {
        flags = RandomShown(twin, flags, random);
        view_.ShowRows(flags);
        continue;
      }
      if (twin.Count() > 0 && pick(0, 9) == 0) {
        // A row's children in another order, as a sort puts them.
        const std::vector<RowRun> runs = ReversedChildren(twin, pick(-1, twin.Count() - 1));
        if (runs.size() > 1) {
          twin.Reorder(runs.back().first, runs);
          view_.Reorder(runs.back().first, runs);
        }
        continue;
      }
      if (twin.Count() > 0 && pick(0, 5) == 0) {
        // Some rows are opened to, by the user or by a command.
        const int position = pick(0, twin.Count() - 1);
        if (!hold && view_.Item(position) != nullptr && pick(0, 1) == 0) {
          UserExpands(position);
        } else {
          view_.Select(position);
        }
        continue;
      }
      const int position = pick(0, twin.Count());
      const int depth = pick(-1, 5);
      const std::string text = "r" + std::to_string(step);
      std::vector<RowItem> run{{text, depth}};
      if (pick(0, 4) == 0) {
        // A run: mostly a row with deeper ones under it, now and then not.
        for (int k = pick(0, 4); k > 0; --k) {
          run.push_back(
              {text + "." + std::to_string(k), depth + pick(pick(0, 5) == 0 ? -1 : 1, 3)});
        }
        twin.InsertRun(position, run);
        view_.InsertRun(position, run);
      } else {
        twin.Insert(position, text, depth);
        view_.Insert(position, text, depth);
      }
      for (int at = position; at < position + static_cast<int>(run.size()); ++at) {
        const int icon = pick(0, 6);
        const int state = pick(0, 12);
        twin.SetIcon(at, icon);
        view_.SetIcon(at, icon);
        twin.SetStateImage(at, state);
        view_.SetStateImage(at, state);
      }
    }
    hold.reset();
    // Narrowed, the tree shows the rows shown alone, in row order.
    flags = RandomShown(twin, flags, random);
    view_.ShowRows(flags);
    for (int position = 0; position < twin.Count(); ++position) view_.Expand(position);
    ASSERT_TRUE(ItemsStandUnderTheirRows(view_, twin));
    std::vector<std::string> expected;
    for (int position = 0; position < twin.Count(); ++position) {
      if (flags[position]) expected.push_back(twin.rows()[position].text);
    }
    std::vector<std::string> texts;
    for (const ShownItem& item : ShownItems(view_.tree())) texts.push_back(item.text);
    ASSERT_EQ(texts, expected);
    view_.ShowRows(std::vector<bool>(twin.Count(), true));
    // An item shows its expand button exactly when its row has rows under it.
    for (int position = 0; position < twin.Count(); ++position) {
      TVITEMA button{};
      button.mask = TVIF_CHILDREN;
      button.hItem = view_.Item(position);
      if (button.hItem == nullptr) continue;
      ASSERT_TRUE(TreeView_GetItem(view_.tree(), &button));
      const bool deeper = position + 1 < twin.Count() &&
                          twin.rows()[position + 1].depth > twin.rows()[position].depth;
      EXPECT_EQ(button.cChildren != 0, deeper) << position;
    }
    for (int position = 0; position < twin.Count(); ++position) view_.Expand(position);
    const std::vector<ShownItem> shown = ShownItems(view_.tree());
    ASSERT_EQ(view_.Count(), twin.Count());
    ASSERT_EQ(static_cast<int>(shown.size()), twin.Count());
    for (int position = 0; position < twin.Count(); ++position) {
      const testing::MemoryRow& row = twin.rows()[position];
      ASSERT_EQ(shown[position].text, row.text) << position;
      ASSERT_EQ(shown[position].item, view_.Item(position));
      EXPECT_EQ(shown[position].icon, row.icon);
      EXPECT_EQ(shown[position].state_index, row.state_index);
      EXPECT_EQ(view_.PositionOf(shown[position].item), position);
      int parent = position - 1;
      while (parent >= 0 && twin.rows()[parent].depth >= row.depth) --parent;
      EXPECT_EQ(ParentItem(position), parent >= 0 ? view_.Item(parent) : nullptr) << position;
    }
  }
}

}  // namespace
}  // namespace lumvik
