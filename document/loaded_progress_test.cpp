#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "document/document_file.h"
#include "document/testing/random_document.h"
#include "document/tree_queries.h"

namespace lumvik {
namespace {

std::int16_t& ProgressOf(Document& document, int position) {
  const TreeEntry& row = document.rows[position];
  return row.kind == kCategoryRow ? document.categories.Edit(row.index).avancement
                                  : document.tasks.Edit(row.index).avancement;
}

// The recomputation as it reads, row after row, in quadratic time.
void SlowRecompute(Document& document) {
  const int row_count = static_cast<int>(document.rows.size());
  for (int i = 0; i < row_count; ++i) {
    const int q = ParentRow(document.rows, i);
    if (q == -1 || document.rows[q].kind != kCategoryRow) continue;
    const std::int32_t d = document.rows[i].level;
    std::int64_t sum = 0;
    std::int64_t count = 0;
    const int last = q + DescendantCount(document.rows, q);
    for (int r = q + 1; r <= last; ++r) {
      if (document.rows[r].level != d) continue;
      sum += ProgressOf(document, r);
      ++count;
    }
    ProgressOf(document, q) = static_cast<std::int16_t>(
        std::floor(static_cast<double>(sum) / static_cast<double>(count)));
  }
}

// Rows of the given kinds and levels, each record with the given progress.
Document Rows(std::initializer_list<std::tuple<std::int16_t, std::int32_t, std::int16_t>> rows) {
  Document document;
  for (const auto& [kind, level, progress] : rows) {
    if (kind == kCategoryRow) {
      document.rows.push_back({kind, static_cast<std::int32_t>(document.categories.size()), level});
      document.categories.push_back({"", "", progress});
    } else {
      document.rows.push_back({kind, static_cast<std::int32_t>(document.tasks.size()), level});
      document.tasks.push_back({"", "", "", "", progress, 1, 1});
    }
  }
  return document;
}

std::vector<std::int16_t> ProgressAfterRecompute(Document document) {
  RecomputeLoadedProgress(document);
  std::vector<std::int16_t> progress;
  for (int i = 0; i < static_cast<int>(document.rows.size()); ++i) {
    progress.push_back(ProgressOf(document, i));
  }
  return progress;
}

constexpr std::int16_t C = kCategoryRow;
constexpr std::int16_t T = kTaskRow;

TEST(RecomputeLoadedProgress, ACategoryTakesTheMeanRoundedDown) {
  EXPECT_EQ(ProgressAfterRecompute(Rows({{C, 0, 9}, {T, 1, 10}, {T, 1, 5}, {C, 1, 0}})),
            (std::vector<std::int16_t>{5, 10, 5, 0}));
  EXPECT_EQ(ProgressAfterRecompute(Rows({{C, 0, 9}, {T, 1, -1}, {T, 1, 0}})),
            (std::vector<std::int16_t>{-1, -1, 0}));
  EXPECT_EQ(ProgressAfterRecompute(Rows({{C, 0, 0}, {T, 1, 32767}, {T, 1, 32767}})),
            (std::vector<std::int16_t>{32767, 32767, 32767}));
}

TEST(RecomputeLoadedProgress, ACategoryWithoutChildrenKeepsItsValue) {
  EXPECT_EQ(ProgressAfterRecompute(Rows({{C, 0, 4}, {C, 0, 7}})),
            (std::vector<std::int16_t>{4, 7}));
}

// The parent is recomputed at its last child, from the value that child had
// before its own children were seen.
TEST(RecomputeLoadedProgress, AParentKeepsTheValueFromBeforeItsLastChildChanged) {
  EXPECT_EQ(ProgressAfterRecompute(Rows({{C, 0, 0}, {T, 1, 10}, {C, 1, 0}, {T, 2, 10}})),
            (std::vector<std::int16_t>{5, 10, 10, 10}));
  // An earlier child category counts with its final value.
  EXPECT_EQ(ProgressAfterRecompute(Rows({{C, 0, 0}, {C, 1, 0}, {T, 2, 10}, {T, 1, 0}})),
            (std::vector<std::int16_t>{5, 10, 10, 0}));
}

TEST(RecomputeLoadedProgress, ATaskWithDeeperRowsKeepsItsOwnProgress) {
  EXPECT_EQ(ProgressAfterRecompute(Rows({{C, 0, 0}, {T, 1, 3}, {T, 2, 10}, {C, 2, 8}})),
            (std::vector<std::int16_t>{3, 3, 10, 8}));
}

// A file whose first rows stand deeper than later ones gives those rows no
// parent, so nothing is computed for them from later rows.
TEST(RecomputeLoadedProgress, RowsWithoutParentAreLeftAlone) {
  EXPECT_EQ(ProgressAfterRecompute(Rows({{T, 2, 4}, {C, 1, 6}, {T, 2, 2}})),
            (std::vector<std::int16_t>{4, 2, 2}));
}

// A child whose level jumps counts only with the rows of its own level.
TEST(RecomputeLoadedProgress, LevelJumpsGroupTheRowsOfTheLastChildsLevel) {
  EXPECT_EQ(ProgressAfterRecompute(Rows({{C, 0, 0}, {T, 2, 10}, {C, 1, 4}, {T, 2, 0}})),
            (std::vector<std::int16_t>{4, 10, 0, 0}));
}

TEST(RecomputeLoadedProgress, GivesWhatTheRowByRowRecomputationGives) {
  std::mt19937 random(5);
  for (int round = 0; round < 20000; ++round) {
    Document fast = testing::RandomDocument(random, round % 2 ? 12 : 60);
    Document slow = fast;
    RecomputeLoadedProgress(fast);
    SlowRecompute(slow);
    ASSERT_EQ(fast.categories, slow.categories) << "round " << round;
    ASSERT_EQ(fast.tasks, slow.tasks) << "round " << round;
  }
}

TEST(RecomputeLoadedProgress, DeepAndWideDocuments) {
  Document deep;
  for (int i = 0; i < 200000; ++i) {
    deep.rows.push_back({kCategoryRow, i, i});
    deep.categories.push_back({"", "", static_cast<std::int16_t>(i % 11)});
  }
  Document wide = deep;
  for (int i = 1; i < 200000; ++i) wide.rows[i].level = 1;
  RecomputeLoadedProgress(deep);
  RecomputeLoadedProgress(wide);
  EXPECT_EQ(deep.categories[0].avancement, 1);  // its only child, before that one changed
  EXPECT_EQ(wide.categories[0].avancement, 4);
}

}  // namespace
}  // namespace lumvik
