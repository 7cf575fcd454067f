#include "document/tree_queries.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

std::vector<TreeEntry> Levels(std::initializer_list<std::int32_t> levels) {
  std::vector<TreeEntry> rows;
  for (const std::int32_t level : levels) rows.push_back({kCategoryRow, 0, level});
  return rows;
}

TEST(ParentRow, TheNearestEarlierRowWithASmallerLevel) {
  const std::vector<TreeEntry> rows = Levels({0, 1, 2, 3, 2, 1, 0, 2});
  EXPECT_EQ(ParentRow(rows, 0), -1);
  EXPECT_EQ(ParentRow(rows, 1), 0);
  EXPECT_EQ(ParentRow(rows, 3), 2);
  EXPECT_EQ(ParentRow(rows, 4), 1);  // after a deeper row
  EXPECT_EQ(ParentRow(rows, 5), 0);
  EXPECT_EQ(ParentRow(rows, 6), -1);
  EXPECT_EQ(ParentRow(rows, 7), 6);  // a jump of two levels
}

TEST(ParentRow, NoParentWhenNoEarlierRowIsShallower) {
  const std::vector<TreeEntry> rows = Levels({2, 3, 1, 2});
  EXPECT_EQ(ParentRow(rows, 0), -1);
  EXPECT_EQ(ParentRow(rows, 1), 0);
  EXPECT_EQ(ParentRow(rows, 2), -1);  // row 0 is deeper, so it is not the parent
  EXPECT_EQ(ParentRow(rows, 3), 2);
}

TEST(ParentRow, PositionsThatAreNoRow) {
  const std::vector<TreeEntry> rows = Levels({0, 1});
  EXPECT_EQ(ParentRow(rows, -1), -1);
  EXPECT_EQ(ParentRow(rows, 2), -1);
  EXPECT_EQ(ParentRow({}, 0), -1);
}

TEST(DescendantCount, TheDeeperRowsThatFollowDirectly) {
  const std::vector<TreeEntry> rows = Levels({0, 1, 3, 1, 0, 1, 1});
  EXPECT_EQ(DescendantCount(rows, 0), 3);
  EXPECT_EQ(DescendantCount(rows, 1), 1);
  EXPECT_EQ(DescendantCount(rows, 2), 0);
  EXPECT_EQ(DescendantCount(rows, 3), 0);  // followed by a shallower row
  EXPECT_EQ(DescendantCount(rows, 4), 2);  // up to the end
  EXPECT_EQ(DescendantCount(rows, 5), 0);  // followed by a sibling
  EXPECT_EQ(DescendantCount(rows, 6), 0);  // the last row
  EXPECT_EQ(DescendantCount(rows, -1), 0);
  EXPECT_EQ(DescendantCount(rows, 7), 0);
}

}  // namespace
}  // namespace lumvik
