#include <gtest/gtest.h>

#include "app/testing/lumvik_app_fixture_win32.h"
#include "config/text_numbers.h"
#include "document/document_file.h"
#include "document/row_records.h"
#include "document/testing/edited_document.h"

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
  EXPECT_EQ(ItemsOnceAllOpen(), 7);

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
  EXPECT_EQ(ItemsOnceAllOpen(), 4);
}

// Home (Paint the door, Garden (Dig)), Shed (Saw), Attic.
Document ThreeCategories() {
  Document document = testing::SampleDocument();
  document.rows.push_back({kCategoryRow, 2, 0});
  document.rows.push_back({kTaskRow, 2, 1});
  document.rows.push_back({kCategoryRow, 3, 0});
  document.categories.push_back({"Shed", "", 0});
  document.categories.push_back({"Attic", "", 0});
  document.tasks.push_back(document.tasks[0]);
  document.tasks.Edit(2).nom = "Saw";
  return document;
}

// Each press of a move button moves the row selected before it, past runs
// with rows under them or not, and the panel goes on showing that row.
TEST_F(EditCommandsTest, EveryMoveKeepsTheMovedRowSelected) {
  const std::string path = folder.File("three.lvk");
  ASSERT_TRUE(WriteDocumentFile(path, ThreeCategories(), "Lumvik"));
  Start(path);
  const auto selected_name = [&] {
    const int row = rows().Selection();
    if (row < 0) return std::string("(nothing)");
    const TreeEntry& entry = document().rows[row];
    return entry.kind == kCategoryRow ? document().categories[entry.index].nom
                                      : document().tasks[entry.index].nom;
  };
  const auto press = [&](int command, const char* moved, int position) {
    SCOPED_TRACE(std::string(moved) + " to " + std::to_string(position));
    Command(command);
    EXPECT_EQ(selected_name(), moved);
    ASSERT_EQ(rows().Selection(), position);
    const bool task = document().rows[position].kind == kTaskRow;
    EXPECT_EQ(TextOf(task ? kGadgetTaskName : kGadgetCategoryName), moved);
  };
  const auto select = [&](int row) {
    rows().Select(row);
    app->HandlePendingEvents();
  };

  select(6);
  press(kCmdMoveUp, "Attic", 4);    // past Shed and its task
  press(kCmdMoveUp, "Attic", 0);    // past Home and all it holds
  press(kCmdMoveDown, "Attic", 4);  // below Home's run again
  press(kCmdMoveDown, "Attic", 6);
  select(2);
  press(kCmdMoveUp, "Garden", 1);  // with its task, past a task
  select(3);
  press(kCmdMoveUp, "Paint the door", 1);    // past Garden's run
  press(kCmdMoveDown, "Paint the door", 3);  // Garden's run goes up
  press(kCmdMoveDown, "Paint the door", 5);  // the last child: Shed goes above Home
  press(kCmdMoveUp, "Paint the door", 3);
  select(2);
  press(kCmdMoveDown, "Home", 3);  // Attic goes above Home's run
  press(kCmdMoveUp, "Home", 2);    // and back below it
  press(kCmdMoveUp, "Home", 0);    // past Shed and its task
  EXPECT_EQ(ItemsOnceAllOpen(), 7);
  EXPECT_EQ(document().saved, 0);
}

