#include <gtest/gtest.h>

#include <utility>

#include "app/testing/lumvik_app_fixture_win32.h"
#include "config/text_numbers.h"
#include "document/stored_form.h"
#include "theme/gdi_owners_win32.h"

namespace lumvik {
namespace {

using testing::AskedMessage;

class FindCommandsTest : public testing::LumvikAppTest {
 protected:
  TreeRowView& rows() { return app->window().rows(); }
  bool Expanded(int row) {
    return (TreeView_GetItemState(Gadget(kGadgetTree), rows().Item(row), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
  }
  HWND FindText() { return app->find()->Control(kGadgetFindText); }
  std::string Outcome() {
    char text[256] = {};
    ::GetWindowTextA(app->find()->Control(kGadgetFindOutcome), text, sizeof text);
    return text;
  }
  // Row `row` drawn as the tree asks its window to draw it: what the answer
  // asks of the tree, and whether the font chosen for it is underlined.
  std::pair<LRESULT, bool> DrawRow(int row) {
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    const SavedDcState state(dc.get());
    HWND tree = Gadget(kGadgetTree);
    NMTVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {tree, static_cast<UINT_PTR>(kGadgetTree), static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.hdc = dc.get();
    draw.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(rows().Item(row));
    TVITEMA read{};
    read.mask = TVIF_PARAM;
    read.hItem = rows().Item(row);
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
    draw.nmcd.lItemlParam = read.lParam;
    const LRESULT answer =
        ::SendMessageA(Window(), WM_NOTIFY, kGadgetTree, reinterpret_cast<LPARAM>(&draw));
    LOGFONTA font{};
    ::GetObjectA(::GetCurrentObject(dc.get(), OBJ_FONT), sizeof font, &font);
    return {answer, font.lfUnderline != 0};
  }
  // Home (Paint the door, Garden (Dig)); Dig's description speaks of a spade.
  std::string ListWithDescriptions() {
    Document document = testing::SampleDocument();
    document.tasks.Edit(1).designation = DesignationToStoredForm(
        "Take the\r\nSP\xC2"
        "DE");
    EXPECT_TRUE(WriteDocumentFile(folder.File("list.lvk"), document, "Lumvik"));
    return folder.File("list.lvk");
  }
};

TEST_F(FindCommandsTest, FindWindowSearchesFromItsKeysAndTheMainWindows) {
  Start(ListWithDescriptions());
  TreeView_Expand(Gadget(kGadgetTree), rows().Item(0), TVE_COLLAPSE);
  rows().Select(0);
  Key(Gadget(kGadgetTree), 'F', {.control = true});
  ASSERT_NE(app->find(), nullptr);
  EXPECT_TRUE(app->find()->visible());
  EXPECT_EQ(::GetFocus(), FindText());

  // Enter finds Dig by its description, without case or accents, and opens
  // the closed categories above it.
  ::SetWindowTextA(FindText(), "spade");
  Key(FindText(), VK_RETURN);
  EXPECT_EQ(rows().Selection(), 3);
  EXPECT_TRUE(Expanded(0));
  EXPECT_TRUE(Expanded(2));
  EXPECT_EQ(TextOf(kGadgetTaskName), "Dig") << "the panel shows the row found";
  EXPECT_EQ(Outcome(), "");

  ::SetWindowTextA(FindText(), "A");  // Paint the door, Garden, Dig's description
  Key(FindText(), VK_F3);
  EXPECT_EQ(rows().Selection(), 1) << "going round past the end, past Home";
  Key(FindText(), VK_F3, {.shift = true});
  EXPECT_EQ(rows().Selection(), 3);

  ::SetWindowTextA(FindText(), "wheelbarrow");
  Key(FindText(), VK_RETURN);
  EXPECT_EQ(rows().Selection(), 3);
  EXPECT_EQ(Outcome(), app->texts()[kTextNothingFound]);

  Key(FindText(), VK_ESCAPE);
  EXPECT_FALSE(app->find()->visible());

  // From the description box, F3 and Shift+F3 search on with the last text;
  // one that matches again clears the word.
  ::SetWindowTextA(FindText(), "door");
  Key(Gadget(kGadgetTaskDescription), VK_F3);
  EXPECT_EQ(rows().Selection(), 1);
  EXPECT_EQ(Outcome(), "");
  EXPECT_FALSE(app->find()->visible());
  Key(Gadget(kGadgetTaskDescription), VK_F3, {.shift = true});
  EXPECT_EQ(rows().Selection(), 1) << "the only row that matches";
}

TEST_F(FindCommandsTest, FindNextWithNothingTypedOpensTheWindow) {
  Start(SampleFile("list.lvk"));
  Key(Gadget(kGadgetTree), VK_F3);
  ASSERT_NE(app->find(), nullptr);
  EXPECT_TRUE(app->find()->visible());
  EXPECT_EQ(rows().Selection(), 0);
  Key(FindText(), VK_ESCAPE);
  EXPECT_FALSE(app->find()->visible());
  Key(Gadget(kGadgetCategoryDescription), 'F', {.control = true});
  EXPECT_TRUE(app->find()->visible()) << "Ctrl+F from a description box";
}

TEST_F(FindCommandsTest, DueTasksAreMarkedAndCtrlJGoesToTheOverdueOnes) {
  Document document = testing::SampleDocument();
  document.tasks.Edit(0).dateecheance = "06/12/2026";  // Paint the door: yesterday, at 40 %
  document.tasks.Edit(1).avancement = 0;
  document.tasks.Edit(1).dateecheance = "08/12/2026";  // Dig: tomorrow
  ASSERT_TRUE(WriteDocumentFile(folder.File("due.lvk"), document, "Lumvik"));
  CalendarDate today = testing::kToday;
  Start(folder.File("due.lvk"));
  app->SetClock([&today] { return today; });
  rows().Expand(0);
  rows().Expand(2);

  EXPECT_EQ(DrawRow(0), std::pair(LRESULT{CDRF_DODEFAULT}, false)) << "a category";
  EXPECT_EQ(DrawRow(1), std::pair(LRESULT{CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT}, true));
  EXPECT_EQ(DrawRow(3), std::pair(LRESULT{CDRF_NEWFONT}, true)) << "due soon";

  rows().Select(3);
  Key(Gadget(kGadgetTree), 'J', {.control = true});
  EXPECT_EQ(rows().Selection(), 1) << "round to the only overdue task";

  // Past midnight the marks follow the clock, without a restart.
  today = {2026, 12, 9};
  ::SendMessageA(Window(), WM_TIMER, 2, 0);
  EXPECT_EQ(DrawRow(3), std::pair(LRESULT{CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT}, true));
  Key(Gadget(kGadgetTaskDescription), 'J', {.control = true});
  EXPECT_EQ(rows().Selection(), 3);

  // A finished task is never due.
  app->document().tasks.Edit(0).avancement = 10;
  app->document().tasks.Edit(1).avancement = 10;
  prompt.Then(Answer::Ok);
  Command(kCmdNextOverdue);
  EXPECT_EQ(prompt.asked().back(),
            (AskedMessage{"Lumvik", app->texts()[kTextNothingOverdue], Buttons::Ok}));
  EXPECT_EQ(DrawRow(1), std::pair(LRESULT{CDRF_DODEFAULT}, false));
}

}  // namespace
}  // namespace lumvik
