#include "app/lumvik_app_win32.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/testing/lumvik_app_fixture_win32.h"
#include "config/ini_file.h"
#include "document/document_file.h"
#include "platform/file_io.h"
#include "platform/testing/keys_win32.h"
#include "platform/testing/scripted_prompt.h"

namespace lumvik {
namespace {

using testing::AskedMessage;
using testing::LumvikAppTest;
using testing::SampleDocument;
using testing::ScriptedPrompt;

TEST_F(LumvikAppTest, CommandLineFileIsShownSavedAndTitled) {
  // An accented name in the ANSI code page, with blanks.
  const std::string path = SampleFile("M\xE9nage d'\xE9t\xE9.lvk");
  Start(FirstCommandLineParameter("\"" + path + "\""));
  EXPECT_EQ(app->document().rows.size(), 4u);
  EXPECT_EQ(app->document().saved, 1);
  EXPECT_EQ(Title(), "Lumvik - " + path);
  EXPECT_EQ(app->window().rows().Count(), 4);
  EXPECT_EQ(app->window().rows().Selection(), 0);
  // The first category is ready in the panel, its progress derived from
  // its children and so not offered.
  EXPECT_TRUE(::IsWindowEnabled(Gadget(kGadgetCategoryDescription)));
  EXPECT_FALSE(::IsWindowVisible(Gadget(kGadgetCategoryProgress)));
  char name[64] = {};
  ::GetWindowTextA(Gadget(kGadgetCategoryName), name, sizeof name);
  EXPECT_STREQ(name, "Home");
}

TEST_F(LumvikAppTest, FirstCategoryShowsTheDescriptionThatTypingChanges) {
  Document document = SampleDocument();
  document.categories.Edit(0).designation =
      "Spring\x1B"
      "cleaning";
  const std::string path = folder.File("described.lvk");
  ASSERT_TRUE(WriteDocumentFile(path, document, "Lumvik"));
  Start(path);
  EXPECT_EQ(TextOf(kGadgetCategoryDescription), "Spring\r\ncleaning");
  EXPECT_EQ(app->document().saved, 1);
  ::SendMessageA(Gadget(kGadgetCategoryDescription), EM_SETSEL, -1, -1);
  ::SendMessageA(Gadget(kGadgetCategoryDescription), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(" first"));
  app->HandlePendingEvents();
  EXPECT_EQ(app->document().categories[0].designation,
            "Spring\x1B"
            "cleaning first");
}

TEST_F(LumvikAppTest, MissingCommandLineFileGivesANewDocument) {
  Start(folder.File("missing.lvk"));
  ASSERT_EQ(app->document().rows.size(), 1u);
  EXPECT_EQ(app->document().saved, 1);
  EXPECT_EQ(Title(), "Lumvik - " + app->texts()[111]);
  EXPECT_TRUE(::IsWindowVisible(Gadget(kGadgetCategoryProgress)));
}

TEST_F(LumvikAppTest, LastFileIsReopened) {
  const std::string path = SampleFile("last.lvk");
  SetSetting("lastfile", path);
  Start();
  EXPECT_EQ(app->document().file_path, path);
  EXPECT_EQ(app->document().saved, 1);
}

TEST_F(LumvikAppTest, RefusedFilesLeaveAnEmptyTree) {
  const std::string foreign = folder.File("foreign.lvk");
  testing::WriteTestFile(foreign, "<xml version=\"2.1\" logiciel=\"Other\">\r\n");
  SetSetting("lastfile", foreign);
  prompt.Then(Answer::Ok);
  Start();
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{{"Lumvik", app->texts()[11], Buttons::Ok}}));
  EXPECT_EQ(app->window().rows().Count(), 0);
  EXPECT_EQ(app->document().saved, 0);
  app.reset();

  // From the command line the same file leaves the document saved.
  prompt.Then(Answer::Ok);
  Start(foreign);
  EXPECT_EQ(app->window().rows().Count(), 0);
  EXPECT_EQ(app->document().saved, 1);
}

