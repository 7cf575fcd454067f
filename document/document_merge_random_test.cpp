// Random documents changed at random on two sides, then merged: what either
// side added or kept is there, what one side deleted and the other left
// untouched is gone, what one side alone changed has its value, the
// result is a document that the writer keeps as it is, and a side that
// changed nothing gives the other side exactly. Each row has a name of its own
// (the test's identity); a name may stand twice in the result, as when one
// side moved a row the other changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "document/document_file.h"
#include "document/document_merge.h"
#include "document/testing/edited_document.h"
#include "document/testing/random_document.h"

namespace lumvik {
namespace {

using testing::RandomInt;

constexpr std::string_view kMarker = " (changed elsewhere)";

// A row with its own record, so that copies are changed freely.
struct Row {
  std::int16_t kind = kCategoryRow;
  std::int32_t level = 0;
  CategoryRecord category;
  TaskRecord task;
  const std::string& name() const { return kind == kCategoryRow ? category.nom : task.nom; }
  // A category's progress aside: the merge derives it from its children.
  bool SameRecord(const Row& other) const {
    if (kind != other.kind) return false;
    if (kind == kTaskRow) return task == other.task;
    return category.nom == other.category.nom && category.designation == other.category.designation;
  }
};

std::vector<Row> RowsOf(const Document& document) {
  std::vector<Row> rows;
  for (const TreeEntry& entry : document.rows) {
    Row row{entry.kind, entry.level, {}, {}};
    if (entry.kind == kCategoryRow) {
      row.category = document.categories[static_cast<std::size_t>(entry.index)];
    } else {
      row.task = document.tasks[static_cast<std::size_t>(entry.index)];
    }
    rows.push_back(row);
  }
  return rows;
}

// Records in row order, as a read leaves them.
Document DocumentOf(const std::vector<Row>& rows) {
  Document document;
  for (const Row& row : rows) {
    const bool category = row.kind == kCategoryRow;
    const auto index =
        static_cast<std::int32_t>(category ? document.categories.size() : document.tasks.size());
    document.rows.push_back({row.kind, index, row.level});
    if (category) {
      document.categories.push_back(row.category);
    } else {
      document.tasks.push_back(row.task);
    }
  }
  return document;
}

std::size_t RunEnd(const std::vector<Row>& rows, std::size_t row) {
  std::size_t end = row + 1;
  while (end < rows.size() && rows[end].level > rows[row].level) ++end;
  return end;
}

class Editor {
 public:
  Editor(std::mt19937& random, int& next_name) : random_(random), next_name_(next_name) {}

  // One random command: a field changed, a row added, deleted or moved.
  void Edit(std::vector<Row>& rows) {
    const int count = static_cast<int>(rows.size());
    const auto row = static_cast<std::size_t>(RandomInt(random_, 0, std::max(0, count - 1)));
    switch (count == 0 ? 2 : RandomInt(random_, 0, 6)) {
      case 0:
      case 1:
        ChangeField(rows[row]);
        break;
      case 2:
        Add(rows, row);
        break;
      case 3:
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(row),
                   rows.begin() + static_cast<std::ptrdiff_t>(RunEnd(rows, row)));
        break;
      case 4:
        MoveUp(rows, row);
        break;
      default:
        MoveUnder(rows, row);
        break;
    }
  }

 private:
  Row NewRow(std::int32_t level) {
    Row row;
    row.kind = RandomInt(random_, 0, 1) == 0 ? kCategoryRow : kTaskRow;
    row.level = level;
    const std::string name = "n" + std::to_string(next_name_++);
    row.category.nom = name;
    row.task.nom = name;
    // Never the record of a row deleted at the same place, renamed.
    row.category.designation = row.task.designation = "new " + name;
    return row;
  }

