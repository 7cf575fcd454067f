#include "document/due_dates.h"

#include <gtest/gtest.h>

#include "document/testing/edited_document.h"

namespace lumvik {
namespace {

constexpr CalendarDate kToday{2026, 12, 31};

TaskRecord Due(const std::string& date, std::int16_t progress = 0) {
  TaskRecord task;
  task.dateecheance = date;
  task.avancement = progress;
  return task;
}

TEST(DueDates, OverdueBeforeTodayDueSoonTodayAndTomorrowUnlessFinished) {
  EXPECT_EQ(DueStateOf(Due("30/12/2026"), kToday), DueState::Overdue);
  EXPECT_EQ(DueStateOf(Due("31/12/2025"), kToday), DueState::Overdue);
  EXPECT_EQ(DueStateOf(Due("31/12/2026"), kToday), DueState::DueSoon);
  EXPECT_EQ(DueStateOf(Due("01/01/2027"), kToday), DueState::DueSoon) << "tomorrow, a new year";
  EXPECT_EQ(DueStateOf(Due("02/01/2027"), kToday), DueState::None);
  EXPECT_EQ(DueStateOf(Due("30/12/2026", 9), kToday), DueState::Overdue) << "90 % is unfinished";
  EXPECT_EQ(DueStateOf(Due("30/12/2026", 10), kToday), DueState::None);
  EXPECT_EQ(DueStateOf(Due("31/12/2026", 10), kToday), DueState::None);
  TaskRecord finished_by_status = Due("30/12/2026");
  finished_by_status.statut = 5;  // statuses do not count
  EXPECT_EQ(DueStateOf(finished_by_status, kToday), DueState::Overdue);
  for (const char* no_date : {"", "31/02/2026", "1/1/2026", "00/00/0000", "hier"}) {
    EXPECT_EQ(DueStateOf(Due(no_date), kToday), DueState::None) << no_date;
  }
}

TEST(DueDates, NextDayAcrossMonthsLeapDaysAndYears) {
  EXPECT_EQ(NextDay({2028, 2, 28}), (CalendarDate{2028, 2, 29}));
  EXPECT_EQ(NextDay({2027, 2, 28}), (CalendarDate{2027, 3, 1}));
  EXPECT_EQ(NextDay({2026, 4, 30}), (CalendarDate{2026, 5, 1}));
  EXPECT_EQ(NextDay({2026, 12, 31}), (CalendarDate{2027, 1, 1}));
}

TEST(DueDates, NextOverdueTaskAfterTheSelectedRowWrapping) {
  // Home (a, b), Garden (c); a and c overdue, b finished.
  Document document = testing::OutlineDocument("Home0 a1 b1 Garden0 c1");
  document.tasks.Edit(0).dateecheance = "01/12/2026";
  document.tasks.Edit(1).dateecheance = "01/12/2026";
  document.tasks.Edit(1).avancement = 10;
  document.tasks.Edit(2).dateecheance = "30/12/2026";
  EXPECT_EQ(NextOverdueRow(document, 0, kToday), 1);
  EXPECT_EQ(NextOverdueRow(document, 1, kToday), 4);
  EXPECT_EQ(NextOverdueRow(document, 4, kToday), 1) << "on from the top";
  EXPECT_EQ(NextOverdueRow(document, -1, kToday), 1) << "nothing selected";
  document.tasks.Edit(0).avancement = 10;
  EXPECT_EQ(NextOverdueRow(document, 4, kToday), 4) << "the only one: itself";
  document.tasks.Edit(2).avancement = 10;
  EXPECT_EQ(NextOverdueRow(document, 4, kToday), -1);
  EXPECT_EQ(NextOverdueRow(Document{}, -1, kToday), -1);
}

}  // namespace
}  // namespace lumvik
