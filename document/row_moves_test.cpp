#include "document/row_moves.h"

#include <gtest/gtest.h>

#include <functional>

#include "document/testing/edited_document.h"

namespace lumvik {
namespace {

using testing::EditedDocument;
using testing::Outline;

using Move = std::function<void(const EditTarget&, int)>;

// The outline after the move, and the item selected then.
struct Moved {
  std::string outline;
  int selected;
};

Moved MoveIn(const char* outline, const Move& move, int position, int selected_before = -1,
             std::initializer_list<int> hidden = {}) {
  EditedDocument edited(outline);
  for (const int row : hidden) edited.view.Hide(row);
  if (selected_before != -1) edited.view.Select(selected_before);
  move(edited.target(), position);
  EXPECT_TRUE(edited.Consistent()) << outline;
  EXPECT_TRUE(edited.document.move_buffer.empty());
  return {Outline(edited.document), edited.view.Selection()};
}

void ExpectMoved(const Moved& moved, const char* outline, int selected) {
  EXPECT_EQ(moved.outline, outline);
  EXPECT_EQ(moved.selected, selected) << outline;
}

// The moved category is selected where it now stands, also when its run
// was made anew there, so that the next press moves it again.
TEST(MoveCategoryUp, PastTheOneRowOrTheWholeRunOfThePreviousSiblingAndSelected) {
  ExpectMoved(MoveIn("A0 B1 C1 d2 E0", MoveCategoryUp, 2, 2), "A0 C1 d2 B1 E0", 1);
  ExpectMoved(MoveIn("A0 B1 b2 c3 C1 d2 E0", MoveCategoryUp, 4, 4), "A0 C1 d2 B1 b2 c3 E0", 1);
  ExpectMoved(MoveIn("A0 b1 C0", MoveCategoryUp, 2, 2), "C0 A0 b1", 0);
  ExpectMoved(MoveIn("A0 b1 C0", MoveCategoryUp, 2), "C0 A0 b1", 0);
}

// Without a previous sibling: the first row, the first child, and levels
// that jump, where walking up from the row above passes the parent.
TEST(MoveCategoryUp, NothingWithoutAPreviousSibling) {
  for (const auto& [outline, position] : std::vector<std::pair<const char*, int>>{
           {"A0 B0", 0}, {"A0 B1", 1}, {"A0 B2 C1", 2}, {"B2 C1", 1}, {"A0 B1", 2}}) {
    ExpectMoved(MoveIn(outline, MoveCategoryUp, position, 0), outline, 0);
  }
}

TEST(MoveTaskUp, AboveThePreviousSiblingsRunAndSelected) {
  ExpectMoved(MoveIn("A0 B1 b2 t1 C0", MoveTaskUp, 3), "A0 t1 B1 b2 C0", 1);
  ExpectMoved(MoveIn("A0 s1 t1", MoveTaskUp, 2), "A0 t1 s1", 1);
  ExpectMoved(MoveIn("A0 t1", MoveTaskUp, 1), "A0 t1", -1);
  ExpectMoved(MoveIn("A0 B2 t1", MoveTaskUp, 2), "A0 B2 t1", -1);
  // Rows that a file put under the task go with it.
  ExpectMoved(MoveIn("A0 B1 t1 X2 y3", MoveTaskUp, 2), "A0 t1 X2 y3 B1", 1);
}

TEST(MoveDown, BelowTheNextSiblingOrTheRowAfterItsCategory) {
  ExpectMoved(MoveIn("A0 B1 x2 C1 Y2 y3 D0", MoveCategoryDown, 1), "A0 C1 Y2 y3 B1 x2 D0", 4);
  ExpectMoved(MoveIn("A0 B1 x2 t1", MoveCategoryDown, 1), "A0 t1 B1 x2", 2);
  ExpectMoved(MoveIn("A0 s1 t1", MoveTaskDown, 1), "A0 t1 s1", 2);
  ExpectMoved(MoveIn("A0 s1 B1 x2", MoveTaskDown, 1), "A0 B1 x2 s1", 3);
  // The last child: the category after its parent goes above the parent's
  // run, and the selection follows the moved row.
  ExpectMoved(MoveIn("A0 B1 x2 C0 y1", MoveCategoryDown, 1), "C0 y1 A0 B1 x2", 3);
  ExpectMoved(MoveIn("A0 t1 B0 x1", MoveTaskDown, 1), "B0 x1 A0 t1", 3);
}

// The last run, and a follower without a sibling above it to pass.
TEST(MoveDown, NothingWithoutARunToPass) {
  for (const Move& move : {Move(MoveCategoryDown), Move(MoveTaskDown)}) {
    ExpectMoved(MoveIn("A0 B1 x2", move, 1, 2), "A0 B1 x2", 2);
    ExpectMoved(MoveIn("A0 t2 B1", move, 1, 0), "A0 t2 B1", 0);
    ExpectMoved(MoveIn("A0 t1", move, 2, 0), "A0 t1", 0);
  }
}

// Rows the view hides are passed over: the row moves past the neighbouring
// row shown, and the hidden rows keep their order.
TEST(MoveInAFilteredView, PastTheNeighbouringRowShown) {
  ExpectMoved(MoveIn("A0 s1 h1 t1", MoveTaskUp, 3, -1, {2}), "A0 t1 s1 h1", 1);
  ExpectMoved(MoveIn("A0 s1 h1 t1", MoveTaskDown, 1, -1, {2}), "A0 t1 s1 h1", 2);
  ExpectMoved(MoveIn("A0 B1 H1 y2 C1 x2", MoveCategoryUp, 4, -1, {2}), "A0 C1 x2 B1 H1 y2", 1);
  // The last child shown: the row after its category goes above it.
  ExpectMoved(MoveIn("A0 t1 h1 B0", MoveTaskDown, 1, -1, {2}), "B0 A0 t1 h1", 2);
  // No row shown above it to pass.
  ExpectMoved(MoveIn("A0 h1 t1", MoveTaskUp, 2, -1, {1}), "A0 h1 t1", -1);
}

}  // namespace
}  // namespace lumvik
