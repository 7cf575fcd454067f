#include "app/property_panel_win32.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <initializer_list>

#include "app/testing/lumvik_app_fixture_win32.h"
#include "document/row_decoration.h"

namespace lumvik {
namespace {

using testing::kToday;

class PropertyPanelTest : public testing::LumvikAppTest {
 protected:
  // Home (Paint the door, Garden (Dig)), with a description of two lines
  // on Paint the door and real dates on Dig only.
  void StartWithList() {
    Document document = testing::SampleDocument();
    document.tasks.Edit(0).designation = "Two\x1Blines, \x1Aquoted\x1A";
    document.tasks.Edit(1).datedebut = "05/03/2027";
    document.tasks.Edit(1).dateecheance = "29/02/2028";
    const std::string path = folder.File("list.lvk");
    ASSERT_TRUE(WriteDocumentFile(path, document, "Lumvik"));
    Start(path);
    app->window().rows().Expand(0);
    app->window().rows().Expand(2);
  }
  bool Shown(int gadget) { return ::IsWindowVisible(Gadget(gadget)) != FALSE; }
  LRESULT Send(int gadget, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    return ::SendMessageA(Gadget(gadget), message, wparam, lparam);
  }
  CalendarDate CalendarOf(int gadget) {
    SYSTEMTIME shown{};
    Send(gadget, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
    return {shown.wYear, shown.wMonth, shown.wDay};
  }
  // The user's changes, as the controls report them to the window.
  void ChooseItem(int list, int item) {
    Send(list, CB_SETCURSEL, item);
    ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Gadget(list)));
    app->HandlePendingEvents();
  }
  // A drag through `positions`, let go at the last one.
  void MoveSlider(int slider, std::initializer_list<int> positions) {
    for (int position : positions) {
      Send(slider, TBM_SETPOS, TRUE, position);
      ::SendMessageA(Window(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                     reinterpret_cast<LPARAM>(Gadget(slider)));
    }
    ::SendMessageA(Window(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                   reinterpret_cast<LPARAM>(Gadget(slider)));
    app->HandlePendingEvents();
  }
  void MoveSlider(int slider, int position) { MoveSlider(slider, {position}); }
  void ShowDay(int calendar, CalendarDate date, UINT code) {
    SYSTEMTIME day{};
    day.wYear = static_cast<WORD>(date.year);
    day.wMonth = static_cast<WORD>(date.month);
    day.wDay = static_cast<WORD>(date.day);
    Send(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    NMSELCHANGE change{};
    change.nmhdr = {Gadget(calendar), static_cast<UINT_PTR>(calendar), code};
    change.stSelStart = day;
    change.stSelEnd = day;
    ::SendMessageA(Window(), WM_NOTIFY, calendar, reinterpret_cast<LPARAM>(&change));
    app->HandlePendingEvents();
  }
  int IconOf(int row) {
    TVITEMA item{};
    item.mask = TVIF_IMAGE;
    item.hItem = app->window().rows().Item(row);
    TreeView_GetItem(Gadget(kGadgetTree), &item);
    return item.iImage;
  }
};

TEST_F(PropertyPanelTest, ClickedRowFillsThePanelOfItsKind) {
  StartWithList();
  ClickRow(1);
  EXPECT_TRUE(Shown(kGadgetTaskPanel));
  EXPECT_FALSE(Shown(kGadgetCategoryPanel));
  EXPECT_EQ(TextOf(kGadgetTaskName), "Paint the door");
  EXPECT_EQ(TextOf(kGadgetTaskDescription), "Two\r\nlines, \"quoted\"");
  EXPECT_EQ(Send(kGadgetStatusList, CB_GETCURSEL), 1);
  EXPECT_EQ(Send(kGadgetImportanceList, CB_GETCURSEL), 4);
  EXPECT_EQ(Send(kGadgetTaskProgress, TBM_GETPOS), 4);
  EXPECT_EQ(TextOf(kGadgetTaskProgressValue), "40 %");
  // Dates that are no dates show today's.
  EXPECT_EQ(CalendarOf(kGadgetStartDate), kToday);
  EXPECT_EQ(CalendarOf(kGadgetDueDate), kToday);
  ClickRow(3);
  EXPECT_EQ(CalendarOf(kGadgetStartDate), (CalendarDate{2027, 3, 5}));
  EXPECT_EQ(CalendarOf(kGadgetDueDate), (CalendarDate{2028, 2, 29}));

  // Garden follows Dig: its progress is shown in the tree only.
  ClickRow(2);
  EXPECT_TRUE(Shown(kGadgetCategoryPanel));
  EXPECT_FALSE(Shown(kGadgetTaskPanel));
  EXPECT_EQ(TextOf(kGadgetCategoryName), "Garden");
  EXPECT_FALSE(Shown(kGadgetCategoryProgress));
  EXPECT_EQ(Send(kGadgetCategoryProgress, TBM_GETPOS), 10);
  EXPECT_EQ(TextOf(kGadgetCategoryProgressValue), "100 %");
  // Showing rows changes nothing.
  EXPECT_EQ(app->document().saved, 1);
  EXPECT_EQ(app->document().tasks[0].designation, "Two\x1Blines, \x1Aquoted\x1A");
}

TEST_F(PropertyPanelTest, ListsStoreOnlyANewChoice) {
  StartWithList();
  ClickRow(1);
  ChooseItem(kGadgetStatusList, 1);
  ChooseItem(kGadgetImportanceList, 4);
  EXPECT_EQ(app->document().saved, 1);

  ChooseItem(kGadgetStatusList, 3);
  EXPECT_EQ(app->document().tasks[0].statut, 4);
  EXPECT_EQ(IconOf(1), TaskStatusIcon(app->document().tasks[0]));
  EXPECT_EQ(app->document().saved, 0);
  EXPECT_EQ(::GetFocus(), Gadget(kGadgetTree));

  ChooseItem(kGadgetImportanceList, 0);
  EXPECT_EQ(app->document().tasks[0].importance, 1);
}

TEST_F(PropertyPanelTest, CalendarsStoreAPickedDayInTheMask) {
  StartWithList();
  ClickRow(1);
  // An empty start date stays empty while the calendar only moves on.
  ShowDay(kGadgetStartDate, {2027, 1, 15}, MCN_SELCHANGE);
  EXPECT_EQ(app->document().tasks[0].datedebut, "");
  EXPECT_EQ(app->document().saved, 1);
  ShowDay(kGadgetStartDate, {2027, 1, 15}, MCN_SELECT);
  EXPECT_EQ(app->document().tasks[0].datedebut, "15/01/2027");
  EXPECT_EQ(app->document().saved, 0);

  ClickRow(3);
  app->document().saved = 1;
  ShowDay(kGadgetDueDate, {2028, 2, 29}, MCN_SELCHANGE);
  EXPECT_EQ(app->document().saved, 1);
  ShowDay(kGadgetDueDate, {2028, 3, 1}, MCN_SELCHANGE);
  EXPECT_EQ(app->document().tasks[1].dateecheance, "01/03/2028");
  EXPECT_EQ(app->document().saved, 0);
}

TEST_F(PropertyPanelTest, ProgressSlidersStoreAndReachTheTop) {
  StartWithList();
  ClickRow(1);
  MoveSlider(kGadgetTaskProgress, 4);
  EXPECT_EQ(app->document().saved, 0) << "any movement counts";

  MoveSlider(kGadgetTaskProgress, 10);
  EXPECT_EQ(app->document().tasks[0].avancement, 10);
  EXPECT_EQ(TextOf(kGadgetTaskProgressValue), "100 %");
  EXPECT_EQ(app->document().categories[0].avancement, 10);
  EXPECT_EQ(IconOf(0), 6);

  // A category without contents takes its progress from its own slider.
  ClickRow(0);
  Command(kCmdAddCategory);
  ClickRow(4);
  EXPECT_TRUE(Shown(kGadgetCategoryProgress));
  MoveSlider(kGadgetCategoryProgress, 3);
  EXPECT_EQ(app->document().categories[2].avancement, 3);
  EXPECT_EQ(TextOf(kGadgetCategoryProgressValue), "30 %");
}

TEST_F(PropertyPanelTest, TurnedOffPanelStaysHiddenButFilled) {
  SetSetting("droite", "1");
  StartWithList();
  for (int row : {1, 0}) {
    ClickRow(row);
    EXPECT_FALSE(Shown(kGadgetTaskPanel));
    EXPECT_FALSE(Shown(kGadgetCategoryPanel));
  }
  EXPECT_EQ(TextOf(kGadgetTaskName), "Paint the door");
  EXPECT_EQ(TextOf(kGadgetCategoryName), "Home");
}

// However the selection moves (the keyboard, the tree's own choice after a
// delete), the panel shows the selected row, so that typing in a description
// box changes only what it shows.
TEST_F(PropertyPanelTest, PanelFollowsTheSelectionHoweverItMoves) {
  StartWithList();
  ClickRow(1);
  TreeRowView& rows = app->window().rows();
  rows.Select(3);
  app->HandlePendingEvents();
  EXPECT_EQ(TextOf(kGadgetTaskName), "Dig");
  EXPECT_EQ(TextOf(kGadgetTaskDescription), "");

  ClickRow(1);
  Command(kCmdDeleteTask);
  const int selected = rows.Selection();
  ASSERT_GE(selected, 0);
  const TreeEntry row = app->document().rows[selected];
  ASSERT_EQ(row.kind, kCategoryRow);
  EXPECT_EQ(TextOf(kGadgetCategoryName), app->document().categories[row.index].nom);
  ::SendMessageA(Gadget(kGadgetCategoryDescription), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>("typed"));
  app->HandlePendingEvents();
  EXPECT_EQ(app->document().categories[row.index].designation, "typed");
  EXPECT_EQ(app->document().tasks[0].designation, "");
}

TEST_F(PropertyPanelTest, AListBuiltInTheWindowReadsBackAsItWasSaved) {
  Start();
  TreeRowView& rows = app->window().rows();
  rows.Select(0);
  Command(kCmdAddSubCategory);
  rows.Select(1);
  Command(kCmdAddTask);
  Command(kCmdAddTask);
  ClickRow(3);
  ChooseItem(kGadgetStatusList, 2);
  ChooseItem(kGadgetImportanceList, 3);
  ShowDay(kGadgetStartDate, {2027, 1, 15}, MCN_SELECT);
  ShowDay(kGadgetDueDate, {2027, 2, 1}, MCN_SELECT);
  MoveSlider(kGadgetTaskProgress, 7);
  ::SendMessageA(Gadget(kGadgetTaskDescription), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>("Ask \"twice\"\r\nthen order"));
  Command(kCmdMoveUp);
  ClickRow(3);
  Command(kCmdDeleteTask);
  const Document built = app->document();
  ASSERT_EQ(built.rows.size(), 3u);

  const std::string path = folder.File("built.lvk");
  prompt.ThenFile(path);
  Command(kCmdSaveAs);
  EXPECT_EQ(app->document().saved, 1);
  Command(kCmdNew);
  prompt.ThenFile(path);
  Command(kCmdOpen);
  EXPECT_EQ(app->document().rows, built.rows);
  EXPECT_EQ(app->document().tasks, built.tasks);
  EXPECT_EQ(app->document().tasks[0].designation, "Ask \x1Atwice\x1A\x1Bthen order");
  EXPECT_EQ(app->document().tasks[0].datedebut, "15/01/2027");
  EXPECT_EQ(app->document().categories, built.categories);
}

// Each choice in a list and each drag of a slider is a step of its own,
// however many positions the drag passed; undo shows the value before it.
TEST_F(PropertyPanelTest, EachChoiceAndEachDragIsAStepOfItsOwn) {
  StartWithList();
  ClickRow(1);  // Paint the door: status 2, urgency 5, 40 %
  const std::int16_t home = app->document().categories[0].avancement;
  ChooseItem(kGadgetStatusList, 0);
  ChooseItem(kGadgetStatusList, 2);
  MoveSlider(kGadgetTaskProgress, {5, 6, 7});
  MoveSlider(kGadgetTaskProgress, {8, 9});
  const TaskRecord& paint = app->document().tasks[0];
  ASSERT_EQ(paint.avancement, 9);

  Command(kCmdUndo);
  EXPECT_EQ(paint.avancement, 7);
  EXPECT_EQ(TextOf(kGadgetTaskProgressValue), "70 %");
  EXPECT_EQ(app->window().rows().Selection(), 1);
  Command(kCmdUndo);
  EXPECT_EQ(paint.avancement, 4);
  EXPECT_EQ(app->document().categories[0].avancement, home) << "Home follows its task back";
  Command(kCmdUndo);
  EXPECT_EQ(paint.statut, 1);
  EXPECT_EQ(Send(kGadgetStatusList, CB_GETCURSEL), 0);
  Command(kCmdUndo);
  EXPECT_EQ(paint.statut, 2);
  EXPECT_EQ(app->document().saved, 1);
  Command(kCmdRedo);
  EXPECT_EQ(paint.statut, 1);
}

}  // namespace
}  // namespace lumvik