// The category controls start greyed and stay so while the first document
// has no category; a document opened later makes them usable.
TEST_F(LumvikAppTest, CategoryPanelIsUsableOnceADocumentIsOpened) {
  constexpr int kCategoryControls[] = {
      kGadgetCategoryDescription,        kGadgetCategoryName,
      kGadgetCategoryDescriptionCaption, kGadgetCategoryProgressCaption,
      kGadgetCategoryProgressValue,      kGadgetCategoryProgress};
  const std::string foreign = folder.File("foreign.lvk");
  testing::WriteTestFile(foreign, "<xml version=\"2.1\" logiciel=\"Other\">\r\n");
  SetSetting("lastfile", foreign);
  prompt.Then(Answer::Ok);
  Start();
  for (int gadget : kCategoryControls) ASSERT_FALSE(::IsWindowEnabled(Gadget(gadget))) << gadget;

  // The empty tree counts as changed; No lets the file take its place.
  prompt.Then(Answer::No).ThenFile(SampleFile("list.lvk"));
  Command(kCmdOpen);
  ASSERT_EQ(app->document().rows.size(), 4u);
  for (int gadget : kCategoryControls) EXPECT_TRUE(::IsWindowEnabled(Gadget(gadget))) << gadget;
  EXPECT_TRUE(prompt.AllAnswersUsed());
}

TEST_F(LumvikAppTest, QuitAsksAndCancelKeepsTheProgramOpen) {
  Start();
  app->document().saved = 0;
  prompt.Then(Answer::Cancel);
  Command(kCmdQuit);
  EXPECT_FALSE(app->quitting());
  prompt.Then(Answer::No);
  Command(kCmdQuit);
  EXPECT_TRUE(app->quitting());
}

TEST_F(LumvikAppTest, ClosingTheWindowAsksAsQuitDoes) {
  Start();
  app->document().saved = 0;
  prompt.Then(Answer::Cancel);
  ::SendMessageA(Window(), WM_CLOSE, 0, 0);
  app->HandlePendingEvents();
  EXPECT_FALSE(app->quitting());
  EXPECT_TRUE(::IsWindow(Window()));
  prompt.Then(Answer::Yes).ThenFile(std::nullopt);
  ::SendMessageA(Window(), WM_CLOSE, 0, 0);
  app->HandlePendingEvents();
  EXPECT_FALSE(app->quitting()) << "a cancelled save keeps the changes and the program";
  prompt.Then(Answer::No);
  ::SendMessageA(Window(), WM_CLOSE, 0, 0);
  app->HandlePendingEvents();
  EXPECT_TRUE(app->quitting());
}

TEST_F(LumvikAppTest, ShutDownRemembersTheDocument) {
  const std::string path = SampleFile("remembered file.lvk");
  Start(path);
  Command(kCmdQuit);
  ASSERT_TRUE(app->quitting());
  app->ShutDown();
  Settings settings;
  TextTable texts(kLumvikTextCount);
  ReadSettings(folder.path(), settings, texts);
  EXPECT_EQ(settings.lastfile, path);
}

// The options window, the about box and the feedback form hold the main
// window while they are open, and free it in time for it to become the
// active window again as they close; the find and help windows leave it
// free.
TEST_F(LumvikAppTest, OptionsAboutAndFeedbackHoldTheMainWindowWhileOpen) {
  Start(SampleFile("list.lvk"));
  const struct {
    int command;
    std::function<HWND()> shown;  // the window while it is open, else null
    std::function<void()> close;
  } held[] = {
      {kCmdOptions, [this] { return app->options() ? app->options()->window() : nullptr; },
       [this] { ::SendMessageA(app->options()->window(), WM_COMMAND, IDCANCEL, 0); }},
      {kCmdAbout, [this] { return app->about() ? app->about()->window() : nullptr; },
       [this] { ::SendMessageA(app->about()->Control(kGadgetAboutClose), BM_CLICK, 0, 0); }},
      {kCmdFeedback, [this] { return app->feedback() ? app->feedback()->window() : nullptr; },
       [this] { ::SendMessageA(app->feedback()->Control(kGadgetFeedbackCancel), BM_CLICK, 0, 0); }},
  };
  for (const auto& window : held) {
    WhileOpen(
        window.command, [&] { return window.shown() != nullptr; }, {[&] {
          EXPECT_FALSE(::IsWindowEnabled(Window())) << window.command;
          window.close();
        }},
        window.close);
    EXPECT_TRUE(::IsWindowEnabled(Window())) << window.command;
    EXPECT_EQ(::GetActiveWindow(), Window()) << window.command;
  }

  Command(kCmdFind);
  EXPECT_TRUE(::IsWindowEnabled(Window())) << "find";
  // The help, opened again once closed.
  const auto close_help = [this] { ::SendMessageA(app->help()->window(), WM_CLOSE, 0, 0); };
  for (int opening = 0; opening < 2; ++opening) {
    WhileOpen(
        kCmdHelp, [this] { return app->help() != nullptr && app->help()->open(); }, {[&] {
          EXPECT_TRUE(::IsWindowEnabled(Window())) << "help";
          close_help();
        }},
        close_help);
  }
}

