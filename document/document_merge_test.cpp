// Merging two changed versions of a document from the version both started
// from, on small outlines: what each side did, and what both did.
#include "document/document_merge.h"

#include <gtest/gtest.h>

#include <string>

#include "document/stored_form.h"
#include "document/testing/edited_document.h"

namespace lumvik {
namespace {

using testing::Outline;
using testing::OutlineDocument;

constexpr std::string_view kMarker = " (changed elsewhere)";

TaskRecord& Task(Document& document, int row) {
  return document.tasks.Edit(
      static_cast<std::size_t>(document.rows[static_cast<std::size_t>(row)].index));
}
CategoryRecord& Category(Document& document, int row) {
  return document.categories.Edit(
      static_cast<std::size_t>(document.rows[static_cast<std::size_t>(row)].index));
}

TEST(DocumentMerge, EachSideKeepsWhatItChangedAddedMovedAndDeleted) {
  const Document base = OutlineDocument("Work0 call1 mail1 Home0 paint1 Garden0");
  // Ours moved Home up, added a task between two and changed a status.
  Document ours = OutlineDocument("Home0 paint1 Work0 call1 ours1 mail1 Garden0");
  Task(ours, 3).statut = 3;
  // Theirs added a task at the end of Work, deleted one and changed a description.
  Document theirs = OutlineDocument("Work0 call1 mail1 theirs1 Home0 Garden0");
  Task(theirs, 2).designation = "x";

  MergedDocument merged = MergeDocuments(base, theirs, ours, kMarker);
  EXPECT_EQ(Outline(merged.document), "Home0 Work0 call1 ours1 mail1 theirs1 Garden0");
  EXPECT_EQ(Task(merged.document, 2).statut, 3);
  EXPECT_EQ(Task(merged.document, 4).designation, "x");
  EXPECT_TRUE(merged.conflicts.empty());
  EXPECT_EQ(merged.rows_from_elsewhere, 2) << "their task and their description";

  // A row renamed on one side and edited on the other is one row.
  Document renamed = base;
  Task(renamed, 1).nom = "phone";
  Document described = base;
  Task(described, 1).designation = "d";
  merged = MergeDocuments(base, described, renamed, kMarker);
  EXPECT_EQ(Outline(merged.document), "Work0 phone1 mail1 Home0 paint1 Garden0");
  EXPECT_EQ(Task(merged.document, 1).designation, "d");
}

TEST(DocumentMerge, WhatBothSidesChangedKeepsBothVersions) {
  const Document base = OutlineDocument("Work0 call1 mail1 Home0");
  Document ours = OutlineDocument("Work0 call1 Home0");  // mail deleted
  Task(ours, 1).designation = "ours words";
  Task(ours, 1).statut = 2;
  Category(ours, 2).designation = "ours home";
  Document theirs = base;
  Task(theirs, 1).designation = "their words";
  Task(theirs, 2).importance = 5;  // mail, which ours deleted
  Category(theirs, 3).designation = "their home";

  const MergedDocument merged = MergeDocuments(base, theirs, ours, kMarker);
  Document document = merged.document;
  EXPECT_EQ(Outline(document), "Work0 call1 call (changed elsewhere)1 mail1 Home0");
  EXPECT_EQ(Task(document, 1).designation, "ours words");
  EXPECT_EQ(Task(document, 1).statut, 2);
  EXPECT_EQ(Task(document, 2).designation, "their words") << "their version whole";
  EXPECT_EQ(Task(document, 2).statut, 1);
  EXPECT_EQ(Task(document, 3).importance, 5);
  EXPECT_EQ(DesignationFromStoredForm(Category(document, 4).designation),
            "ours home\r\n(changed elsewhere)\r\ntheir home");
  ASSERT_EQ(merged.conflicts.size(), 3u);
  EXPECT_EQ(merged.conflicts[0].kind, MergeConflict::Kind::ChangedOnBothSides);
  EXPECT_EQ(merged.conflicts[0].row, 1);
  EXPECT_EQ(merged.conflicts[1].kind, MergeConflict::Kind::ChangedAndDeleted);
  EXPECT_EQ(merged.conflicts[1].row, 3);
  EXPECT_EQ(merged.conflicts[2].row, 4);
  EXPECT_EQ(merged.rows_from_elsewhere, 3) << "their copy, mail and the description";
}

TEST(DocumentMerge, ProgressThatChildrenGiveFollowsTheMergedChildren) {
  const Document base = OutlineDocument("Work0=0 a1=0 b1=0 Solo0=2");
  Document ours = OutlineDocument("Work0=5 a1=10 b1=0 Solo0=3");
  Document theirs = OutlineDocument("Work0=5 a1=0 b1=10 Solo0=4");
  const MergedDocument merged = MergeDocuments(base, theirs, ours, kMarker);
  Document document = merged.document;
  EXPECT_EQ(testing::Progress(document), (std::vector<int>{10, 10, 10, 3}));
  ASSERT_EQ(merged.conflicts.size(), 1u) << "only the progress of the category without children";
  EXPECT_EQ(merged.conflicts[0].row, 3);
  // Their progress is kept in its description.
  EXPECT_TRUE(
      document.categories[static_cast<std::size_t>(document.rows[3].index)].designation.ends_with(
          "\x1B"
          "40 %"));
}

}  // namespace
}  // namespace lumvik
