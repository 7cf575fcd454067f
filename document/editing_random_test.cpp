// Random commands on random documents, checked against what every edit must
// keep: rows, records and the tree agree, the file reads back as the same
// rows, no row changes its parent, and derived progress agrees with its
// plainest recomputation.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>

#include "document/document_file.h"
#include "document/progress_propagation.h"
#include "document/row_decoration.h"
#include "document/row_drop.h"
#include "document/row_edits.h"
#include "document/row_levels.h"
#include "document/row_moves.h"
#include "document/stored_form.h"
#include "document/testing/edited_document.h"
#include "document/testing/random_document.h"
#include "document/testing/written_progress.h"
#include "document/tree_queries.h"

namespace lumvik {
namespace {

using testing::EditedDocument;
using testing::RandomInt;

// Each record gets a description of its own, so that a record is known by it
// however indexes change.
using Identity = std::string;

void GiveIdentities(Document& document, int& next) {
  for (std::size_t i = 0; i < document.categories.size(); ++i) {
    if (document.categories[i].designation.empty()) {
      document.categories.Edit(i).designation = "c" + std::to_string(next++);
    }
  }
  for (std::size_t i = 0; i < document.tasks.size(); ++i) {
    if (document.tasks[i].designation.empty()) {
      document.tasks.Edit(i).designation = "t" + std::to_string(next++);
    }
  }
}

Identity IdentityOf(const Document& document, int position) {
  const TreeEntry& row = document.rows[position];
  return row.kind == kCategoryRow ? document.categories[row.index].designation
                                  : document.tasks[row.index].designation;
}

// Each row's parent, "" for none.
std::map<Identity, Identity> Parents(const Document& document) {
  std::map<Identity, Identity> parents;
  for (int position = 0; position < static_cast<int>(document.rows.size()); ++position) {
    const int parent = ParentRow(document.rows, position);
    parents[IdentityOf(document, position)] = parent == -1 ? "" : IdentityOf(document, parent);
  }
  return parents;
}

// The reader turns the 0x1A of a name back into a double quote and counts
// indexes in row order; nothing else may differ.
::testing::AssertionResult ReadsBackAsIs(const Document& document) {
  const Document read = ParseDocument(SerializeDocument(document, "Lumvik"));
  if (read.rows.size() != document.rows.size()) return ::testing::AssertionFailure() << "rows";
  for (std::size_t i = 0; i < read.rows.size(); ++i) {
    const TreeEntry& row = document.rows[i];
    const TreeEntry& read_row = read.rows[i];
    bool same = read_row.kind == row.kind && read_row.level == row.level;
    if (same && row.kind == kCategoryRow) {
      CategoryRecord expected = document.categories[row.index];
      std::replace(expected.nom.begin(), expected.nom.end(), kStoredQuote, '"');
      same = read.categories[read_row.index] == expected;
    } else if (same) {
      TaskRecord expected = document.tasks[row.index];
      std::replace(expected.nom.begin(), expected.nom.end(), kStoredQuote, '"');
      same = read.tasks[read_row.index] == expected;
    }
    if (!same) return ::testing::AssertionFailure() << "row " << i << " reads back otherwise";
  }
  return ::testing::AssertionSuccess();
}

// The row of the record that the last add appended.
int AddedRow(const Document& document, std::int16_t kind) {
  const auto records = static_cast<std::int32_t>(kind == kCategoryRow ? document.categories.size()
                                                                      : document.tasks.size());
  const auto row = std::find_if(
      document.rows.begin(), document.rows.end(),
      [&](const TreeEntry& entry) { return entry.kind == kind && entry.index == records - 1; });
  return static_cast<int>(row - document.rows.begin());
}

// The row a command is about, and a second row: the one a drag ends on.
using Edit = std::function<void(const EditTarget&, int position, int onto)>;

// A command about the one row alone.
template <auto command>
void AtRow(const EditTarget& target, int position, int) {
  command(target, position);
}

// A command of the menus, the toolbar and the tree, with what it promises
// besides.
struct Command {
  Edit edit;
  bool keeps_parents = true;        // no row that stays gets another parent
  bool selects_moved = false;       // the moved row is selected at its new place
  std::int16_t adds = -1;           // the kind of row it adds, if any
  bool new_parents_follow = false;  // the moved row's new ancestors follow their children
};

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {[](const EditTarget& t, int p, int) { AddSiblingCategory(t, p, "New category"); }, true,
       false, kCategoryRow},
      {[](const EditTarget& t, int p, int) { AddSubCategory(t, p, "New \"sub\""); }, true, false,
       kCategoryRow},
      {[](const EditTarget& t, int p, int) { AddTask(t, p, "New task", "07/05/2026"); }, true,
       false, kTaskRow},
      {AtRow<DeleteCategory>},
      // Rows that a file put under the task stay, under another parent.
      {AtRow<DeleteTask>, false},
      {AtRow<MoveCategoryUp>},
      {AtRow<MoveTaskUp>, true, true},
      {AtRow<MoveCategoryDown>, true, true},
      {AtRow<MoveTaskDown>, true, true},
      {AtRow<MoveRowIn>, false, true, -1, true},
      {AtRow<MoveRowOut>, false, true, -1, true},
      {[](const EditTarget& t, int p, int onto) { DropRow(t, p, onto); }, false, true, -1, true},
  };
  return commands;
}