TEST_F(LumvikAppTest, FileCommandsFromMenuToolbarAndShortcutsReachTheirHandlers) {
  const std::string path = SampleFile("list.lvk");
  Start(path);
  // Save and its button rewrite the file without a question.
  for (int command : {kCmdSave, kCmdToolSave}) {
    app->document().saved = 0;
    Command(command);
    EXPECT_EQ(app->document().saved, 1) << command;
  }
  // Save As and its button ask for a name.
  for (int command : {kCmdSaveAs, kCmdToolSaveAs}) {
    prompt.ThenFile(std::nullopt);
    Command(command);
  }
  // Open and its button ask for a file.
  for (int command : {kCmdOpen, kCmdToolOpen}) {
    prompt.ThenFile(std::nullopt);
    Command(command);
  }
  // New and its button replace the document.
  for (int command : {kCmdNew, kCmdToolNew}) {
    app->document().saved = 0;
    prompt.Then(Answer::No);
    Command(command);
    EXPECT_EQ(app->document().rows.size(), 1u) << command;
  }
  EXPECT_EQ(prompt.asked_files().size(), 4u);
  EXPECT_TRUE(prompt.AllAnswersUsed());
}

TEST_F(LumvikAppTest, RowCommandsNeedASelectedRow) {
  Start(SampleFile("list.lvk"));
  TreeView_SelectItem(Gadget(kGadgetTree), nullptr);
  for (int command :
       {kCmdAddCategory, kCmdAddSubCategory, kCmdAddTask, kCmdDeleteCategory, kCmdDeleteTask,
        kCmdMoveUp, kCmdMoveDown, kCmdDeleteAsking, kCmdRenameCategory}) {
    Command(command);
  }
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_EQ(app->document().rows, SampleDocument().rows);
  EXPECT_EQ(app->document().saved, 1);
}

TEST_F(LumvikAppTest, ShortcutsAreTheWindowsAccelerators) {
  Start();
  app->document().saved = 0;
  prompt.Then(Answer::Cancel);
  // Ctrl+Q typed into the tree.
  MSG key{};
  key.hwnd = Gadget(kGadgetTree);
  key.message = WM_KEYDOWN;
  key.wParam = 'Q';
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  ::PostMessageA(key.hwnd, key.message, key.wParam, 0);
  app->HandlePendingEvents();
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(prompt.asked().size(), 1u);
}