  void ChangeField(Row& row) {
    if (row.kind == kCategoryRow) {
      if (RandomInt(random_, 0, 1) == 0) {
        row.category.designation = testing::RandomStoredText(random_);
      } else {
        row.category.avancement = testing::RandomProgress(random_);
      }
      return;
    }
    TaskRecord& task = row.task;
    switch (RandomInt(random_, 0, 5)) {
      case 0:
        task.designation = testing::RandomStoredText(random_);
        break;
      case 1:
        task.datedebut = testing::RandomStoredText(random_);
        break;
      case 2:
        task.dateecheance = testing::RandomStoredText(random_);
        break;
      case 3:
        task.avancement = testing::RandomProgress(random_);
        break;
      case 4:
        task.statut = testing::RandomProgress(random_);
        break;
      default:
        task.importance = testing::RandomProgress(random_);
        break;
    }
  }

  // As the last child of a category, before a row as its sibling, or last
  // at the top.
  void Add(std::vector<Row>& rows, std::size_t row) {
    const int where = rows.empty() ? 2 : RandomInt(random_, 0, 2);
    if (where == 0 && rows[row].kind == kCategoryRow && rows[row].level < INT32_MAX) {
      const std::size_t end = RunEnd(rows, row);
      rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(end), NewRow(rows[row].level + 1));
    } else if (where == 1) {
      rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(row), NewRow(rows[row].level));
    } else {
      std::int32_t level = 0;
      for (const Row& other : rows) level = std::min(level, other.level);
      rows.push_back(NewRow(level));
    }
  }

  // Above the sibling before it, with everything under each.
  void MoveUp(std::vector<Row>& rows, std::size_t row) {
    std::size_t sibling = row;
    while (sibling > 0 && rows[sibling - 1].level > rows[row].level) --sibling;
    if (sibling == 0 || rows[sibling - 1].level != rows[row].level) return;
    --sibling;
    const auto begin = rows.begin();
    std::rotate(begin + static_cast<std::ptrdiff_t>(sibling),
                begin + static_cast<std::ptrdiff_t>(row),
                begin + static_cast<std::ptrdiff_t>(RunEnd(rows, row)));
  }

  // With everything under it, to the end of another category.
  void MoveUnder(std::vector<Row>& rows, std::size_t row) {
    std::vector<Row> run(rows.begin() + static_cast<std::ptrdiff_t>(row),
                         rows.begin() + static_cast<std::ptrdiff_t>(RunEnd(rows, row)));
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(row),
               rows.begin() + static_cast<std::ptrdiff_t>(row + run.size()));
    if (rows.empty()) return;
    const auto target =
        static_cast<std::size_t>(RandomInt(random_, 0, static_cast<int>(rows.size()) - 1));
    if (rows[target].kind != kCategoryRow || rows[target].level > 1000 ||
        run.front().level < -1000) {
      rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(row), run.begin(), run.end());
      return;
    }
    const std::int64_t shift = std::int64_t{rows[target].level} + 1 - run.front().level;
    for (Row& moved : run) {
      moved.level = static_cast<std::int32_t>(
          std::clamp<std::int64_t>(moved.level + shift, INT32_MIN, INT32_MAX));
    }
    const std::size_t end = RunEnd(rows, target);
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(end), run.begin(), run.end());
  }

  std::mt19937& random_;
  int& next_name_;
};

std::multimap<std::string, const Row*> ByName(const std::vector<Row>& rows) {
  std::multimap<std::string, const Row*> names;
  for (const Row& row : rows) names.emplace(row.name(), &row);
  return names;
}

// Whether some row named `name` in `rows` has `value` in a field.
bool SomeRowHas(const std::multimap<std::string, const Row*>& rows, const std::string& name,
                const std::function<bool(const Row&)>& value) {
  const auto [first, last] = rows.equal_range(name);
  return std::any_of(first, last, [&](const auto& named) { return value(*named.second); });
}