// As the progress sliders do: store, show the row, then carry it up.
void ChangeProgress(EditedDocument& edited, int position, std::mt19937& random) {
  if (!IsRowPosition(edited.document, position)) return;
  EditRecordProgress(edited.document, edited.document.rows[position]) = testing::RandomProgress(random);
  RefreshRow(edited.view, edited.document, position, testing::kUrgencyColours);
  EditedDocument slow = edited;
  testing::WrittenPropagate(slow.target(), position);
  PropagateProgress(edited.target(), position);
  EXPECT_EQ(edited.document.categories, slow.document.categories);
  EXPECT_EQ(edited.view.rows(), slow.view.rows());
}

void ExpectParentsKept(const Document& before, const Document& after) {
  const std::map<Identity, Identity> parents_before = Parents(before);
  for (const auto& [identity, parent] : Parents(after)) {
    if (parents_before.contains(identity)) {
      EXPECT_EQ(parents_before.at(identity), parent) << identity;
    }
  }
}

// The new row's ancestors already follow their children.
void ExpectAddPropagated(const EditedDocument& edited, std::int16_t kind) {
  EditedDocument slow = edited;
  testing::WrittenPropagate(slow.target(), AddedRow(edited.document, kind));
  EXPECT_EQ(slow.document.categories, edited.document.categories);
}

TEST(Editing, RandomCommandsKeepTheDocumentWhole) {
  std::mt19937 random(515);
  int next_identity = 0;
  const int command_count = static_cast<int>(Commands().size());
  for (int round = 0; round < 1500; ++round) {
    Document document = testing::RandomDocument(random, 30);
    for (std::size_t i = 0; i < document.categories.size(); ++i) {
      document.categories.Edit(i).designation.clear();
    }
    for (std::size_t i = 0; i < document.tasks.size(); ++i)
      document.tasks.Edit(i).designation.clear();
    GiveIdentities(document, next_identity);
    EditedDocument edited(document);
    for (int step = 0; step < 12; ++step) {
      const int choice = RandomInt(random, 0, command_count);  // the last: a progress change
      const int position = RandomInt(random, -1, static_cast<int>(edited.document.rows.size()));
      const int onto = RandomInt(random, -1, static_cast<int>(edited.document.rows.size()));
      SCOPED_TRACE(::testing::Message() << "round " << round << " step " << step << " command "
                                        << choice << " at " << position << " onto " << onto);
      const EditedDocument before = edited;
      if (choice == command_count) {
        ChangeProgress(edited, position, random);
      } else {
        Commands()[choice].edit(edited.target(), position, onto);
      }
      GiveIdentities(edited.document, next_identity);
      ASSERT_TRUE(edited.Consistent());
      ASSERT_TRUE(ReadsBackAsIs(edited.document));
      if (testing::SameRowsAndRecords(edited.document, before.document)) {
        ASSERT_EQ(edited.view.rows(), before.view.rows());
      } else if (choice < command_count) {
        const Command& command = Commands()[choice];
        if (command.keeps_parents) ExpectParentsKept(before.document, edited.document);
        if (command.adds != -1) ExpectAddPropagated(edited, command.adds);
        if (command.selects_moved) {
          const int selection = edited.view.Selection();
          ASSERT_TRUE(IsRowPosition(edited.document, selection));
          EXPECT_EQ(IdentityOf(edited.document, selection), IdentityOf(before.document, position));
          if (command.new_parents_follow) {
            EditedDocument slow = edited;
            testing::WrittenPropagate(slow.target(), selection);
            EXPECT_EQ(slow.document.categories, edited.document.categories);
          }
        }
      }
      ASSERT_FALSE(HasFailure());
    }
  }
}

}  // namespace
}  // namespace lumvik