TEST_F(LumvikAppTest, RenamingStoresTheNameUnlessEmptyOrCancelled) {
  Start(SampleFile("list.lvk"));
  HWND tree = Gadget(kGadgetTree);
  TreeRowView& rows = app->window().rows();
  rows.Expand(0);
  rows.Select(1);
  const auto rename = [&](const char* text, bool cancel) {
    HWND edit = TreeView_EditLabel(tree, rows.Item(1));
    ASSERT_NE(edit, nullptr);
    ::SetWindowTextA(edit, text);
    TreeView_EndEditLabelNow(tree, cancel);
    app->HandlePendingEvents();
  };
  rename("", false);
  EXPECT_EQ(app->document().tasks[0].nom, "Paint the door");
  EXPECT_EQ(app->document().saved, 1);
  rename("Paint it black", true);
  EXPECT_EQ(app->document().tasks[0].nom, "Paint the door");
  EXPECT_EQ(app->document().saved, 1);
  rename("Paint the \"red\" door", false);
  EXPECT_EQ(app->document().tasks[0].nom, "Paint the \"red\" door");
  EXPECT_EQ(app->document().saved, 0);
  char shown[64] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = rows.Item(1);
  item.pszText = shown;
  item.cchTextMax = sizeof shown;
  TreeView_GetItem(tree, &item);
  EXPECT_STREQ(shown, "Paint the \"red\" door");
  ::GetWindowTextA(Gadget(kGadgetTaskName), shown, sizeof shown);
  EXPECT_STREQ(shown, "Paint the \"red\" door");
}

TEST_F(LumvikAppTest, TypingADescriptionStoresItsStoredForm) {
  Start(SampleFile("list.lvk"));
  app->window().rows().Select(0);
  HWND box = Gadget(kGadgetCategoryDescription);
  ::SendMessageA(box, EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>("Spring \"clean\"\r\nall rooms"));
  app->HandlePendingEvents();
  EXPECT_EQ(app->document().categories[0].designation,
            "Spring \x1A"
            "clean\x1A\x1B"
            "all rooms");
  EXPECT_EQ(app->document().saved, 0);

  // The task box while a category is selected stores nothing, yet the
  // document counts as changed.
  app->document().saved = 1;
  ::SendMessageA(Gadget(kGadgetTaskDescription), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>("x"));
  app->HandlePendingEvents();
  EXPECT_EQ(app->document().tasks[0].designation, "");
  EXPECT_EQ(app->document().saved, 0);
}

TEST_F(LumvikAppTest, RightClickSelectsTheRowAndShowsItsMenu) {
  Start(SampleFile("list.lvk"));
  TreeRowView& rows = app->window().rows();
  rows.Expand(0);
  for (int row : {1, 2}) {
    ClickRow(row, NM_RCLICK);
    EXPECT_EQ(rows.Selection(), row);
  }
  EXPECT_EQ(popups, (std::vector<HMENU>{app->window().Popup(kMenuTaskPopup),
                                        app->window().Popup(kMenuCategoryPopup)}));
}

TEST_F(LumvikAppTest, TreeShowsEachRowsDecorations) {
  Start(SampleFile("list.lvk"));
  OpenAllRows();
  HWND tree = Gadget(kGadgetTree);
  TreeRowView& rows = app->window().rows();
  const struct {
    int row;
    int icon;
    int state;
  } expected[] = {{0, 1, 3}, {1, 4, 5}, {2, 6, 11}, {3, 0, 11}};
  for (const auto& row : expected) {
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.hItem = rows.Item(row.row);
    ASSERT_TRUE(TreeView_GetItem(tree, &item));
    EXPECT_EQ(item.iImage, row.icon) << row.row;
    EXPECT_EQ(item.iSelectedImage, row.icon) << row.row;
    EXPECT_EQ(static_cast<int>((item.state & TVIS_STATEIMAGEMASK) >> 12), row.state) << row.row;
  }
  // Urgency colours of the current theme reach the task rows only.
  NMTVCUSTOMDRAW draw{};
  draw.nmcd.hdr = {tree, static_cast<UINT_PTR>(kGadgetTree), static_cast<UINT>(NM_CUSTOMDRAW)};
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
  draw.clrText = 0x123456;
  draw.clrTextBk = 0x654321;
  TVITEMA item{};
  item.mask = TVIF_PARAM;
  item.hItem = rows.Item(1);
  TreeView_GetItem(tree, &item);
  draw.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(rows.Item(1));
  draw.nmcd.lItemlParam = item.lParam;
  ::SendMessageA(Window(), WM_NOTIFY, kGadgetTree, reinterpret_cast<LPARAM>(&draw));
  EXPECT_EQ(draw.clrText, static_cast<COLORREF>(app->skin().theme.urg_5_tc));
  EXPECT_EQ(draw.clrTextBk, static_cast<COLORREF>(app->skin().theme.urg_5_bc));
}