// The name of a row's parent ("" at the top), the names and levels of the
// rows above it, and whether a row stands as it stood in another version:
// under the same rows, with the same records and levels all the way down.
std::string ParentName(const std::vector<Row>& rows, std::size_t row) {
  for (std::size_t above = row; above-- > 0;) {
    if (rows[above].level < rows[row].level) return rows[above].name();
  }
  return "";
}

std::string PathOf(const std::vector<Row>& rows, std::size_t row) {
  std::string path = std::to_string(rows[row].level);
  std::int32_t level = rows[row].level;
  for (std::size_t above = row; above-- > 0;) {
    if (rows[above].level >= level) continue;
    level = rows[above].level;
    path += "/" + rows[above].name() + "@" + std::to_string(level);
  }
  return path;
}

bool Untouched(const std::vector<Row>& a, std::size_t row_a, const std::vector<Row>& b,
               std::size_t row_b) {
  const std::size_t size = RunEnd(a, row_a) - row_a;
  if (RunEnd(b, row_b) - row_b != size || PathOf(a, row_a) != PathOf(b, row_b)) {
    return false;
  }
  for (std::size_t k = 0; k < size; ++k) {
    const Row& x = a[row_a + k];
    const Row& y = b[row_b + k];
    // A category's own progress, where no children give it, counts too.
    const bool childless = RunEnd(a, row_a + k) == row_a + k + 1;
    if (x.name() != y.name() || !x.SameRecord(y) ||
        (childless && x.category.avancement != y.category.avancement) ||
        std::int64_t{x.level} - a[row_a].level != std::int64_t{y.level} - b[row_b].level) {
      return false;
    }
  }
  return true;
}

std::size_t IndexOf(const std::vector<Row>& rows, const Row* row) {
  return static_cast<std::size_t>(row - rows.data());
}

// Each task field and a category's description: ours when ours changed it,
// else theirs.
void ExpectOneSidedChanges(const Row& base, const Row& ours, const Row& theirs,
                           const std::multimap<std::string, const Row*>& merged) {
  const std::string& name = base.name();
  bool both_changed = false;  // one field, each side differently
  const auto expect = [&](const auto& field) {
    const bool ours_changed = !(field(ours) == field(base));
    if (ours_changed && !(field(theirs) == field(base)) && !(field(theirs) == field(ours))) {
      both_changed = true;
    }
    const auto& wanted = ours_changed ? field(ours) : field(theirs);
    // A category keeps their description after its own.
    EXPECT_TRUE(SomeRowHas(merged, name, [&](const Row& row) {
      if constexpr (std::is_same_v<std::decay_t<decltype(wanted)>, std::string>) {
        if (row.kind == kCategoryRow) return field(row).starts_with(wanted);
      }
      return field(row) == wanted;
    }));
  };
  if (base.kind == kCategoryRow) {
    expect([](const Row& row) -> const std::string& { return row.category.designation; });
    return;
  }
  expect([](const Row& row) -> const std::string& { return row.task.designation; });
  expect([](const Row& row) -> const std::string& { return row.task.datedebut; });
  expect([](const Row& row) -> const std::string& { return row.task.dateecheance; });
  expect([](const Row& row) { return row.task.avancement; });
  expect([](const Row& row) { return row.task.statut; });
  expect([](const Row& row) { return row.task.importance; });
  // Their version stands whole beside ours, marked, or as it was where one
  // side moved the row to another category.
  if (both_changed) {
    TaskRecord copy = theirs.task;
    copy.nom += kMarker;
    EXPECT_TRUE(SomeRowHas(merged, copy.nom, [&](const Row& row) { return row.task == copy; }) ||
                SomeRowHas(merged, name, [&](const Row& row) { return row.task == theirs.task; }));
  }
}

