// The View menu as the user reaches it: its items and keys, the rows each
// filter leaves in the tree, a row kept in sight after a command hides it,
// the find window's narrowing, and the sorts of the category pop-up menu.
#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/testing/lumvik_app_fixture_win32.h"
#include "config/text_numbers.h"
#include "export/row_texts.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace lumvik {
namespace {

class ViewTest : public testing::LumvikAppTest {
 protected:
  TreeRowView& rows() { return app->window().rows(); }
  bool Ticked(int command) {
    return (::GetMenuState(::GetMenu(Window()), static_cast<UINT>(command), MF_BYCOMMAND) &
            MF_CHECKED) != 0;
  }
  // The names the tree shows, every category opened.
  std::vector<std::string> ShownNames() {
    OpenAllRows();
    std::vector<std::string> names;
    HWND tree = Gadget(kGadgetTree);
    for (HTREEITEM item = TreeView_GetRoot(tree); item != nullptr;
         item = TreeView_GetNextVisible(tree, item)) {
      char text[256] = {};
      TVITEMA read{};
      read.mask = TVIF_TEXT;
      read.hItem = item;
      read.pszText = text;
      read.cchTextMax = sizeof text;
      TreeView_GetItem(tree, &read);
      names.emplace_back(text);
    }
    return names;
  }
  std::string Shown(int shown, int total) {
    return FillPlaceholders(app->texts()[kTextTasksShown],
                            std::vector<std::string>{std::to_string(shown), std::to_string(total)});
  }
  void ChooseStatus(int item) {
    ::SendMessageA(Gadget(kGadgetStatusList), CB_SETCURSEL, item, 0);
    ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(kGadgetStatusList, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Gadget(kGadgetStatusList)));
    app->HandlePendingEvents();
  }
};

using Names = std::vector<std::string>;

