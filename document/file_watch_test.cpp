#include "document/file_watch.h"

#include <gtest/gtest.h>

#include "document/document_file.h"
#include "document/testing/edited_document.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using Finding = DocumentFileWatch::Finding;

TEST(DocumentFileWatch, OnlyOtherBytesOfADocumentAreAChangeAndEachIsFoundUntilTakenIn) {
  testing::TempDir folder;
  const std::string path = folder.File("list.lvk");
  ASSERT_TRUE(WriteDocumentFile(path, testing::OutlineDocument("Work0 call1"), "Lumvik"));
  const Document shown = ReadDocument(path, "Lumvik").document;
  DocumentFileWatch watch;
  watch.Remember(shown, DocumentFileWatch::Origin::Read);
  EXPECT_EQ(watch.LookAgain("Lumvik").finding, Finding::Unchanged);
  EXPECT_EQ(testing::Outline(watch.Base()), "Work0 call1");

  // Written elsewhere between the read and the moment the watch remembers
  // it: a change all the same.
  {
    ASSERT_TRUE(WriteDocumentFile(path, testing::OutlineDocument("Work0 call1 fax1"), "Lumvik"));
    DocumentFileWatch late;
    late.Remember(shown, DocumentFileWatch::Origin::Read);
    EXPECT_EQ(late.LookAgain("Lumvik").finding, Finding::Changed);
    EXPECT_EQ(testing::Outline(late.Base()), "Work0 call1") << "what was read, not the file now";
    ASSERT_TRUE(WriteDocumentFile(path, shown, "Lumvik"));
  }

  // Written again with the same bytes, as a sync service may: no change.
  ASSERT_TRUE(WriteDocumentFile(path, shown, "Lumvik"));
  EXPECT_EQ(watch.LookAgain("Lumvik").finding, Finding::Unchanged);

  const Document elsewhere = testing::OutlineDocument("Work0 call1 mail1");
  ASSERT_TRUE(WriteDocumentFile(path, elsewhere, "Lumvik"));
  DocumentFileWatch::Look look = watch.LookAgain("Lumvik");
  ASSERT_EQ(look.finding, Finding::Changed);
  EXPECT_EQ(testing::Outline(look.theirs), "Work0 call1 mail1");
  EXPECT_EQ(watch.LookAgain("Lumvik").finding, Finding::Changed) << "until taken in";
  watch.TakeIn(std::move(look));
  EXPECT_EQ(testing::Outline(watch.Base()), "Work0 call1 mail1");
  EXPECT_EQ(watch.LookAgain("Lumvik").finding, Finding::Unchanged);

  // Gone or empty for a moment, as while a sync service replaces it: never
  // an empty list.
  ASSERT_TRUE(RemoveFile(path));
  EXPECT_EQ(watch.LookAgain("Lumvik").finding, Finding::Unreadable);
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(watch.LookAgain("Lumvik").finding, Finding::Unreadable);
  ASSERT_TRUE(WriteDocumentFile(path, elsewhere, "Lumvik"));
  EXPECT_EQ(watch.LookAgain("Lumvik").finding, Finding::Unchanged);

  // Written as it stood, a category's progress that its children would not
  // give (theirs deleted) stays so in the base; read, it is worked out again.
  {
    Document written = shown;
    written.categories.Edit(0).avancement = 7;
    ASSERT_TRUE(WriteDocumentFile(path, written, "Lumvik"));
    written.file_version = {FileStampOf(path), BytesFingerprint(*ReadWholeFile(path))};
    DocumentFileWatch saved;
    saved.Remember(written, DocumentFileWatch::Origin::Written);
    EXPECT_EQ(saved.Base().categories[0].avancement, 7);
    saved.Remember(written, DocumentFileWatch::Origin::Read);
    EXPECT_EQ(saved.Base().categories[0].avancement, 0);
    ASSERT_TRUE(WriteDocumentFile(path, elsewhere, "Lumvik"));
  }

  // Another program's file is said once and never merged with.
  ASSERT_TRUE(WriteFileAtomically(path, SerializeDocument(elsewhere, "Other")));
  EXPECT_EQ(watch.LookAgain("Lumvik").finding, Finding::NotADocument);
  EXPECT_EQ(watch.LookAgain("Lumvik").finding, Finding::Unchanged);
  EXPECT_EQ(testing::Outline(watch.Base()), "Work0 call1 mail1");
}

}  // namespace
}  // namespace lumvik
