// Undo and redo as the user reaches them: the Edit menu, Ctrl+Z, Ctrl+Y and
// Ctrl+Shift+Z through the accelerator table, in the tree and in a
// description box.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>

#include "app/testing/lumvik_app_fixture_win32.h"
#include "config/text_numbers.h"
#include "document/testing/edited_document.h"

namespace lumvik {
namespace {

using testing::LumvikAppTest;

class HistoryTest : public LumvikAppTest {
 protected:
  // A key with Ctrl (and Shift) held, posted to the focus as the keyboard does.
  void Shortcut(UINT key, bool shift = false) {
    testing::PostKey(::GetFocus(), key, {.control = true, .shift = shift});
    app->HandlePendingEvents();
    testing::HoldModifiers({});
  }
  bool Usable(int command) {
    const UINT state =
        ::GetMenuState(::GetMenu(Window()), static_cast<UINT>(command), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
  }
  std::string TreeText(int row) {
    char text[256] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = app->window().rows().Item(row);
    item.pszText = text;
    item.cchTextMax = sizeof text;
    TreeView_GetItem(Gadget(kGadgetTree), &item);
    return text;
  }
};

std::string MenuString(HMENU menu, UINT item, UINT by) {
  char text[128] = {};
  ::GetMenuStringA(menu, item, text, sizeof text, by);
  return text;
}

TEST_F(HistoryTest, TheEditMenuStandsBetweenFileAndViewGreyedUntilThereIsAStep) {
  Start();
  const TextTable& texts = app->texts();
  HMENU bar = ::GetMenu(Window());
  ASSERT_EQ(::GetMenuItemCount(bar), 4);
  EXPECT_EQ(MenuString(bar, 0, MF_BYPOSITION), texts[0]);
  EXPECT_EQ(MenuString(bar, 1, MF_BYPOSITION), texts[kTextEditMenu]);
  EXPECT_EQ(MenuString(bar, 2, MF_BYPOSITION), texts[kTextViewMenu]);
  EXPECT_EQ(MenuString(bar, 3, MF_BYPOSITION), texts[39]);
  HMENU edit = ::GetSubMenu(bar, 1);
  const std::pair<int, std::string> items[] = {
      {kCmdUndo, texts[kTextUndo] + "\tCtrl+Z"},
      {kCmdRedo, texts[kTextRedo] + "\tCtrl+Y"},
      {0, ""},  // a separator before the searches
      {kCmdFind, texts[kTextFind] + "\tCtrl+F"},
      {kCmdFindNext, texts[kTextFindNext] + "\tF3"},
      {kCmdFindPrevious, texts[kTextFindPrevious] + "\tShift+F3"},
      {kCmdNextOverdue, texts[kTextNextOverdue] + "\tCtrl+J"},
  };
  ASSERT_EQ(::GetMenuItemCount(edit), static_cast<int>(std::size(items)));
  for (UINT k = 0; k < std::size(items); ++k) {
    EXPECT_EQ(::GetMenuItemID(edit, static_cast<int>(k)), static_cast<UINT>(items[k].first)) << k;
    EXPECT_EQ(MenuString(edit, k, MF_BYPOSITION), items[k].second) << k;
  }
  EXPECT_FALSE(Usable(kCmdUndo));
  EXPECT_FALSE(Usable(kCmdRedo));

  app->window().rows().Select(0);
  Command(kCmdAddTask);
  EXPECT_TRUE(Usable(kCmdUndo));
  EXPECT_FALSE(Usable(kCmdRedo));
  Command(kCmdUndo);
  EXPECT_FALSE(Usable(kCmdUndo));
  EXPECT_TRUE(Usable(kCmdRedo));
  app->ApplySettings();  // as after the options window: the menus are built anew
  EXPECT_FALSE(Usable(kCmdUndo));
  EXPECT_TRUE(Usable(kCmdRedo));
}

TEST_F(HistoryTest, CtrlZAndCtrlYTakeACommandBackAndForwardInTreeAndDocument) {
  Start(SampleFile("list.lvk"));
  const Document read = app->document();
  app->window().rows().Select(2);  // Garden
  ::SetFocus(Gadget(kGadgetTree));
  Command(kCmdAddTask);
  ASSERT_EQ(app->document().rows.size(), 5u);
  EXPECT_EQ(app->document().saved, 0);

  Shortcut('Z');
  EXPECT_TRUE(testing::SameRowsAndRecords(app->document(), read));
  EXPECT_EQ(ItemsOnceAllOpen(), 4);
  EXPECT_EQ(app->document().saved, 1) << "back to what the file holds: nothing to ask on Quit";
  EXPECT_EQ(app->window().rows().Selection(), 3) << "the row above the task that went";

  Shortcut('Y');
  EXPECT_EQ(app->document().rows.size(), 5u);
  EXPECT_EQ(ItemsOnceAllOpen(), 5);
  EXPECT_EQ(TreeText(4), app->texts()[kTextNewTask]);
  EXPECT_EQ(app->window().rows().Selection(), 4);
  EXPECT_EQ(app->document().saved, 0);

  Shortcut('Z');
  Shortcut('Z', true);  // Ctrl+Shift+Z redoes too
  EXPECT_EQ(ItemsOnceAllOpen(), 5);
}

TEST_F(HistoryTest, TypingInADescriptionIsOneStepAndCtrlZThereTakesItBack) {
  Start(SampleFile("list.lvk"));
  app->window().rows().Expand(0);
  app->window().rows().Select(1);  // Paint the door
  app->HandlePendingEvents();
  HWND box = Gadget(kGadgetTaskDescription);
  ::SetFocus(box);
  for (char c : std::string("red")) ::PostMessageA(box, WM_CHAR, static_cast<WPARAM>(c), 1);
  app->HandlePendingEvents();
  ASSERT_EQ(app->document().tasks[0].designation, "red");

  Shortcut('Z');
  EXPECT_EQ(app->document().tasks[0].designation, "");
  EXPECT_EQ(TextOf(kGadgetTaskDescription), "") << "the box shows the text taken back";
  EXPECT_EQ(app->document().saved, 1);
  EXPECT_FALSE(Usable(kCmdUndo)) << "three letters were one step";

  Shortcut('Y');
  EXPECT_EQ(app->document().tasks[0].designation, "red");
  EXPECT_EQ(TextOf(kGadgetTaskDescription), "red");
}

TEST_F(HistoryTest, NewAndOpenStartAnEmptyHistory) {
  Start(SampleFile("list.lvk"));
  app->window().rows().Select(0);
  Command(kCmdAddTask);
  prompt.Then(Answer::No);  // the changes go
  Command(kCmdNew);
  EXPECT_FALSE(Usable(kCmdUndo));
  Command(kCmdUndo);
  EXPECT_EQ(app->document().rows.size(), 1u) << "undo never reaches into the document before";

  app->window().rows().Select(0);
  Command(kCmdAddTask);
  prompt.Then(Answer::No).ThenFile(SampleFile("other.lvk"));
  Command(kCmdOpen);
  EXPECT_EQ(app->document().file_path, folder.File("other.lvk"));
  EXPECT_FALSE(Usable(kCmdUndo));
}

TEST_F(HistoryTest, SaveKeepsTheHistoryAndTheSavedFlagFollowsItsState) {
  Start(SampleFile("list.lvk"));
  app->window().rows().Select(0);
  Command(kCmdAddTask);
  Command(kCmdSave);
  ASSERT_EQ(app->document().saved, 1);
  ASSERT_TRUE(Usable(kCmdUndo));
  Command(kCmdUndo);
  EXPECT_EQ(app->document().rows.size(), 4u);
  EXPECT_EQ(app->document().saved, 0) << "the file holds the task";
  Command(kCmdRedo);
  EXPECT_EQ(app->document().saved, 1);
}

TEST_F(HistoryTest, UndoingAMoveSelectsTheMovedRowWhereItStoodAndRedoWhereItWent) {
  Start(SampleFile("list.lvk"));
  app->window().rows().Select(2);  // Garden, which holds Dig
  Command(kCmdMoveUp);             // past Home's task
  ASSERT_EQ(app->document().rows[1].kind, kCategoryRow);
  Command(kCmdUndo);
  EXPECT_EQ(app->window().rows().Selection(), 2);
  EXPECT_EQ(TreeText(2), "Garden");
  Command(kCmdRedo);
  EXPECT_EQ(app->window().rows().Selection(), 1);
  EXPECT_EQ(TreeText(1), "Garden");
  // Garden was never opened: Dig went and came back without an item, and
  // shows when Garden is opened.
  Command(kCmdUndo);
  TreeRowView& rows = app->window().rows();
  EXPECT_EQ(rows.Item(3), nullptr);
  rows.Expand(2);
  EXPECT_EQ(TreeText(3), "Dig");
}

TEST_F(HistoryTest, CtrlZWhileANameIsTypedUndoesTheTypingOnly) {
  Start(SampleFile("list.lvk"));
  app->window().rows().EditLabel(2);  // with nothing to undo in the document
  app->HandlePendingEvents();
  HWND edit = TreeView_GetEditControl(Gadget(kGadgetTree));
  ASSERT_NE(edit, nullptr);
  ::SetFocus(edit);
  ::SendMessageA(edit, EM_SETSEL, 0, -1);
  for (char c : std::string("Rake")) ::PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 1);
  app->HandlePendingEvents();
  Shortcut('Z');
  char text[64] = {};
  ::GetWindowTextA(edit, text, sizeof text);
  EXPECT_EQ(std::string(text), "Garden");
}

}  // namespace
}  // namespace lumvik