std::string MenuString(HMENU menu, UINT item) {
  char text[128] = {};
  ::GetMenuStringA(menu, item, text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST_F(ViewTest, TheViewMenuStandsBeforeHelpItsKeysTickItsFiltersAndTheSettingsKeepThem) {
  Start(SampleFile("list.lvk"));  // Home (Paint the door, Garden (Dig, done))
  const TextTable& texts = app->texts();
  HMENU bar = ::GetMenu(Window());
  ASSERT_EQ(::GetMenuItemCount(bar), 4);
  EXPECT_EQ(MenuString(bar, 2), texts[kTextViewMenu]);
  EXPECT_EQ(MenuString(bar, 3), texts[39]);
  HMENU view = ::GetSubMenu(bar, 2);
  const std::pair<int, std::string> items[] = {
      {kCmdHideFinished, texts[kTextHideFinished] + "\tCtrl+H"},
      {kCmdOnlyDue, texts[kTextOnlyDue] + "\tCtrl+D"},
      {kCmdOnlyUrgent, texts[kTextOnlyUrgent] + "\tCtrl+U"},
      {0, ""},
      {kCmdShowEverything, texts[kTextShowEverything] + "\tCtrl+Shift+H"},
  };
  ASSERT_EQ(::GetMenuItemCount(view), static_cast<int>(std::size(items)));
  for (UINT k = 0; k < std::size(items); ++k) {
    EXPECT_EQ(::GetMenuItemID(view, static_cast<int>(k)), static_cast<UINT>(items[k].first)) << k;
    EXPECT_EQ(MenuString(view, k), items[k].second) << k;
  }
  EXPECT_EQ(TextOf(kGadgetStatusLine), "");

  HWND first_tree = Gadget(kGadgetTree);
  Key(first_tree, 'H', {.control = true});
  EXPECT_TRUE(Ticked(kCmdHideFinished));
  EXPECT_EQ(ShownNames(), (Names{"Home", "Paint the door"})) << "Garden holds only Dig, done";
  EXPECT_EQ(TextOf(kGadgetStatusLine), Shown(1, 2));
  // Half the rows changed: a new tree view took the old one's place, its
  // number, pictures and keys, and the old one goes at the pauses after.
  HWND tree = Gadget(kGadgetTree);
  EXPECT_NE(tree, first_tree);
  EXPECT_EQ(::GetDlgItem(Window(), kGadgetTree), tree);
  EXPECT_TRUE(::IsWindowVisible(tree));
  EXPECT_EQ(::GetFocus(), tree);
  EXPECT_NE(TreeView_GetImageList(tree, TVSIL_STATE), nullptr);
  for (int wait = 0; wait < 100 && ::IsWindow(first_tree); ++wait) {
    ::Sleep(10);
    app->HandlePendingEvents();
  }
  EXPECT_FALSE(::IsWindow(first_tree));
  rows().Select(0);
  Key(tree, VK_F10, {.shift = true});
  EXPECT_EQ(popups, std::vector<HMENU>{app->window().Popup(kMenuCategoryPopup)});

  // In the find window too, but not in a name being typed in the tree.
  Command(kCmdFind);
  Key(app->find()->Control(kGadgetFindText), 'D', {.control = true});
  EXPECT_TRUE(Ticked(kCmdOnlyDue));
  EXPECT_EQ(ShownNames(), Names{"Home"}) << "nothing falls due; the selected row stays in sight";
  EXPECT_EQ(rows().GreyedRow(), 0);
  Key(app->find()->Control(kGadgetFindText), 'D', {.control = true});
  rows().Select(0);
  rows().EditLabel(0);
  Key(TreeView_GetEditControl(Gadget(kGadgetTree)), 'U', {.control = true});
  EXPECT_FALSE(Ticked(kCmdOnlyUrgent));
  Key(TreeView_GetEditControl(Gadget(kGadgetTree)), VK_ESCAPE);
  Key(Gadget(kGadgetTree), 'U', {.control = true});
  EXPECT_TRUE(Ticked(kCmdOnlyUrgent));
  EXPECT_EQ(ShownNames(), (Names{"Home", "Paint the door"}));
  IniFile settings = IniFile::Open(folder.File("Lumvik.ini"), IniReader::Lumvik);
  EXPECT_EQ(settings.ReadString("View", "hidefinished", ""), "1");
  EXPECT_EQ(settings.ReadString("View", "onlydue", ""), "0");
  EXPECT_EQ(settings.ReadString("View", "onlyurgent", ""), "1");

  app->ShutDown();
  Start(folder.File("list.lvk"));
  EXPECT_TRUE(Ticked(kCmdHideFinished));
  EXPECT_TRUE(Ticked(kCmdOnlyUrgent));
  EXPECT_EQ(ShownNames(), (Names{"Home", "Paint the door"}));
  app->ApplySettings();  // the menus built anew keep their ticks
  EXPECT_TRUE(Ticked(kCmdOnlyUrgent));

  Key(Gadget(kGadgetTree), 'H', {.control = true, .shift = true});
  EXPECT_FALSE(Ticked(kCmdHideFinished));
  EXPECT_FALSE(Ticked(kCmdOnlyUrgent));
  EXPECT_EQ(ShownNames(), (Names{"Home", "Paint the door", "Garden", "Dig"}));
  EXPECT_EQ(TextOf(kGadgetStatusLine), "");

  // A new document under a view that hides its only row keeps it in sight;
  // a name being typed goes with the old one.
  rows().Select(0);
  Command(kCmdOnlyDue);
  rows().EditLabel(0);
  ASSERT_NE(TreeView_GetEditControl(Gadget(kGadgetTree)), nullptr);
  Command(kCmdNew);
  EXPECT_EQ(rows().Selection(), 0);
  EXPECT_EQ(rows().GreyedRow(), 0);
  EXPECT_EQ(app->document().saved, 1);
}

TEST_F(ViewTest, ARowACommandHidesStaysGreyedUntilTheSelectionLeavesIt) {
  SetSetting("droite", "0");  // the panel beside the tree
  Start(SampleFile("list.lvk"));
  Command(kCmdHideFinished);
  rows().Select(1);  // Paint the door
  app->HandlePendingEvents();
  ChooseStatus(3);  // done
  EXPECT_EQ(app->document().tasks[0].statut, 4);
  EXPECT_EQ(rows().GreyedRow(), 1);
  EXPECT_EQ(ShownNames(), (Names{"Home", "Paint the door"}));
  // The row is only kept in sight: a printout leaves it out, and counts so.
  Command(kCmdPrint);
  ASSERT_EQ(prompt.opened().size(), 1u);
  const std::optional<std::string> page = ReadWholeFile(prompt.opened()[0]);
  ASSERT_TRUE(page);
  EXPECT_NE(page->find(TasksShownText(app->texts(), 0, 2)), std::string::npos);
  EXPECT_EQ(page->find("Paint the door"), std::string::npos);
  EXPECT_TRUE(RemoveFile(prompt.opened()[0]));

  ClickRow(0);
  EXPECT_EQ(ShownNames(), Names{"Home"});
  EXPECT_EQ(rows().GreyedRow(), 0) << "Home holds only finished tasks now, but is selected";
  EXPECT_EQ(TextOf(kGadgetStatusLine), Shown(0, 2));

  Command(kCmdUndo);
  EXPECT_EQ(rows().Selection(), 1) << "the row the undone step was about";
  EXPECT_EQ(ShownNames(), (Names{"Home", "Paint the door"}));
  EXPECT_EQ(app->document().rows.size(), 4u) << "the document never changes for a view";
}

TEST_F(ViewTest, FindShowsARowTheViewHidesAndTheFindWindowNarrowsToWhatMatches) {
  Start(SampleFile("list.lvk"));
  Command(kCmdHideFinished);
  ::SetFocus(Gadget(kGadgetTree));
  Command(kCmdFind);
  HWND text = app->find()->Control(kGadgetFindText);
  ::SetWindowTextA(text, "dig");
  Key(text, VK_RETURN);
  EXPECT_EQ(rows().Selection(), 3);
  EXPECT_EQ(rows().GreyedRow(), 3);
  EXPECT_EQ(TextOf(kGadgetStatusLine), FillPlaceholders(app->texts()[kTextTasksShownAndFound],
                                                        std::vector<std::string>{"2", "2"}));
  Command(kCmdShowEverything);
  EXPECT_EQ(rows().GreyedRow(), -1);
  rows().Select(0);

  HWND box = app->find()->Control(kGadgetFindShowOnlyMatches);
  ::SendMessageA(box, BM_CLICK, 0, 0);
  app->HandlePendingEvents();
  EXPECT_EQ(ShownNames(), (Names{"Home", "Garden", "Dig"}));
  ::SetWindowTextA(text, "door");
  // The tree follows the text after a pause in the typing.
  for (int wait = 0; wait < 50 && ShownNames().size() != 2; ++wait) {
    ::Sleep(20);
    app->HandlePendingEvents();
  }
  EXPECT_EQ(ShownNames(), (Names{"Home", "Paint the door"}));
  Key(text, VK_ESCAPE);
  EXPECT_EQ(::SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "closing unticks it";
  EXPECT_EQ(::GetFocus(), Gadget(kGadgetTree)) << "back in the tree made meanwhile";
  EXPECT_EQ(ShownNames().size(), 4u);
}

TEST_F(ViewTest, TheCategoryMenuSortsItsContentsAndOpensFromTheKeyboard) {
  Document document = testing::SampleDocument();
  document.rows.push_back({kTaskRow, 2, 1});  // Home: Paint the door, Garden, Call
  TaskRecord call = document.tasks[0];
  call.nom = "Call";
  document.tasks.push_back(call);
  ASSERT_TRUE(WriteDocumentFile(folder.File("list.lvk"), document, "Lumvik"));
  Start(folder.File("list.lvk"));
  rows().Select(0);
  Key(Gadget(kGadgetTree), VK_F10, {.shift = true});
  ASSERT_EQ(popups.size(), 1u);
  HMENU menu = popups.back();
  EXPECT_EQ(menu, app->window().Popup(kMenuCategoryPopup));
  const int last = ::GetMenuItemCount(menu) - 1;
  EXPECT_EQ(::GetMenuItemID(menu, last - 1), 0u) << "a separator before it";
  EXPECT_EQ(MenuString(menu, static_cast<UINT>(last)), app->texts()[kTextSortContents]);
  HMENU sorts = ::GetSubMenu(menu, last);
  ASSERT_EQ(::GetMenuItemCount(sorts), kSortCount);
  for (int k = 0; k < kSortCount; ++k) {
    EXPECT_EQ(::GetMenuItemID(sorts, k), static_cast<UINT>(kCmdFirstSort + k));
    EXPECT_EQ(MenuString(sorts, static_cast<UINT>(k)), app->texts()[kTextSortByName + k]);
  }
  rows().Select(1);
  Key(Gadget(kGadgetTree), VK_APPS);
  EXPECT_EQ(popups.back(), app->window().Popup(kMenuTaskPopup));

  rows().Select(0);
  Command(kCmdFirstSort);  // by name
  EXPECT_EQ(ShownNames(), (Names{"Home", "Garden", "Dig", "Call", "Paint the door"}));
  EXPECT_EQ(rows().Selection(), 0);
  EXPECT_EQ(app->document().saved, 0) << "closing would ask to save the new order";
  Command(kCmdUndo);
  EXPECT_EQ(ShownNames(), (Names{"Home", "Paint the door", "Garden", "Dig", "Call"}));
}

}  // namespace
}  // namespace lumvik
