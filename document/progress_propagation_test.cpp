#include "document/progress_propagation.h"

#include <gtest/gtest.h>

#include <random>

#include "document/row_decoration.h"
#include "document/testing/edited_document.h"
#include "document/testing/random_document.h"
#include "document/testing/written_progress.h"

namespace lumvik {
namespace {

using testing::EditedDocument;
using testing::Progress;

TEST(PropagateProgress, ACompleteOnlyChildCompletesEveryLevelAbove) {
  EditedDocument edited("Home0 Garden1 Beds2 weed3 Shed1=4");
  edited.document.tasks.Edit(0).avancement = 10;
  ShowTaskProgress(edited.view, 3, edited.document.tasks[0]);
  PropagateProgress(edited.target(), 3);
  EXPECT_EQ(Progress(edited.document), (std::vector{7, 10, 10, 10, 4}));
  EXPECT_EQ(edited.view.rows()[1].icon, 6);
  EXPECT_EQ(edited.view.rows()[0].icon, 1);
  EXPECT_TRUE(edited.Consistent());
}

TEST(PropagateProgress, MeanRoundedDownAlsoBelowZero) {
  EditedDocument edited("A0 b1=10 c1=5 d1=0 E0 f1=-1 g1=0 H0 i1=-32768 j1=-32768 k1=-32767");
  PropagateProgress(edited.target(), 2);
  PropagateProgress(edited.target(), 5);
  PropagateProgress(edited.target(), 9);
  EXPECT_EQ(Progress(edited.document)[0], 5);
  EXPECT_EQ(Progress(edited.document)[4], -1);
  EXPECT_EQ(Progress(edited.document)[7], -32768);
}

// A file may put rows under a task; the task keeps the progress its user
// entered, and the category above still follows its own children.
TEST(PropagateProgress, ATaskAboveKeepsItsProgressAndTheCategoriesAboveItFollow) {
  EditedDocument edited("A0 t1=3 B2=8 c1=5");
  PropagateProgress(edited.target(), 2);
  EXPECT_EQ(Progress(edited.document), (std::vector{4, 3, 8, 5}));
  RecomputeParentProgress(edited.target(), 2);
  EXPECT_EQ(Progress(edited.document), (std::vector{4, 3, 8, 5}));
  EXPECT_TRUE(edited.Consistent());
}

TEST(RecomputeParentProgress, OnlyTheParentFromTheRowsAtTheRowsLevel) {
  EditedDocument edited("A0=1 B1=2 c2=10 d3=4 e2=6 f1=7 G0=3");
  RecomputeParentProgress(edited.target(), 2);
  EXPECT_EQ(Progress(edited.document), (std::vector{1, 8, 10, 4, 6, 7, 3}));
  // Levels that jump: only the rows of the run at the row's level count.
  EditedDocument jumping("A0 b2=10 c1=0");
  RecomputeParentProgress(jumping.target(), 1);
  EXPECT_EQ(Progress(jumping.document)[0], 10);
  for (int position : {-1, 0, 3}) RecomputeParentProgress(jumping.target(), position);
  EXPECT_EQ(Progress(jumping.document)[0], 10);
}

TEST(PropagateProgress, AgreesWithEachAncestorRecomputedFromItsWholeRun) {
  std::mt19937 random(2404);
  for (int round = 0; round < 4000; ++round) {
    EditedDocument fast(testing::RandomDocument(random, round % 10 == 0 ? 300 : 40));
    EditedDocument slow(fast.document);
    const int rows = static_cast<int>(fast.document.rows.size());
    const int position = testing::RandomInt(random, -1, rows);
    PropagateProgress(fast.target(), position);
    testing::WrittenPropagate(slow.target(), position);
    ASSERT_EQ(fast.document.categories, slow.document.categories) << "round " << round;
    ASSERT_EQ(fast.view.rows(), slow.view.rows()) << "round " << round;
  }
}

}  // namespace
}  // namespace lumvik
