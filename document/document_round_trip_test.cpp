// Whatever the writer stores reads back as the same document.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "document/document_file.h"
#include "document/stored_form.h"
#include "document/testing/random_document.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::RandomDocument;
using testing::RandomName;

// A name holds its double quotes as 0x1A in the file, so a 0x1A byte of a
// name reads back as a double quote.
Document AsReadBack(Document document) {
  for (std::size_t i = 0; i < document.categories.size(); ++i) {
    std::string& name = document.categories.Edit(i).nom;
    std::replace(name.begin(), name.end(), kStoredQuote, '"');
  }
  for (std::size_t i = 0; i < document.tasks.size(); ++i) {
    std::string& name = document.tasks.Edit(i).nom;
    std::replace(name.begin(), name.end(), kStoredQuote, '"');
  }
  return document;
}

void ExpectSameRowsAndRecords(const Document& read, const Document& expected) {
  EXPECT_EQ(read.rows, expected.rows);
  EXPECT_EQ(read.categories, expected.categories);
  EXPECT_EQ(read.tasks, expected.tasks);
}

TEST(DocumentRoundTrip, RandomDocumentsReadBackUnchanged) {
  std::mt19937 random(20260507);
  for (int round = 0; round < 4000; ++round) {
    const Document document = RandomDocument(random, 24);
    std::string program_name = RandomName(random);
    std::erase(program_name, '"');
    const std::string file = SerializeDocument(document, program_name);
    ExpectSameRowsAndRecords(ParseDocument(file), AsReadBack(document));
    EXPECT_EQ(HeaderProgramName(file), program_name);
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "round " << round << ":\n" << file;
      return;
    }
  }
}

TEST(DocumentRoundTrip, ThroughAFileWithTheReadsRecomputation) {
  std::mt19937 random(7);
  testing::TempDir dir;
  const std::string path = dir.File("round trip.lvk");
  for (int round = 0; round < 50; ++round) {
    const Document document = RandomDocument(random, 40);
    ASSERT_TRUE(WriteDocumentFile(path, document, "Lumvik"));
    const ReadResult result = ReadDocument(path, "lumVIK");
    ASSERT_EQ(result.status, ReadStatus::Read);
    Document expected = AsReadBack(document);
    RecomputeLoadedProgress(expected);
    ExpectSameRowsAndRecords(result.document, expected);
  }
}

// Pieces of file syntax inside texts change nothing that the file says.
TEST(DocumentRoundTrip, TextsThatLookLikeAttributesOrTags) {
  Document document;
  document.rows = {{kTaskRow, 0, 1}, {kCategoryRow, 0, 3}};
  document.tasks = {
      {"<categorie level=\x1A"
       "5\x1A",
       " level=\x1A"
       "7\x1A avancement=",
       "level=", " statut=", 4, 2, 3}};
  document.categories = {{"x level=\"9\" \"",
                          "<task avancement=\x1A"
                          "1",
                          6}};
  ExpectSameRowsAndRecords(ParseDocument(SerializeDocument(document, "L")), AsReadBack(document));
}

}  // namespace
}  // namespace lumvik
