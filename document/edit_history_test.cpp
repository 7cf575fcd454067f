// The history's promises one by one: typing is one step, the saved mark,
// the bounds, and steps and tree work that follow the size of the change,
// not of the document.
#include "document/edit_history.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "document/change_view.h"
#include "document/row_edits.h"
#include "document/testing/edited_document.h"

namespace lumvik {
namespace {

using testing::EditedDocument;

// Counts the items the tree inserts, removes or redraws.
class CountingView : public testing::MemoryRowView {
 public:
  void Insert(int position, const std::string& text, std::int32_t depth) override {
    ++touched;
    MemoryRowView::Insert(position, text, depth);
  }
  void Remove(int position) override {
    ++touched;
    MemoryRowView::Remove(position);
  }
  void SetText(int position, const std::string& text) override {
    ++touched;
    MemoryRowView::SetText(position, text);
  }
  int touched = 0;
};

std::string& DescriptionOf(Document& document, int task) {
  return document.tasks.Edit(task).designation;
}

TEST(EditHistory, TypingInOneBoxIsOneStepUntilSomethingElseHappens) {
  EditedDocument edited("House0 mow1 weed1");
  EditHistory history;
  history.Reset(edited.document);
  for (const char* typed : {"c", "cu", "cut", "cut "}) {
    DescriptionOf(edited.document, 0) = typed;
    EXPECT_TRUE(history.Record(edited.document, 7));
  }
  DescriptionOf(edited.document, 1) = "x";  // another box
  history.Record(edited.document, 8);
  DescriptionOf(edited.document, 0) = "cut grass";  // back in the first: a new run
  history.Record(edited.document, 7);
  EXPECT_EQ(history.steps(), 3u);

  history.Undo(edited.document);
  EXPECT_EQ(DescriptionOf(edited.document, 0), "cut ");
  history.Undo(edited.document);
  EXPECT_EQ(DescriptionOf(edited.document, 1), "");
  history.Undo(edited.document);
  EXPECT_EQ(DescriptionOf(edited.document, 0), "");
  EXPECT_FALSE(history.CanUndo());
}

TEST(EditHistory, TypingAfterASaveOrAnUndoStartsANewStep) {
  EditedDocument edited("House0 mow1");
  EditHistory history;
  history.Reset(edited.document);
  DescriptionOf(edited.document, 0) = "a";
  history.Record(edited.document, 1);
  history.MarkSaved();
  DescriptionOf(edited.document, 0) = "ab";
  history.Record(edited.document, 1);
  EXPECT_EQ(history.steps(), 2u) << "undo must be able to reach what was saved";
  history.Undo(edited.document);
  EXPECT_TRUE(history.AtSaved());
  DescriptionOf(edited.document, 0) = "ac";
  history.Record(edited.document, 1);
  EXPECT_EQ(history.steps(), 2u);
  EXPECT_FALSE(history.CanRedo()) << "a new change drops what was undone";
  history.Undo(edited.document);
  EXPECT_EQ(DescriptionOf(edited.document, 0), "a");
}

TEST(EditHistory, NothingChangedIsNoStep) {
  EditedDocument edited("House0 mow1");
  EditHistory history;
  history.Reset(edited.document);
  edited.document.saved = 0;  // a slider moved and back: marked, but the same
  EXPECT_FALSE(history.Record(edited.document));
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.AtSaved());
}

TEST(EditHistory, TheOldestStepsGoFirstWhenTheBoundsAreReached) {
  EditedDocument edited("House0 mow1");
  EditHistory history(HistoryLimits{.steps = 3, .bytes = 1u << 20});
  history.Reset(edited.document);
  for (int k = 1; k <= 5; ++k) {
    DescriptionOf(edited.document, 0) = std::to_string(k);
    history.Record(edited.document);
  }
  EXPECT_EQ(history.steps(), 3u);
  while (history.CanUndo()) history.Undo(edited.document);
  EXPECT_EQ(DescriptionOf(edited.document, 0), "2");
  EXPECT_FALSE(history.AtSaved()) << "the saved state went with the oldest steps";

  EditHistory small(HistoryLimits{.steps = 1000, .bytes = 3000});
  small.Reset(edited.document);
  for (int k = 0; k < 10; ++k) {
    DescriptionOf(edited.document, 0) = std::string(1000, static_cast<char>('a' + k));
    small.Record(edited.document);
  }
  EXPECT_LE(small.bytes(), 3000u);
  EXPECT_GE(small.steps(), 1u);
  // A step larger than the bound alone is still kept: the last change can
  // always be undone.
  DescriptionOf(edited.document, 0) = std::string(10000, 'z');
  small.Record(edited.document);
  EXPECT_EQ(small.steps(), 1u);
}

// A name of letters only: the outline reads digits as the level.
std::string Letters(int number) {
  std::string name;
  do {
    name += static_cast<char>('a' + number % 26);
    number /= 26;
  } while (number > 0);
  return name;
}

// A large list: many categories of ten tasks each.
std::string LargeOutline(int categories) {
  std::string outline;
  for (int c = 0; c < categories; ++c) {
    outline += " C" + Letters(c) + "0";
    for (int t = 0; t < 10; ++t) outline += " t" + Letters(c * 10 + t) + "1";
  }
  return outline;
}

TEST(EditHistory, StepsAndTreeWorkFollowTheChangeNotTheDocument) {
  EditedDocument edited(LargeOutline(500));  // 5 500 rows
  CountingView view;
  RebuildTree(view, edited.document, testing::kUrgencyColours);
  const EditTarget target{edited.document, view, testing::kUrgencyColours};
  EditHistory history;
  history.Reset(edited.document);

  // Deleting a category near the top renumbers every record after it.
  DeleteCategory(target, 11);
  ASSERT_TRUE(history.Record(edited.document));
  EXPECT_LT(history.bytes(), 64u * 1024) << "a step keeps what changed, not the document";

  view.touched = 0;
  ShowChange(target, *history.Undo(edited.document));
  EXPECT_TRUE(testing::ShownAsIs(edited.document, view, testing::kUrgencyColours));
  EXPECT_LE(view.touched, 11 * 2) << "only the category and its tasks come back";
  EXPECT_EQ(view.Selection(), 11);

  view.touched = 0;
  ShowChange(target, *history.Redo(edited.document));
  EXPECT_TRUE(testing::ShownAsIs(edited.document, view, testing::kUrgencyColours));
  EXPECT_LE(view.touched, 11);

  // A rename: one item drawn anew, and selected.
  edited.document.tasks.Edit(4000).nom = "renamed";
  history.Record(edited.document);
  const auto named = std::find(edited.document.rows.begin(), edited.document.rows.end(),
                               TreeEntry{kTaskRow, 4000, 1});
  const auto row = static_cast<int>(named - edited.document.rows.begin());
  view.touched = 0;
  ShowChange(target, *history.Undo(edited.document));
  EXPECT_TRUE(testing::ShownAsIs(edited.document, view, testing::kUrgencyColours));
  EXPECT_EQ(view.touched, 1);
  EXPECT_EQ(view.Selection(), row);

  // Progress carried up to categories far apart: the step keeps those two.
  ShowChange(target, *history.Redo(edited.document));
  const std::size_t before = history.bytes();
  edited.document.categories.Edit(0).avancement = 7;
  edited.document.categories.Edit(480).avancement = 7;
  ASSERT_TRUE(history.Record(edited.document));
  EXPECT_LT(history.bytes() - before, 1024u);
  view.touched = 0;
  ShowChange(target, *history.Undo(edited.document));
  EXPECT_TRUE(testing::ShownAsIs(edited.document, view, testing::kUrgencyColours));
}

}  // namespace
}  // namespace lumvik
