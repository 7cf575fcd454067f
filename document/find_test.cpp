#include "document/find.h"

#include <gtest/gtest.h>

#include "document/testing/edited_document.h"

namespace lumvik {
namespace {

TEST(Find, IgnoresLetterCaseAndTheAccentsOfTheWesternCodePage) {
  EXPECT_EQ(FoldedForFind("\xC9LAGAGE \xE9t\xE9"), "elagage ete");
  EXPECT_EQ(FoldedForFind("Stra\xDF"
                          "e C\x9C"
                          "ur \xC6sop \x8A\x9F\xD1"),
            "strasse coeur aesop syn");
  EXPECT_EQ(FoldedForFind("say \x1Ahi\x1A\x1Bthen"), "say \"hi\"\nthen");
  EXPECT_EQ(FoldedForFind("\xBD \xA9 1/2"), "\xBD \xA9 1/2") << "signs stay as they are";
}

TEST(Find, NextAndPreviousMatchGoRoundTheEnds) {
  // Home (Paint, Garden (Dig)), Attic; the match is in a name or a description.
  Document document = testing::OutlineDocument("Home0 paint1 Garden1 dig2 Attic0");
  document.tasks.Edit(1).designation = "with the big \x1Aspade\x1A";
  document.categories.Edit(2).nom = "\xC9tage";
  EXPECT_EQ(FindRow(document, "GARDEN", 0, true), 2);
  EXPECT_EQ(FindRow(document, "\"spade\"", 0, true), 3) << "in a description, quotes as typed";
  EXPECT_EQ(FindRow(document, "etag", 0, true), 4);
  EXPECT_EQ(FindRow(document, "a", 1, true), 2) << "the next row, not the selected one";
  EXPECT_EQ(FindRow(document, "a", 4, true), 1) << "on from the top";
  EXPECT_EQ(FindRow(document, "a", 0, false), 4) << "back past the top";
  EXPECT_EQ(FindRow(document, "dig", 3, true), 3) << "the only match: itself";
  EXPECT_EQ(FindRow(document, "dig", -1, false), 3);
  EXPECT_EQ(FindRow(document, "home", -1, true), 0) << "nothing selected: from the top";
  EXPECT_EQ(FindRow(document, "shed", 0, true), -1);
  EXPECT_EQ(FindRow(document, "", 0, true), -1);
  EXPECT_EQ(FindRow(document, "paintgarden", 0, true), -1) << "never across two rows";
  EXPECT_EQ(FindRow(document, "big\nspade", 0, true), -1);
}

}  // namespace
}  // namespace lumvik
