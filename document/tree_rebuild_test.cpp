#include "document/tree_rebuild.h"

#include <gtest/gtest.h>

#include "document/row_decoration.h"
#include "document/testing/memory_row_view.h"

namespace lumvik {
namespace {

using testing::MemoryRow;
using testing::MemoryRowView;

const UrgencyColours kColours = {RowColours{1, 10}, RowColours{2, 20}, RowColours{3, 30},
                                 RowColours{4, 40}, RowColours{5, 50}};

TaskRecord Task(std::string nom, std::int16_t statut, std::int16_t importance,
                std::int16_t avancement) {
  return {std::move(nom), "", "", "", avancement, statut, importance};
}

MemoryRow Row(std::string text, std::int32_t depth, int icon, int state_index,
              std::optional<RowColours> colours = std::nullopt) {
  MemoryRow row;
  row.text = std::move(text);
  row.depth = depth;
  row.icon = icon;
  row.state_index = state_index;
  row.colours = colours;
  return row;
}

TEST(RowDecoration, ATaskShowsItsStatus) {
  const int icons[] = {3, 3, 4, 5, 0, 2, 3};  // statut 0 to 6
  for (std::int16_t statut = 0; statut <= 6; ++statut) {
    EXPECT_EQ(TaskStatusIcon(Task("", statut, 1, 0)), icons[statut]) << statut;
  }
  EXPECT_EQ(TaskStatusIcon(Task("", -4, 1, 0)), 3);
}

TEST(RowDecoration, ProgressPictureOrNone) {
  EXPECT_EQ(ProgressStateIndex(0), 1);
  EXPECT_EQ(ProgressStateIndex(10), 11);
  EXPECT_EQ(ProgressStateIndex(11), 12);  // the bar labelled 110
  EXPECT_EQ(ProgressStateIndex(12), 0);
  EXPECT_EQ(ProgressStateIndex(-1), 0);
  EXPECT_EQ(ProgressStateIndex(-32768), 0);
  EXPECT_EQ(ProgressStateIndex(32767), 0);
}

TEST(RebuildTree, EveryRowWithItsTextDepthAndDecorations) {
  Document document;
  document.rows = {{kCategoryRow, 0, 0}, {kTaskRow, 0, 1}, {kCategoryRow, 1, 1},
                   {kTaskRow, 1, 3},     {kTaskRow, 2, 1}, {kTaskRow, 3, 0}};
  document.categories = {{"House", "", 9}, {"Done", "", 10}};
  document.tasks = {Task("Mow", 1, 1, 0), Task("Paint", 4, 5, 10), Task("Odd", 9, 0, 12),
                    Task("Late", 3, 6, -1)};
  MemoryRowView view;
  view.Insert(0, "left over from before", 0);
  RebuildTree(view, document, kColours);
  EXPECT_EQ(view.rows(), (std::vector{Row("House", 0, 1, 10), Row("Mow", 1, 3, 1, kColours[0]),
                                      Row("Done", 1, 6, 11), Row("Paint", 3, 0, 11, kColours[4]),
                                      Row("Odd", 1, 3, 0), Row("Late", 0, 5, 0)}));
}

TEST(RebuildTree, AnEmptyDocumentEmptiesTheTree) {
  MemoryRowView view;
  view.Insert(0, "x", 0);
  RebuildTree(view, Document{}, kColours);
  EXPECT_EQ(view.Count(), 0);
}

TEST(RefreshRow, ShowsTheRecordsCurrentValues) {
  Document document;
  document.rows = {{kCategoryRow, 0, 0}, {kTaskRow, 0, 1}};
  document.categories = {{"c", "", 0}};
  document.tasks = {Task("t", 1, 1, 0)};
  MemoryRowView view;
  RebuildTree(view, document, kColours);
  document.categories.Edit(0).avancement = 10;
  document.tasks.Edit(0) = Task("t", 2, 3, 7);
  RefreshRow(view, document, 0, kColours);
  RefreshRow(view, document, 1, kColours);
  EXPECT_EQ(view.rows()[0], Row("c", 0, 6, 11));
  EXPECT_EQ(view.rows()[1], Row("t", 1, 4, 8, kColours[2]));
  // An importance outside 1 to 5 keeps the colours the row had.
  document.tasks.Edit(0).importance = 0;
  RefreshRow(view, document, 1, kColours);
  EXPECT_EQ(view.rows()[1].colours, kColours[2]);
}

}  // namespace
}  // namespace lumvik