void ExpectMerged(const std::vector<Row>& base, const std::vector<Row>& ours,
                  const std::vector<Row>& theirs, const Document& document) {
  // A document that the file keeps as it is.
  EXPECT_TRUE(
      testing::SameRowsAndRecords(ParseDocument(SerializeDocument(document, "Lumvik")), document));
  const std::vector<Row> merged_rows = RowsOf(document);
  const auto merged = ByName(merged_rows);
  const auto in_base = ByName(base);
  const auto in_ours = ByName(ours);
  const auto in_theirs = ByName(theirs);
  for (const auto* side : {&ours, &theirs}) {
    const auto& other = side == &ours ? in_theirs : in_ours;
    for (const Row& row : *side) {
      const std::string& name = row.name();
      const auto from_base = in_base.find(name);
      if (from_base == in_base.end()) {
        EXPECT_TRUE(merged.contains(name)) << "added " << name;
      } else if (other.contains(name)) {
        EXPECT_TRUE(merged.contains(name)) << "kept on both sides " << name;
      } else if (!row.SameRecord(*from_base->second)) {
        // Deleted on the other side, changed on this one: kept as changed.
        EXPECT_TRUE(SomeRowHas(merged, name, [&](const Row& kept) { return kept.SameRecord(row); }))
            << "changed and deleted " << name;
      }
    }
  }
  for (const Row& row : base) {
    const auto o = in_ours.find(row.name());
    const auto t = in_theirs.find(row.name());
    if (o != in_ours.end() && t != in_theirs.end()) {
      ExpectOneSidedChanges(row, *o->second, *t->second, merged);
    }
    // Deleted on one side (where its parent stayed), untouched on the
    // other: gone.
    const std::size_t at = IndexOf(base, &row);
    const std::string parent = ParentName(base, at);
    for (const auto& [deleting, keeping, kept] :
         {std::tuple(&in_ours, &in_theirs, &theirs), std::tuple(&in_theirs, &in_ours, &ours)}) {
      const auto found = keeping->find(row.name());
      if (deleting->contains(row.name()) || (!parent.empty() && !deleting->contains(parent)) ||
          keeping->count(row.name()) != 1 ||
          !Untouched(base, at, *kept, IndexOf(*kept, found->second))) {
        continue;
      }
      EXPECT_FALSE(merged.contains(row.name())) << "deleted and untouched " << row.name();
    }
  }
}

TEST(DocumentMergeRandom, BothSidesChangesArriveAndAnUnchangedSideGivesTheOtherExactly) {
  std::mt19937 random(20261209);
  for (int trial = 0; trial < 3000; ++trial) {
    SCOPED_TRACE(trial);
    std::vector<Row> base = RowsOf(testing::RandomDocument(random, 12));
    int next_name = 0;
    for (Row& row : base) {
      row.category.nom = row.task.nom = "n" + std::to_string(next_name++);
    }
    Editor editor(random, next_name);
    std::vector<Row> ours = base;
    std::vector<Row> theirs = base;
    for (int k = RandomInt(random, 0, 5); k > 0; --k) editor.Edit(ours);
    for (int k = RandomInt(random, 0, 5); k > 0; --k) editor.Edit(theirs);
    const Document base_document = DocumentOf(base);
    const Document ours_document = DocumentOf(ours);
    const Document theirs_document = DocumentOf(theirs);

    const MergedDocument merged =
        MergeDocuments(base_document, theirs_document, ours_document, kMarker);
    ExpectMerged(base, ours, theirs, merged.document);
    const MergedDocument only_theirs =
        MergeDocuments(base_document, theirs_document, base_document, kMarker);
    EXPECT_TRUE(testing::SameRowsAndRecords(only_theirs.document, theirs_document));
    EXPECT_TRUE(only_theirs.conflicts.empty());
    const MergedDocument only_ours =
        MergeDocuments(base_document, base_document, ours_document, kMarker);
    EXPECT_TRUE(testing::SameRowsAndRecords(only_ours.document, ours_document));
    EXPECT_EQ(only_ours.rows_from_elsewhere, 0);
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace lumvik
