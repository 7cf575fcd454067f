#include <gtest/gtest.h>

#include "app/testing/lumvik_app_fixture_win32.h"
#include "config/text_numbers.h"

namespace lumvik {
namespace {

using testing::AskedMessage;

class EditCommandsTest : public testing::LumvikAppTest {
 protected:
  void StartWithList() {
    Start(SampleFile("list.lvk"));
    app->window().rows().Select(0);
  }
  const Document& document() { return app->document(); }
  TreeRowView& rows() { return app->window().rows(); }
  int TreeCount() { return static_cast<int>(TreeView_GetCount(Gadget(kGadgetTree))); }
  bool Expanded(int row) {
    return (TreeView_GetItemState(Gadget(kGadgetTree), rows().Item(row), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
  }
  AskedMessage DeleteQuestion() {
    return {"Lumvik", app->texts()[kTextConfirmDelete], Buttons::YesNo};
  }
};

TEST_F(EditCommandsTest, AddingPutsNewRowsWhereTheMenuSays) {
  StartWithList();
  Command(kCmdAddTask);
  ASSERT_EQ(document().rows.size(), 5u);
  EXPECT_EQ(document().rows[4], (TreeEntry{kTaskRow, 2, 1}));
  EXPECT_EQ(document().tasks[2].nom, app->texts()[kTextNewTask]);
  EXPECT_EQ(document().tasks[2].datedebut, "07/12/2026");
  EXPECT_EQ(document().tasks[2].dateecheance, "07/12/2026");
  EXPECT_TRUE(Expanded(0));
  EXPECT_EQ(document().saved, 0);

  rows().Select(2);
  Command(kCmdAddSubCategory);
  EXPECT_EQ(document().rows[4], (TreeEntry{kCategoryRow, 2, 2}));
  EXPECT_EQ(document().categories[2].nom, app->texts()[kTextNewCategory]);
  EXPECT_TRUE(Expanded(2));

  Command(kCmdAddCategory);  // beside Garden: the last child of Home
  EXPECT_EQ(document().rows[6], (TreeEntry{kCategoryRow, 3, 1}));
  EXPECT_EQ(rows().Count(), 7);
  EXPECT_EQ(TreeCount(), 7);

  // A task has no contents to add to.
  rows().Select(1);
  Command(kCmdAddTask);
  Command(kCmdAddCategory);
  EXPECT_EQ(document().rows.size(), 7u);
}

TEST_F(EditCommandsTest, MovesFollowTheRowsKind) {
  StartWithList();
  rows().Select(1);
  Command(kCmdMoveDown);  // Paint the door below Garden's run
  EXPECT_EQ(document().rows[3], (TreeEntry{kTaskRow, 0, 1}));
  EXPECT_EQ(rows().Selection(), 3);
  Command(kCmdMoveUp);
  EXPECT_EQ(document().rows, testing::SampleDocument().rows);
  EXPECT_EQ(document().saved, 0);
  EXPECT_EQ(TreeCount(), 4);
}

TEST_F(EditCommandsTest, DeletingWithTheQuestion) {
  StartWithList();
  rows().Select(3);
  prompt.Then(Answer::No);
  Command(kCmdDeleteAsking);
  EXPECT_EQ(document().rows.size(), 4u);
  EXPECT_EQ(document().saved, 0) << "even when the answer is No";
  prompt.Then(Answer::Yes);
  Command(kCmdDeleteAsking);
  EXPECT_EQ(document().rows.size(), 3u);
  EXPECT_EQ(document().tasks.size(), 1u);
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{DeleteQuestion(), DeleteQuestion()}));

  // Command 114 deletes without a question.
  rows().Select(2);
  Command(kCmdDeleteCategory);
  ASSERT_EQ(document().rows.size(), 2u);
  rows().Select(1);
  Command(kCmdDeleteTask);
  ASSERT_EQ(document().rows.size(), 1u);
  EXPECT_EQ(TreeCount(), 1);

  // Only one row: the Delete key does nothing, not even mark a change.
  app->document().saved = 1;
  rows().Select(0);
  Command(kCmdDeleteAsking);
  EXPECT_EQ(document().saved, 1);
  // The only category with a task under it stays, and nothing is asked.
  Command(kCmdAddTask);
  Command(kCmdDeleteAsking);
  EXPECT_EQ(document().rows.size(), 2u);
  EXPECT_EQ(prompt.asked().size(), 2u);
}

}  // namespace
}  // namespace lumvik