TEST_F(LumvikAppTest, RelayoutOnlyFromEightHundredBySixHundred) {
  Start();
  MainWindow& window = app->window();
  window.SetClientSize(700, 500);
  app->HandlePendingEvents();
  RECT tree = PlaceOf(kGadgetTree);
  EXPECT_EQ(tree.right - tree.left, 330);

  window.SetClientSize(1000, 700);
  app->HandlePendingEvents();
  tree = PlaceOf(kGadgetTree);
  EXPECT_EQ(tree.left, 10);
  EXPECT_EQ(tree.top, 60);
  EXPECT_EQ(tree.right - tree.left, 530);
  EXPECT_EQ(tree.bottom - tree.top, 610);
  for (int panel : {kGadgetCategoryPanel, kGadgetTaskPanel}) {
    const RECT place = PlaceOf(panel);
    EXPECT_EQ(place.left, 550) << panel;
    EXPECT_EQ(place.right - place.left, 440) << panel;
    EXPECT_EQ(place.bottom - place.top, 610) << panel;
  }
}

TEST_F(LumvikAppTest, MinimumTrackingSizeHoldsWhileTheUserDragsTheBorder) {
  Start();
  MINMAXINFO limits{};
  ::SendMessageA(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_LT(limits.ptMinTrackSize.x, 850) << "the program's own sizes are not limited";
  ::SendMessageA(Window(), WM_ENTERSIZEMOVE, 0, 0);
  limits = {};
  EXPECT_EQ(::SendMessageA(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 0);
  EXPECT_EQ(limits.ptMinTrackSize.x, 850);
  EXPECT_EQ(limits.ptMinTrackSize.y, 650);
  ::SendMessageA(Window(), WM_EXITSIZEMOVE, 0, 0);
}

TEST_F(LumvikAppTest, PanelSettingLaysOutTheWindowAtStartUp) {
  SetSetting("droite", "1");
  Start();
  EXPECT_EQ(app->window().ClientSize().cx, 400);
  EXPECT_EQ(app->window().ClientSize().cy, 600);
  EXPECT_FALSE(::IsWindowVisible(Gadget(kGadgetCategoryPanel)));
  EXPECT_FALSE(::IsWindowVisible(Gadget(kGadgetTaskPanel)));
  const RECT tree = PlaceOf(kGadgetTree);
  EXPECT_EQ(tree.right - tree.left, 380);
  EXPECT_EQ(tree.bottom - tree.top, 510);
  app.reset();

  SetSetting("droite", "2");
  Start();
  EXPECT_EQ(app->window().ClientSize().cx, 800);
  EXPECT_TRUE(::IsWindowVisible(Gadget(kGadgetCategoryPanel)));
}

TEST_F(LumvikAppTest, MainWindowHasItsGadgetsMenusAndToolbar) {
  Start();
  EXPECT_EQ(app->window().ClientSize().cx, 800);
  EXPECT_EQ(app->window().ClientSize().cy, 600);
  for (int gadget = kGadgetTree; gadget <= kGadgetTaskPanel; ++gadget) {
    if (gadget == 34) continue;
    HWND control = Gadget(gadget);
    ASSERT_NE(control, nullptr) << gadget;
    EXPECT_EQ(::GetDlgCtrlID(control), gadget);
  }
  HMENU bar = ::GetMenu(Window());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(::GetMenuItemCount(bar), 4);
  EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 0)), 10);
  EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 3)), 6);
  char item[64] = {};
  ::GetMenuStringA(bar, kCmdNew, item, sizeof item, MF_BYCOMMAND);
  EXPECT_EQ(std::string(item), app->texts()[1] + "\tCtrl+N");
  EXPECT_EQ(::GetMenuItemCount(app->window().Popup(kMenuCategoryPopup)), 9);
  EXPECT_EQ(::GetMenuItemCount(app->window().Popup(kMenuTaskPopup)), 3);
  HWND toolbar = app->window().toolbar();
  EXPECT_EQ(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 9);
  const LRESULT size = ::SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0);
  EXPECT_GE(LOWORD(size), 48);
  EXPECT_GE(HIWORD(size), 48);
  // The task panel and all it holds start hidden.
  EXPECT_FALSE(::IsWindowVisible(Gadget(kGadgetTaskPanel)));
  EXPECT_TRUE(::IsWindowVisible(Gadget(kGadgetCategoryPanel)));
}

