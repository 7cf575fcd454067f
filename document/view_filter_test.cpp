#include "document/view_filter.h"

#include <gtest/gtest.h>

#include <random>

#include "document/due_dates.h"
#include "document/find.h"
#include "document/testing/edited_document.h"
#include "document/testing/random_document.h"
#include "document/tree_queries.h"

namespace lumvik {
namespace {

constexpr CalendarDate kToday{2026, 12, 10};

enum FilterFlags { kHideFinished = 1, kOnlyDue = 2, kOnlyUrgent = 4 };

ViewFilter Filter(int flags, std::string match = {}) {
  return {(flags & kHideFinished) != 0, (flags & kOnlyDue) != 0, (flags & kOnlyUrgent) != 0,
          std::move(match)};
}

// The names of the rows shown, in row order.
std::string ShownOutline(const Document& document, const ViewFilter& filter) {
  const std::vector<bool> shown = ShownRows(document, filter, kToday);
  std::string outline;
  for (std::size_t row = 0; row < document.rows.size(); ++row) {
    if (!shown[row]) continue;
    if (!outline.empty()) outline += ' ';
    outline += RecordName(document, document.rows[row]);
  }
  return outline;
}

TEST(ViewFilter, HideFinishedTakesDoneDroppedAndCompleteTasksAndCategoriesLeftWithNothing) {
  Document document = testing::OutlineDocument(
      "Home0 paint1 mow1 Garden1 dig2=10 Empty1 Attic0 Boxes1 sort2 Shed0 Tools1");
  document.tasks.Edit(0).statut = 4;  // paint: done
  document.tasks.Edit(1).statut = 5;  // mow: dropped
  document.tasks.Edit(3).statut = 3;  // sort: under way
  EXPECT_EQ(ShownOutline(document, Filter(kHideFinished)), "Home Empty Attic Boxes sort Shed Tools")
      << "Garden holds only finished tasks; Home still holds an empty category";
  document.categories.Edit(1).nom = "Gone";
  document.tasks.Edit(3).avancement = 10;
  EXPECT_EQ(ShownOutline(document, Filter(kHideFinished)), "Home Empty Shed Tools");
  EXPECT_EQ(ShownOutline(document, Filter(0)),
            "Home paint mow Gone dig Empty Attic Boxes sort Shed Tools");

  const std::vector<bool> shown = ShownRows(document, Filter(kHideFinished), kToday);
  EXPECT_EQ(CountShownTasks(document, shown).shown, 0);
  EXPECT_EQ(CountShownTasks(document, shown).total, 4);
}

TEST(ViewFilter, DueUrgentAndMatchShowTheirTasksWithTheCategoriesAboveThem) {
  // Work (report, call, Old (file)), Home (Empty, paint), plan
  Document document =
      testing::OutlineDocument("Work0 report1 call1 Old1 file2 Home0 Empty1 paint1 plan0");
  document.tasks.Edit(0).dateecheance = "09/12/2026";  // overdue
  document.tasks.Edit(1).dateecheance = "11/12/2026";  // due tomorrow
  document.tasks.Edit(2).dateecheance = "12/12/2026";
  document.tasks.Edit(3).dateecheance = "01/01/2020";
  document.tasks.Edit(3).statut = 4;  // overdue, but done
  document.tasks.Edit(0).importance = 5;
  document.tasks.Edit(2).importance = 4;
  document.tasks.Edit(3).importance = 4;
  document.tasks.Edit(1).importance = 9;  // as a damaged file may hold: not urgent
  document.categories.Edit(1).designation = "old paint tins";

  EXPECT_EQ(ShownOutline(document, Filter(kOnlyDue)), "Work report call Home paint")
      << "Old's task is due in two days; empty categories go too";
  EXPECT_EQ(ShownOutline(document, Filter(kOnlyUrgent)), "Work report Old file Home paint");
  EXPECT_EQ(ShownOutline(document, Filter(kHideFinished | kOnlyUrgent)), "Work report Old file")
      << "paint is done";
  EXPECT_EQ(ShownOutline(document, Filter(kOnlyDue | kOnlyUrgent)), "Work report Home paint")
      << "falling due goes by the date and the progress alone";
  EXPECT_EQ(ShownOutline(document, Filter(0, "PAINT")), "Work Old Home paint")
      << "a category matching in its description stands alone";
  EXPECT_EQ(ShownOutline(document, Filter(kOnlyUrgent, "paint")), "Home paint");
  EXPECT_EQ(ShownOutline(document, Filter(0, "nothing")), "");
}

// The rules as written, row by row over each row's descendants.
std::vector<bool> ShownSlowly(const Document& document, const ViewFilter& filter) {
  const int count = static_cast<int>(document.rows.size());
  std::vector<bool> shown(count, true);
  if (!filter.Active()) return shown;
  const RowMatch match(filter.match);
  for (int row = count - 1; row >= 0; --row) {
    const TreeEntry& entry = document.rows[row];
    bool below = false;
    bool holds_task = false;
    for (int d = row + 1; d <= row + DescendantCount(document.rows, row); ++d) {
      below = below || shown[d];
      holds_task = holds_task || document.rows[d].kind == kTaskRow;
    }
    bool own = filter.match.empty() || match(document, entry);
    if (entry.kind == kTaskRow) {
      const TaskRecord& task = document.tasks[entry.index];
      own = own && !(filter.hide_finished && TaskFinished(task)) &&
            !(filter.only_due && DueStateOf(task, kToday) == DueState::None) &&
            !(filter.only_urgent && task.importance != 4 && task.importance != 5);
    } else {
      own = own && !filter.only_due && !filter.only_urgent && !(filter.hide_finished && holds_task);
    }
    shown[row] = own || below;
  }
  return shown;
}

TEST(ViewFilter, RandomDocumentsShowWhatTheRulesSayRowByRow) {
  std::mt19937 random(24);
  for (int round = 0; round < 400; ++round) {
    Document document = testing::RandomDocument(random, 40);
    for (std::size_t task = 0; task < document.tasks.size(); ++task) {
      if (testing::RandomInt(random, 0, 2) == 0) {
        document.tasks.Edit(task).dateecheance =
            testing::RandomInt(random, 0, 1) ? "10/12/2026" : "01/12/2026";
      }
    }
    const ViewFilter filter{
        testing::RandomInt(random, 0, 1) == 1, testing::RandomInt(random, 0, 3) == 0,
        testing::RandomInt(random, 0, 3) == 0, testing::RandomInt(random, 0, 2) == 0 ? "a" : ""};
    ASSERT_EQ(ShownRows(document, filter, kToday), ShownSlowly(document, filter))
        << "round " << round;
  }
}

}  // namespace
}  // namespace lumvik
