#include "document/row_edits.h"

#include <gtest/gtest.h>

#include <limits>

#include "document/testing/edited_document.h"

namespace lumvik {
namespace {

using testing::EditedDocument;
using testing::Outline;
using testing::Progress;

TEST(AddRows, OnATaskRowOrNoRowNothingChanges) {
  EditedDocument edited("A0 t1 B1");
  const Document before = edited.document;
  for (int position : {1, -1, 3}) {
    AddSiblingCategory(edited.target(), position, "N");
    AddSubCategory(edited.target(), position, "N");
    AddTask(edited.target(), position, "n", "07/05/2026");
  }
  for (int position : {-1, 3}) {
    DeleteCategory(edited.target(), position);
    DeleteTask(edited.target(), position);
  }
  DeleteTask(edited.target(), 0);  // a category row
  EXPECT_TRUE(testing::SameRowsAndRecords(edited.document, before));
  EXPECT_TRUE(edited.Consistent());
}

TEST(AddSiblingCategory, LastRowAtTheTopLevelAndLastChildBelowIt) {
  EditedDocument edited("A0=10 B1=10 c2=10 D1=10 E0=3");
  AddSiblingCategory(edited.target(), 0, "N");
  EXPECT_EQ(Outline(edited.document), "A0 B1 c2 D1 E0 N0");
  AddSiblingCategory(edited.target(), 1, "M");
  EXPECT_EQ(Outline(edited.document), "A0 B1 c2 D1 M1 E0 N0");
  EXPECT_EQ(Progress(edited.document), (std::vector{6, 10, 10, 10, 0, 3, 0}));
  EXPECT_EQ(edited.document.categories.back(), (CategoryRecord{"M", "", 0}));
  EXPECT_EQ(edited.view.Selection(), -1);
  EXPECT_TRUE(edited.Consistent());
}

// The row after the parent's run may stand under another child when levels
// jump; the new category still goes beside the selected one, under its
// parent, and the parent counts it.
TEST(AddSiblingCategory, BesideTheRowWhenLevelsJumpOrTheFileStartsDeep) {
  EditedDocument jumping("A0 B2=10 C1=10");
  AddSiblingCategory(jumping.target(), 1, "N");
  EXPECT_EQ(Outline(jumping.document), "A0 B2 N2 C1");
  EXPECT_EQ(Progress(jumping.document), (std::vector{5, 10, 0, 10}));
  EditedDocument deep("X2=4 y3 Z2 W1 A0");
  AddSiblingCategory(deep.target(), 0, "N");
  EXPECT_EQ(Outline(deep.document), "X2 y3 Z2 N2 W1 A0");
  EXPECT_EQ(Progress(deep.document)[0], 4);
  EXPECT_TRUE(deep.Consistent());
}

TEST(AddChildren, LastChildAfterAllDescendantsAndProgressReachesTheTop) {
  EditedDocument edited("A0=10 B1=10 c2=10 D0");
  AddSubCategory(edited.target(), 1, "N");
  EXPECT_EQ(Outline(edited.document), "A0 B1 c2 N2 D0");
  EXPECT_EQ(Progress(edited.document), (std::vector{5, 5, 10, 0, 0}));
  AddTask(edited.target(), 0, "n", "07/05/2026");
  EXPECT_EQ(Outline(edited.document), "A0 B1 c2 N2 n1 D0");
  EXPECT_EQ(Progress(edited.document)[0], 2);
  EXPECT_EQ(edited.document.tasks.back(),
            (TaskRecord{"n", "", "07/05/2026", "07/05/2026", 0, 1, 1}));
  EXPECT_EQ(edited.view.rows()[4].colours, testing::kUrgencyColours[0]);
  EXPECT_EQ(edited.view.Selection(), -1);
  EXPECT_TRUE(edited.Consistent());
}

TEST(AddChildren, NothingUnderARowAsDeepAsALevelGoes) {
  Document document = testing::OutlineDocument("A0");
  document.rows[0].level = std::numeric_limits<std::int32_t>::max();
  EditedDocument edited(document);
  AddSubCategory(edited.target(), 0, "N");
  AddTask(edited.target(), 0, "n", "07/05/2026");
  EXPECT_TRUE(testing::SameRowsAndRecords(edited.document, document));
}

// Records stand in creation order, so after adds the indexes no longer
// follow the rows; every row that stays must still name its own record.
TEST(DeleteRows, EveryRowThatStaysKeepsItsRecord) {
  EditedDocument edited("A0 a1 B1 b2 C0 c1 D0");
  AddSubCategory(edited.target(), 2, "X");
  AddTask(edited.target(), 4, "x", "");
  AddSubCategory(edited.target(), 6, "Y");
  AddTask(edited.target(), 0, "z", "");
  ASSERT_EQ(Outline(edited.document), "A0 a1 B1 b2 X2 x3 z1 C0 c1 Y1 D0");
  DeleteCategory(edited.target(), 2);
  EXPECT_EQ(Outline(edited.document), "A0 a1 z1 C0 c1 Y1 D0");
  EXPECT_EQ(edited.document.categories.size(), 4u);
  EXPECT_EQ(edited.document.tasks.size(), 3u);
  // A task whose index is below those of categories: only task rows move down.
  DeleteTask(edited.target(), 1);
  EXPECT_EQ(Outline(edited.document), "A0 z1 C0 c1 Y1 D0");
  EXPECT_TRUE(edited.Consistent());
}

// A parent whose progress follows its children follows the ones left; one
// left without any keeps its value.
TEST(DeleteRows, TheParentFollowsTheChildrenLeftAndNothingIsSelected) {
  EditedDocument edited("A0=5 B1=10 t1=0 C0=4");
  DeleteTask(edited.target(), 2);
  EXPECT_EQ(Progress(edited.document), (std::vector{10, 10, 4}));
  DeleteCategory(edited.target(), 1);
  EXPECT_EQ(Progress(edited.document), (std::vector{10, 4}));
  EXPECT_EQ(edited.view.Selection(), -1);
  DeleteCategory(edited.target(), 0);
  DeleteCategory(edited.target(), 0);
  EXPECT_TRUE(edited.document.rows.empty());
  EXPECT_TRUE(edited.document.categories.empty());
  EXPECT_TRUE(edited.Consistent());
}

// The tree takes an item's descendants with it, but rows that a file put
// under a task are not the task's: they stay.
TEST(DeleteTask, RowsUnderTheTaskStayAndAreShownAgain) {
  EditedDocument edited("A0 t1 B2 c3 d1");
  DeleteTask(edited.target(), 1);
  EXPECT_EQ(Outline(edited.document), "A0 B2 c3 d1");
  EXPECT_TRUE(edited.Consistent());
}

}  // namespace
}  // namespace lumvik