// Tab, Shift+Tab, Enter and Escape as the keyboard posts them to the focus.
class MainWindowKeysTest : public LumvikAppTest {
 protected:
  void Key(UINT key, testing::Modifiers held = {}) {
    testing::PostKey(::GetFocus(), key, held);
    app->HandlePendingEvents();
    testing::HoldModifiers({});
  }
  int Focus() { return ::GetDlgCtrlID(::GetFocus()); }
};

TEST_F(MainWindowKeysTest, TabGoesFromTheTreeToTheShownPanelAndBack) {
  Start(SampleFile("list.lvk"));
  ::SetFocus(Gadget(kGadgetTree));
  Key(VK_TAB);
  EXPECT_EQ(Focus(), kGadgetCategoryDescription);
  Key(VK_TAB, {.control = true, .shift = true});
  EXPECT_EQ(Focus(), kGadgetTree);
  Key(VK_TAB, {.shift = true});
  EXPECT_EQ(Focus(), kGadgetCategoryDescription) << "back round from the first stop";

  // A task shows its panel's first page: the description, then the slider.
  app->window().rows().Expand(0);
  ClickRow(1);
  ::SetFocus(Gadget(kGadgetTree));
  Key(VK_TAB);
  EXPECT_EQ(Focus(), kGadgetTaskDescription);
  Key(VK_TAB, {.control = true});
  EXPECT_EQ(Focus(), kGadgetTaskProgress);
  Key(VK_TAB, {.control = true});  // outside a text box it turns the panel's page
  EXPECT_EQ(Focus(), kGadgetStatusList);
  EXPECT_EQ(::SendMessageA(Gadget(kGadgetTaskPanel), TCM_GETCURSEL, 0, 0), 1);
}

TEST_F(MainWindowKeysTest, DescriptionsTakeTabAndEnterAsText) {
  Start(SampleFile("list.lvk"));
  ::SetFocus(Gadget(kGadgetCategoryDescription));
  Key(VK_TAB);
  EXPECT_EQ(Focus(), kGadgetCategoryDescription);
  EXPECT_EQ(app->document().categories[0].designation, "\t");
  Key(VK_RETURN);
  EXPECT_EQ(Focus(), kGadgetCategoryDescription);
  EXPECT_EQ(app->document().categories[0].designation, "\t\x1B");
  // Escape there is no request to close the panel or the program.
  HWND box = Gadget(kGadgetCategoryDescription);
  Key(VK_ESCAPE);
  EXPECT_TRUE(::IsWindow(box));
  EXPECT_TRUE(::IsWindowVisible(box));
  EXPECT_FALSE(app->quitting());
  EXPECT_TRUE(prompt.asked().empty());
}

TEST_F(MainWindowKeysTest, EscapeCancelsARenameAndEnterEndsIt) {
  Start(SampleFile("list.lvk"));
  HWND tree = Gadget(kGadgetTree);
  TreeRowView& rows = app->window().rows();
  HWND edit = TreeView_EditLabel(tree, rows.Item(0));
  ASSERT_NE(edit, nullptr);
  ::SetWindowTextA(edit, "Garage");
  Key(VK_ESCAPE);
  EXPECT_EQ(app->document().categories[0].nom, "Home");
  edit = TreeView_EditLabel(tree, rows.Item(0));
  ASSERT_NE(edit, nullptr);
  ::SetWindowTextA(edit, "Garage");
  Key(VK_RETURN);
  EXPECT_EQ(app->document().categories[0].nom, "Garage");
  EXPECT_TRUE(::IsWindow(Window()));
  EXPECT_FALSE(app->quitting());
}

}  // namespace
}  // namespace lumvik
