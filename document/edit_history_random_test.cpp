// Thousands of random commands on random documents, taken back with undo and
// done again with redo: every state comes back exactly, in the document, in
// its file and in the tree, and the saved mark follows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "document/category_sort.h"
#include "document/change_view.h"
#include "document/document_file.h"
#include "document/edit_history.h"
#include "document/progress_propagation.h"
#include "document/row_decoration.h"
#include "document/row_drop.h"
#include "document/row_edits.h"
#include "document/row_levels.h"
#include "document/row_moves.h"
#include "document/testing/edited_document.h"
#include "document/testing/random_document.h"

namespace lumvik {
namespace {

using testing::EditedDocument;
using testing::RandomInt;

// Every command of the menus, the toolbar, the panel and the tree, at a
// random row.
void RandomCommand(EditedDocument& edited, std::mt19937& random) {
  Document& document = edited.document;
  const int position = RandomInt(random, -1, static_cast<int>(document.rows.size()));
  const EditTarget target = edited.target();
  const bool on_row = IsRowPosition(document, position);
  switch (RandomInt(random, 0, 15)) {
    case 0:
      return AddSiblingCategory(target, position, "New category");
    case 1:
      return AddSubCategory(target, position, "New sub-category");
    case 2:
      return AddTask(target, position, "New task", "08/12/2026");
    case 3:
      return DeleteCategory(target, position);
    case 4:
      return DeleteTask(target, position);
    case 5:
      return MoveCategoryUp(target, position);
    case 6:
      return MoveTaskUp(target, position);
    case 7:
      return MoveCategoryDown(target, position);
    case 8:
      return MoveTaskDown(target, position);
    case 10:
      MoveRowIn(target, position);
      return;
    case 11:
      MoveRowOut(target, position);
      return;
    case 12:
      // A drag onto another row.
      DropRow(target, position, RandomInt(random, -1, static_cast<int>(document.rows.size())));
      return;
    case 13:
      SortCategory(target, position, static_cast<SortKey>(RandomInt(random, 0, 4)));
      return;
    case 9:
      // Progress, with the categories that follow it.
      if (!on_row) return;
      EditRecordProgress(document, document.rows[position]) = testing::RandomProgress(random);
      RefreshRow(edited.view, document, position, testing::kUrgencyColours);
      return PropagateProgress(target, position);
    default: {
      // A rename, a description, a status or a date.
      if (!on_row) return;
      const TreeEntry& row = document.rows[position];
      if (row.kind == kCategoryRow) {
        document.categories.Edit(row.index).nom = testing::RandomName(random);
      } else {
        TaskRecord& task = document.tasks.Edit(row.index);
        task.designation = testing::RandomStoredText(random);
        task.statut = static_cast<std::int16_t>(RandomInt(random, 1, 5));
        task.dateecheance = testing::RandomStoredText(random);
      }
      edited.view.SetText(position, RecordName(document, row));
      return RefreshRow(edited.view, document, position, testing::kUrgencyColours);
    }
  }
}

// The tree shows the document, and it writes the same file as `expected`.
void ExpectState(const EditedDocument& edited, const Document& expected) {
  ASSERT_TRUE(testing::SameRowsAndRecords(edited.document, expected));
  ASSERT_EQ(SerializeDocument(edited.document, "Lumvik"), SerializeDocument(expected, "Lumvik"));
  ASSERT_TRUE(edited.Consistent());
}

bool Undo(EditHistory& history, EditedDocument& edited) {
  const auto change = history.Undo(edited.document);
  if (change) ShowChange(edited.target(), *change);
  return change.has_value();
}

bool Redo(EditHistory& history, EditedDocument& edited) {
  const auto change = history.Redo(edited.document);
  if (change) ShowChange(edited.target(), *change);
  return change.has_value();
}

TEST(EditHistory, UndoAllTheWayBackAndRedoAllTheWayForward) {
  std::mt19937 random(1126);
  for (int round = 0; round < 2000; ++round) {
    SCOPED_TRACE(::testing::Message() << "round " << round);
    EditedDocument edited(testing::RandomDocument(random, 25));
    // Every fourth history keeps only its newest steps.
    const std::size_t limit = round % 4 == 0 ? 5 : 1000;
    EditHistory history(HistoryLimits{limit, 64u << 20});
    history.Reset(edited.document);
    std::vector<Document> states{edited.document};
    for (int command = 0; command < 20; ++command) {
      RandomCommand(edited, random);
      ASSERT_TRUE(edited.Consistent());
      if (history.Record(edited.document)) states.push_back(edited.document);
    }
    const std::size_t reachable = std::min(states.size() - 1, limit);
    ASSERT_EQ(history.steps(), reachable);
    const std::size_t oldest = states.size() - 1 - reachable;
    for (std::size_t k = states.size() - 1; k > oldest; --k) {
      ASSERT_TRUE(Undo(history, edited));
      ExpectState(edited, states[k - 1]);
    }
    EXPECT_FALSE(Undo(history, edited));
    EXPECT_EQ(history.AtSaved(), oldest == 0) << "the opened state, while it can be reached";
    for (std::size_t k = oldest + 1; k < states.size(); ++k) {
      ASSERT_TRUE(Redo(history, edited));
      ExpectState(edited, states[k]);
    }
    EXPECT_FALSE(Redo(history, edited));
    EXPECT_EQ(history.AtSaved(), states.size() == 1);
  }
}

TEST(EditHistory, UndoRedoAndNewCommandsInAnyOrder) {
  std::mt19937 random(2026);
  std::uint64_t runs = 0;
  for (int round = 0; round < 1500; ++round) {
    SCOPED_TRACE(::testing::Message() << "round " << round);
    EditedDocument edited(testing::RandomDocument(random, 20));
    EditHistory history;
    history.Reset(edited.document);
    // What undo and redo must give: the states in order, and where we stand.
    std::vector<Document> states{edited.document};
    std::size_t at = 0;
    std::size_t saved = 0;
    for (int action = 0; action < 40; ++action) {
      switch (RandomInt(random, 0, 5)) {
        case 0:
          ASSERT_EQ(Undo(history, edited), at > 0);
          if (at > 0) --at;
          break;
        case 1:
          ASSERT_EQ(Redo(history, edited), at + 1 < states.size());
          if (at + 1 < states.size()) ++at;
          break;
        case 2:
          history.MarkSaved();
          saved = at;
          break;
        case 3: {
          // A run of typing in one box, or a drag of one row's slider with
          // the categories that follow it: one step, unless saved midway.
          const std::uint64_t run = ++runs;
          Document& document = edited.document;
          if (document.tasks.empty()) break;
          const int row = RandomInt(random, 0, static_cast<int>(document.rows.size()) - 1);
          const bool slider = RandomInt(random, 0, 1) == 1;
          bool open = false;
          for (int key = RandomInt(random, 1, 4); key > 0; --key) {
            if (slider) {
              EditRecordProgress(document, document.rows[row]) = testing::RandomProgress(random);
              RefreshRow(edited.view, document, row, testing::kUrgencyColours);
              PropagateProgress(edited.target(), row);
            } else {
              document.tasks.Edit(0).designation += static_cast<char>('a' + key);
            }
            if (!history.Record(document, run)) continue;
            if (open && saved != at) {
              states[at] = edited.document;
            } else {
              states.resize(at + 1);
              if (saved > at) saved = states.size() + 1000;
              states.push_back(edited.document);
              ++at;
            }
            open = true;
            if (RandomInt(random, 0, 3) == 0) {
              history.MarkSaved();
              saved = at;
            }
          }
          break;
        }
        default:
          RandomCommand(edited, random);
          if (history.Record(edited.document)) {
            states.resize(at + 1);
            if (saved > at) saved = states.size() + 1000;  // beyond reach now
            states.push_back(edited.document);
            ++at;
          }
      }
      ExpectState(edited, states[at]);
      ASSERT_EQ(history.AtSaved(), saved == at);
    }
  }
}

}  // namespace
}  // namespace lumvik
