#include "document/row_levels.h"

#include <gtest/gtest.h>

#include "document/testing/edited_document.h"

namespace lumvik {
namespace {

using testing::EditedDocument;
using testing::Outline;

TEST(RowLevels, InMakesTheRowTheLastChildOfTheCategoryAbove) {
  // Home (a 40 %), Garden 0 % (dig 100 %), Shed 20 %.
  EditedDocument edited("Home0 a1=4 Garden1 dig2=10 Shed1=2");
  EXPECT_TRUE(MoveRowIn(edited.target(), 4));  // Shed into Garden, after dig
  EXPECT_EQ(Outline(edited.document), "Home0 a1 Garden1 dig2 Shed2");
  EXPECT_EQ(edited.view.Selection(), 4);
  EXPECT_EQ(edited.document.categories[1].avancement, 6) << "Garden follows dig and Shed";
  EXPECT_EQ(edited.document.categories[0].avancement, 5) << "Home follows a and Garden";
  EXPECT_TRUE(edited.Consistent());

  const Document unchanged = edited.document;
  EXPECT_FALSE(MoveRowIn(edited.target(), 2));  // Garden: a task above it at its level
  EXPECT_FALSE(MoveRowIn(edited.target(), 0));  // Home: nothing above
  EXPECT_FALSE(MoveRowIn(edited.target(), 3));  // dig: no sibling above
  EXPECT_TRUE(testing::SameRowsAndRecords(edited.document, unchanged));

  // Into the category shown above; the hidden row between stays after it.
  EditedDocument filtered("Home0 B1 h1 t1");
  filtered.view.Hide(2);
  EXPECT_TRUE(MoveRowIn(filtered.target(), 3));
  EXPECT_EQ(Outline(filtered.document), "Home0 B1 t2 h1");
  EXPECT_EQ(filtered.view.Selection(), 2);
  EXPECT_TRUE(filtered.Consistent());
}

TEST(RowLevels, OutTakesTheRowAndItsRunToFollowItsParent) {
  // Home (Garden (dig, weed), a), Attic.
  EditedDocument edited("Home0 Garden1 dig2=10 weed2 a1=2 Attic0");
  EXPECT_TRUE(MoveRowOut(edited.target(), 1));  // Garden, with its tasks, after Home's run
  EXPECT_EQ(Outline(edited.document), "Home0 a1 Garden0 dig1 weed1 Attic0");
  EXPECT_EQ(edited.view.Selection(), 2);
  EXPECT_EQ(edited.document.categories[0].avancement, 2) << "Home follows a alone";
  EXPECT_TRUE(edited.Consistent());

  MoveRowOut(edited.target(), 1);  // a: Home keeps no child and its progress
  EXPECT_EQ(Outline(edited.document), "Home0 a0 Garden0 dig1 weed1 Attic0");
  EXPECT_EQ(edited.document.categories[0].avancement, 2);
  EXPECT_TRUE(edited.Consistent());

  const Document unchanged = edited.document;
  EXPECT_FALSE(MoveRowOut(edited.target(), 0));  // top-level rows stay
  EXPECT_FALSE(MoveRowOut(edited.target(), -1));
  EXPECT_TRUE(testing::SameRowsAndRecords(edited.document, unchanged));
}

// A file may give any level: moves stop at the ends of the range.
TEST(RowLevels, LevelsAtTheEndsOfTheirRange) {
  EditedDocument edited("Top-2147483648 Mid4 Deep2147483647 Deeper2147483647");
  EXPECT_FALSE(MoveRowIn(edited.target(), 3)) << "no level is deeper";
  EXPECT_TRUE(MoveRowOut(edited.target(), 1));
  EXPECT_EQ(edited.document.rows[1].level, -2147483647 - 1);
  EXPECT_EQ(edited.document.rows[2].level, -5) << "the run keeps its shape below Mid";
  EXPECT_EQ(edited.document.rows[3].level, -5);
  EXPECT_TRUE(edited.Consistent());
}

}  // namespace
}  // namespace lumvik
