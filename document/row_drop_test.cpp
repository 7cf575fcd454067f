#include "document/row_drop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <tuple>
#include <vector>

#include "document/testing/edited_document.h"
#include "document/testing/random_document.h"
#include "document/testing/written_progress.h"
#include "document/tree_queries.h"

namespace lumvik {
namespace {

using testing::EditedDocument;
using testing::Outline;

// The outline after the drop, the position the drop gave, the item selected
// then, and each row's progress.
struct Dropped {
  std::string outline;
  std::optional<int> moved;
  int selected = -1;
  std::vector<int> progress;
};

Dropped Drop(const char* outline, int position, int onto) {
  EditedDocument edited(outline);
  const std::optional<int> moved = DropRow(edited.target(), position, onto);
  EXPECT_TRUE(edited.Consistent()) << outline;
  return {Outline(edited.document), moved, edited.view.Selection(),
          testing::Progress(edited.document)};
}

void ExpectDropped(const Dropped& dropped, const char* outline, int moved) {
  EXPECT_EQ(dropped.outline, outline);
  EXPECT_EQ(dropped.moved, moved) << outline;
  EXPECT_EQ(dropped.selected, moved) << outline;
}

TEST(DropRow, OntoACategoryTheRowBecomesItsLastChild) {
  ExpectDropped(Drop("Home0 a1 b1 Garden0 dig1", 1, 3), "Home0 b1 Garden0 dig1 a1", 4);
  // Upward, with the rows under it.
  ExpectDropped(Drop("Home0 a1 Garden0 Bed1 dig2 weed2 Shed0", 3, 0),
                "Home0 a1 Bed1 dig2 weed2 Garden0 Shed0", 2);
  // The run keeps its shape, levels that jump included.
  ExpectDropped(Drop("Home0 Garden1 Bed2 Shed0 Box1 x3", 4, 2), "Home0 Garden1 Bed2 Box3 x5 Shed0",
                3);
  // Its own parent: to the end of the children.
  ExpectDropped(Drop("Home0 a1 b1 c1", 1, 0), "Home0 b1 c1 a1", 3);
  // An ancestor further up, and a category whose run it already follows:
  // the same place, another level.
  ExpectDropped(Drop("Home0 Garden1 dig2 Shed1", 2, 0), "Home0 Garden1 Shed1 dig1", 3);
  ExpectDropped(Drop("Home0 Garden1 dig2 Shed1", 3, 1), "Home0 Garden1 dig2 Shed2", 3);
}

TEST(DropRow, OntoATaskTheRowFollowsItAsItsNextSibling) {
  ExpectDropped(Drop("Home0 a1 b1 Garden0 Bed1 c2", 5, 1), "Home0 a1 c1 b1 Garden0 Bed1", 2);
  ExpectDropped(Drop("Home0 a1 b1 Garden0 Bed1 c2", 1, 5), "Home0 b1 Garden0 Bed1 c2 a2", 5);
  // Rows that a file put under a task stay its own.
  ExpectDropped(Drop("Home0 a1 x2 b1 Shed0", 4, 1), "Home0 a1 x2 Shed1 b1", 3);
  // A top-level task takes top-level siblings.
  ExpectDropped(Drop("Home0 a1 t0", 1, 2), "Home0 t0 a0", 2);
}

// Categories stand beside tasks, so a category with its contents may
// follow a task, at any level.
TEST(DropRow, ACategoryMayFollowATask) {
  ExpectDropped(Drop("Home0 a1 Garden0 Bed1 dig2", 2, 1), "Home0 a1 Garden1 Bed2 dig3", 2);
  ExpectDropped(Drop("Home0 Bed1 dig2 t0", 1, 3), "Home0 t0 Bed0 dig1", 2);
}

TEST(DropRow, NothingOntoItsOwnRunOrWhereItAlreadyStands) {
  for (const auto& [outline, position, onto] : std::vector<std::tuple<const char*, int, int>>{
           {"Home0 Garden1 dig2 Shed0", 1, 1},  // itself
           {"Home0 Garden1 dig2 Shed0", 1, 2},  // its child
           {"Home0 Garden1 dig2 Shed0", 0, 2},  // a deeper descendant
           {"Home0 a1 b1", 2, 0},               // the parent's last child already
           {"Home0 a1 b1", 2, 1},               // the task's next sibling already
           {"Home0 a1", -1, 0},
           {"Home0 a1", 1, 2},
           {"Home0 a1", 1, -1}}) {
    EditedDocument edited(outline);
    edited.view.Select(0);
    const EditedDocument before = edited;
    EXPECT_EQ(DropRow(edited.target(), position, onto), std::nullopt) << outline;
    EXPECT_TRUE(testing::SameRowsAndRecords(edited.document, before.document)) << outline;
    EXPECT_EQ(edited.view.rows(), before.view.rows()) << outline;
  }
}

TEST(DropRow, OldAndNewParentsFollowTheirChildren) {
  const Dropped into_box = Drop("Home0=5 Garden1=5 a2=2 b2=8 Attic0=10 Box1=10 c2=10", 3, 5);
  ExpectDropped(into_box, "Home0 Garden1 a2 Attic0 Box1 c2 b2", 6);
  EXPECT_EQ(into_box.progress, (std::vector<int>{2, 2, 2, 9, 9, 10, 8}));
  // A parent left without children keeps its progress.
  const Dropped emptied = Drop("Home0=2 Garden1=2 a2=2 Attic0=9 Box1=9 c2=10", 2, 3);
  ExpectDropped(emptied, "Home0 Garden1 Attic0 Box1 c2 a1", 5);
  EXPECT_EQ(emptied.progress, (std::vector<int>{2, 2, 5, 9, 10, 2}));
  // An ancestor of both parents follows both.
  const Dropped across = Drop("Top0=6 Left1=2 x2=0 w2=4 Right1=10 y2=10", 2, 4);
  ExpectDropped(across, "Top0 Left1 w2 Right1 y2 x2", 5);
  EXPECT_EQ(across.progress, (std::vector<int>{4, 4, 4, 5, 10, 0}));
  // Upward, the old parent is found further down.
  const Dropped upward = Drop("Home0 Attic0=5 Box1=5 c2=10 d2=0", 3, 0);
  ExpectDropped(upward, "Home0 c1 Attic0 Box1 d2", 1);
  EXPECT_EQ(upward.progress, (std::vector<int>{10, 10, 0, 0, 0}));
}

// A file may give any level: a drop never takes a run out of the range.
TEST(DropRow, LevelsAtTheEndsOfTheirRange) {
  EXPECT_EQ(Drop("Deep2147483647 t0", 1, 0).moved, std::nullopt) << "no child is deeper";
  EXPECT_EQ(Drop("Home0 Garden2147483646 Bed1 dig2147483647", 2, 1).moved, std::nullopt);
  EXPECT_EQ(Drop("Home0 a2147483647 Box0 x1", 2, 1).moved, std::nullopt);
  ExpectDropped(Drop("Home0 a2147483647 b0", 2, 1), "Home0 a2147483647 b2147483647", 2);
  // A shift wider than a level.
  ExpectDropped(Drop("Top-2147483648 Bed2147483646 dig2147483647 t-2147483648", 1, 0),
                "Top-2147483648 Bed-2147483647 dig-2147483646 t-2147483648", 1);
}

// Where the drop puts the run, found the plain way: taken out, its levels
// shifted, put back after the run of the row dropped onto. Nothing when a
// level leaves the range or nothing would change.
std::optional<std::vector<TreeEntry>> PlainDrop(const std::vector<TreeEntry>& rows, int position,
                                                int onto, int& at) {
  const int count = DescendantCount(rows, position) + 1;
  std::vector<TreeEntry> run(rows.begin() + position, rows.begin() + position + count);
  const std::int64_t level = std::int64_t{rows[onto].level} + (rows[onto].kind == kCategoryRow);
  const std::int64_t by = level - run.front().level;
  for (TreeEntry& row : run) {
    if (row.level + by > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    row.level = static_cast<std::int32_t>(row.level + by);
  }
  std::vector<TreeEntry> rest = rows;
  rest.erase(rest.begin() + position, rest.begin() + position + count);
  const int target = onto > position ? onto - count : onto;
  at = target + DescendantCount(rest, target) + 1;
  rest.insert(rest.begin() + at, run.begin(), run.end());
  if (rest == rows) return std::nullopt;
  return rest;
}

TEST(DropRow, AgreesWithTakingTheRunOutAndPuttingItBack) {
  std::mt19937 random(4242);
  for (int round = 0; round < 3000; ++round) {
    EditedDocument edited(testing::RandomDocument(random, 20));
    const int rows = static_cast<int>(edited.document.rows.size());
    if (rows < 2) continue;
    const int position = testing::RandomInt(random, 0, rows - 1);
    const int onto = testing::RandomInt(random, 0, rows - 1);
    SCOPED_TRACE(::testing::Message() << "round " << round << ": " << position << " onto " << onto);
    const Document before = edited.document;
    const int count = DescendantCount(before.rows, position) + 1;
    const bool own_run = onto >= position && onto < position + count;
    int at = -1;
    const std::optional<std::vector<TreeEntry>> expected =
        own_run ? std::nullopt : PlainDrop(before.rows, position, onto, at);
    const std::optional<int> moved = DropRow(edited.target(), position, onto);
    ASSERT_TRUE(edited.Consistent());
    if (!expected) {
      ASSERT_EQ(moved, std::nullopt);
      ASSERT_TRUE(testing::SameRowsAndRecords(edited.document, before));
      continue;
    }
    ASSERT_EQ(moved, at);
    ASSERT_EQ(edited.document.rows, *expected);
    // The old parent's remaining children and the new parent's, each chain
    // recomputed the slow way.
    Document placed = before;
    placed.rows = *expected;
    EditedDocument slow(placed);
    const int parent = ParentRow(before.rows, position);
    if (parent != -1) {
      const auto now = std::find(expected->begin(), expected->end(), before.rows[parent]);
      const int parent_now = static_cast<int>(now - expected->begin());
      if (DescendantCount(*expected, parent_now) > 0) {
        testing::WrittenPropagate(slow.target(), parent_now + 1);
      }
    }
    testing::WrittenPropagate(slow.target(), at);
    ASSERT_EQ(edited.document.categories, slow.document.categories);
  }
}

}  // namespace
}  // namespace lumvik