TEST_F(EditCommandsTest, ContentsAddedToACategoryTakeItsSliderAway) {
  constexpr int kSliderGadgets[] = {kGadgetCategoryProgress, kGadgetCategoryProgressCaption,
                                    kGadgetCategoryProgressValue};
  for (int command : {kCmdAddTask, kCmdAddSubCategory}) {
    SCOPED_TRACE(command);
    Start();  // a new document: one category, its progress set by hand
    for (int gadget : kSliderGadgets) ASSERT_TRUE(::IsWindowVisible(Gadget(gadget))) << gadget;
    Command(command);
    for (int gadget : kSliderGadgets) EXPECT_FALSE(::IsWindowVisible(Gadget(gadget))) << gadget;
    app.reset();
  }
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
  EXPECT_EQ(ItemsOnceAllOpen(), 1);

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

// The tree's own keys, typed in the tree through the table of its keys; the
// same keys in a description box edit its text.
TEST_F(EditCommandsTest, TheTreesKeysAddMoveAndRenameThereOnly) {
  Start(SampleFile("list.lvk"));  // Home (Paint the door, Garden (Dig))
  HWND tree = Gadget(kGadgetTree);
  const auto key = [&](HWND target, UINT code, testing::Modifiers held = {}) {
    ::SetFocus(target);
    testing::PostKey(target, code, held);
    app->HandlePendingEvents();
    testing::HoldModifiers({});
  };
  app->window().rows().Expand(0);
  app->window().rows().Select(1);  // Paint the door
  key(tree, VK_INSERT);            // a task in Home, the task's category
  EXPECT_EQ(testing::Outline(app->document()),
            "Home0 Paint the door1 Garden1 Dig2 " + app->texts()[kTextNewTask] + "1");
  app->window().rows().Select(1);
  key(tree, VK_INSERT, {.shift = true});  // a category beside Home
  ASSERT_EQ(app->document().rows.size(), 6u);
  EXPECT_EQ(app->document().rows[5].level, 0);
  EXPECT_EQ(app->document().rows[5].kind, kCategoryRow);

  app->window().rows().Select(2);  // Garden
  key(tree, VK_LEFT, {.alt = true});
  EXPECT_EQ(RecordName(app->document(), app->document().rows[3]), "Garden");
  EXPECT_EQ(app->document().rows[3].level, 0) << "out of Home, after its run";
  EXPECT_EQ(app->window().rows().Selection(), 3);
  key(tree, VK_RIGHT, {.alt = true});  // back into Home, last
  EXPECT_EQ(app->document().rows[3].level, 1);
  key(tree, VK_UP, {.alt = true});
  EXPECT_EQ(app->document().rows[2].index, 1) << "Garden moved up past the new task";

  key(tree, VK_F2);
  EXPECT_NE(TreeView_GetEditControl(tree), nullptr) << "F2 renames";
  TreeView_EndEditLabelNow(tree, TRUE);
  app->HandlePendingEvents();

  app->window().rows().Select(0);
  key(tree, VK_INSERT, {.control = true});  // a sub-category in Home, last
  EXPECT_EQ(app->document().rows[app->document().rows.size() - 2].kind, kCategoryRow);
  EXPECT_EQ(app->document().rows[app->document().rows.size() - 2].level, 1);

  const Document before = app->document();
  app->window().rows().Select(1);
  app->HandlePendingEvents();
  key(Gadget(kGadgetTaskDescription), VK_INSERT);
  key(Gadget(kGadgetTaskDescription), VK_INSERT, {.shift = true});
  key(Gadget(kGadgetTaskDescription), VK_F2);
  EXPECT_EQ(TreeView_GetEditControl(tree), nullptr) << "F2 is no rename in a text box";
  key(Gadget(kGadgetStatusList), VK_DOWN, {.alt = true});
  EXPECT_TRUE(::SendMessageA(Gadget(kGadgetStatusList), CB_GETDROPPEDSTATE, 0, 0))
      << "Alt+Down opens the list";
  ::SendMessageA(Gadget(kGadgetStatusList), CB_SHOWDROPDOWN, FALSE, 0);
  app->HandlePendingEvents();
  EXPECT_EQ(app->document().rows, before.rows) << "the keys are the text box's and the list's";
}

// A row dragged with the mouse as the tree reports it: the button goes down
// on its label and the pointer leaves it; then the window holding the mouse
// sees the pointer over the other row, highlighted, and the button let go.
TEST_F(EditCommandsTest, DraggingARowDropsItWithEverythingUnderIt) {
  const std::string path = folder.File("three.lvk");
  ASSERT_TRUE(WriteDocumentFile(path, ThreeCategories(), "Lumvik"));
  Start(path);  // Home (Paint the door, Garden (Dig)), Shed (Saw), Attic
  for (int row : {0, 4}) rows().Expand(row);  // Garden was never opened: Dig has no item
  ASSERT_EQ(rows().Item(3), nullptr);
  HWND tree = Gadget(kGadgetTree);
  const auto label_centre = [&](int row) {
    RECT label{};
    TreeView_GetItemRect(tree, rows().Item(row), &label, TRUE);
    return POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
  };
  const auto drag = [&](int row, int onto) {
    const POINT from = label_centre(row);
    ::PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    ::PostMessageA(tree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 20, from.y + 40));
    app->HandlePendingEvents();
    EXPECT_EQ(::GetCapture(), Window()) << "the main window holds the mouse";
    EXPECT_NE(ImageList_GetDragImage(nullptr, nullptr), nullptr) << "a picture of the row";
    POINT over = label_centre(onto);
    ::MapWindowPoints(tree, Window(), &over, 1);
    ::PostMessageA(Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    app->HandlePendingEvents();
    EXPECT_EQ(TreeView_GetDropHilight(tree), rows().Item(onto));
    ::PostMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
    app->HandlePendingEvents();
    EXPECT_EQ(TreeView_GetDropHilight(tree), nullptr);
    EXPECT_NE(::GetCapture(), Window());
  };

  drag(5, 2);  // Saw onto Garden: its last child
  EXPECT_EQ(testing::Outline(document()), "Home0 Paint the door1 Garden1 Dig2 Saw2 Shed0 Attic0");
  EXPECT_EQ(rows().Selection(), 4);
  EXPECT_EQ(TextOf(kGadgetTaskName), "Saw");
  EXPECT_EQ(ItemsOnceAllOpen(), 7);

  drag(2, 6);  // Garden with Dig and Saw onto Attic
  EXPECT_EQ(testing::Outline(document()), "Home0 Paint the door1 Shed0 Attic0 Garden1 Dig2 Saw2");
  drag(3, 4);  // Attic onto its own child: nothing
  EXPECT_EQ(testing::Outline(document()), "Home0 Paint the door1 Shed0 Attic0 Garden1 Dig2 Saw2");

  Command(kCmdUndo);  // each drop is one step
  EXPECT_EQ(testing::Outline(document()), "Home0 Paint the door1 Garden1 Dig2 Saw2 Shed0 Attic0");
  Command(kCmdUndo);
  EXPECT_EQ(document().rows, ThreeCategories().rows);
}

}  // namespace
}  // namespace lumvik
