#include <gtest/gtest.h>

#include "document/document_file.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

TaskRecord Task(std::string nom, std::int16_t avancement = 0) {
  TaskRecord task;
  task.nom = std::move(nom);
  task.avancement = avancement;
  return task;
}

// The one row of a file holding a single task line.
TaskRecord OnlyTask(const std::string& line) {
  const Document document = ParseDocument(line);
  EXPECT_EQ(document.rows.size(), 1u) << line;
  EXPECT_EQ(document.tasks.size(), 1u) << line;
  return document.tasks.empty() ? TaskRecord{} : document.tasks[0];
}

std::int32_t OnlyLevel(const std::string& line) {
  const Document document = ParseDocument(line);
  EXPECT_EQ(document.rows.size(), 1u) << line;
  return document.rows.empty() ? -99 : document.rows[0].level;
}

TEST(ParseDocument, LinesEndAtCrLfCrOrLfWithOrWithoutAFinalOne) {
  for (const std::string end : {"\r\n", "\r", "\n"}) {
    const Document document =
        ParseDocument("<xml logiciel=\"x\">" + end + "<categorie nom=\"a\">" + end +
                      "<task nom=\"b\" level=\"1\">" + end + end + "<task nom=\"c\">");
    EXPECT_EQ(document.rows,
              (std::vector<TreeEntry>{{kCategoryRow, 0, 0}, {kTaskRow, 0, 1}, {kTaskRow, 1, 0}}));
    EXPECT_EQ(document.tasks, (std::vector{Task("b"), Task("c")}));
  }
}

TEST(ParseDocument, FilesWithoutRows) {
  EXPECT_TRUE(ParseDocument("").rows.empty());
  EXPECT_TRUE(ParseDocument("<xml version=\"2.1\" logiciel=\"Lumvik\">\r\n").rows.empty());
  const Document other = ParseDocument("hello\n<tas nom=\"x\">\n\n   \n<categori>\n");
  EXPECT_TRUE(other.rows.empty());
  EXPECT_TRUE(other.categories.empty());
}

TEST(ParseDocument, AbsentAttributesTakeTheirDefaults) {
  EXPECT_EQ(OnlyTask("<task>"), TaskRecord{});
  const Document document = ParseDocument("<categorie>");
  EXPECT_EQ(document.categories, std::vector{CategoryRecord{}});
  EXPECT_EQ(document.rows[0].level, 0);
  const TaskRecord task = OnlyTask("<task nom=\"n\" avancement=\"4\">");
  EXPECT_EQ(task.statut, 1);
  EXPECT_EQ(task.importance, 1);
  EXPECT_EQ(task.avancement, 4);
}

TEST(ParseDocument, PresentValuesWithoutDigitsAreZero) {
  const TaskRecord task =
      OnlyTask("<task importance=\"\" statut=\"x9\" avancement=\"-\" level=\" \">");
  EXPECT_EQ(task.importance, 0);
  EXPECT_EQ(task.statut, 0);
  EXPECT_EQ(task.avancement, 0);
  EXPECT_EQ(OnlyLevel("<task level=\"\">"), 0);
}

TEST(ParseDocument, NumbersKeepTheLowBitsOfTheirField) {
  const TaskRecord task =
      OnlyTask("<task importance=\"70000\" statut=\"65537\" avancement=\" \t+12abc\">");
  EXPECT_EQ(task.importance, 4464);
  EXPECT_EQ(task.statut, 1);
  EXPECT_EQ(task.avancement, 12);
  EXPECT_EQ(OnlyLevel("<task level=\"4294967297\">"), 1);
  EXPECT_EQ(OnlyLevel("<task level=\"-2147483649\">"), 2147483647);
  EXPECT_EQ(OnlyLevel("<task level=\"-3\">"), -3);
}

TEST(ParseDocument, AttributesInAnyOrderAfterSpacesOrTabs) {
  const TaskRecord task = OnlyTask(
      "   <task\tstatut=\"3\"  avancement=\"5\"\tnom=\"n\" dateecheance=\"2\" "
      "importance=\"4\" datedebut=\"1\" designation=\"d\"\tlevel=\"2\">   ");
  EXPECT_EQ(task, (TaskRecord{"n", "d", "1", "2", 5, 3, 4}));
  EXPECT_EQ(OnlyLevel("  <task level=\"2\" nom=\"n\">"), 2);
}

TEST(ParseDocument, TheFirstOccurrenceOfAKeyWins) {
  EXPECT_EQ(OnlyLevel("<task level=\"1\" level=\"2\">"), 1);
}

// A key counts only where an attribute can start: after a blank, directly
// before the opening quote, and outside every value.
TEST(ParseDocument, KeysInsideValuesOrWithoutTheirBoundariesAreNotKeys) {
  EXPECT_EQ(OnlyLevel("<task xlevel=\"5\" level=\"2\">"), 2);
  EXPECT_EQ(OnlyLevel("<task nom=\"a\"level=\"5\">"), 0);
  EXPECT_EQ(OnlyLevel("<task level =\"5\">"), 0);
  EXPECT_EQ(OnlyLevel("<task nom=\"a level=\x1A"
                      "7\x1A\" level=\"2\">"),
            2);
  EXPECT_EQ(OnlyLevel("<task nom=\"a level=\" designation=\"d\" level=\"4\">"), 4);
  EXPECT_EQ(OnlyLevel("<task designation=\" level=\" level=\"4\">"), 4);
}

// Older writers put a name's double quote into the file as it was: the name
// is cut there and the rest of the line still gives the other attributes.
TEST(ParseDocument, ANameCutByARawQuoteKeepsTheOtherAttributes) {
  const TaskRecord task =
      OnlyTask("<task nom=\"say \"hi\" now\" designation=\"d\" level=\"1\" statut=\"3\">");
  EXPECT_EQ(task.nom, "say ");
  EXPECT_EQ(task.designation, "d");
  EXPECT_EQ(task.statut, 3);
}

TEST(ParseDocument, AValueWithoutClosingQuoteIsEmpty) {
  EXPECT_EQ(OnlyTask("<task statut=\"4\" nom=\"abc").nom, "");
  EXPECT_EQ(OnlyTask("<task statut=\"4\" nom=\"abc").statut, 4);
}

TEST(ParseDocument, TheStoredQuoteOfANameReadsAsAQuote) {
  const Document document =
      ParseDocument("<categorie nom=\"a \x1Aq\x1A\" designation=\"b \x1Aq\x1A\x1B\">");
  EXPECT_EQ(document.categories[0].nom, "a \"q\"");
  EXPECT_EQ(document.categories[0].designation, "b \x1Aq\x1A\x1B");
}

// What a line is depends on its tag alone, the text before its first quote.
TEST(ParseDocument, TheTagBeforeTheFirstQuoteMakesTheRow) {
  EXPECT_EQ(ParseDocument("<task nom=\"<categorie\">").rows[0].kind, kTaskRow);
  EXPECT_EQ(ParseDocument("<categorie nom=\"<task\">").rows[0].kind, kCategoryRow);
  EXPECT_EQ(ParseDocument("<task<categorie nom=\"x\">").rows[0].kind, kCategoryRow);
  EXPECT_EQ(ParseDocument(" x<task y nom=\"z\">").rows[0].kind, kTaskRow);
  EXPECT_TRUE(ParseDocument("<xml version=\"2.1\" logiciel=\"<categorie\">").rows.empty());
  EXPECT_TRUE(ParseDocument("<other nom=\"<task\">").rows.empty());
}

TEST(ParseDocument, IndexesCountEachKindInFileOrder) {
  const Document document = ParseDocument(
      "<task nom=\"t0\">\n<categorie nom=\"c0\">\n<task nom=\"t1\">\n<categorie nom=\"c1\">\n");
  EXPECT_EQ(document.rows,
            (std::vector<TreeEntry>{
                {kTaskRow, 0, 0}, {kCategoryRow, 0, 0}, {kTaskRow, 1, 0}, {kCategoryRow, 1, 0}}));
  EXPECT_EQ(document.categories[1].nom, "c1");
  EXPECT_EQ(document.tasks[1].nom, "t1");
}

TEST(ParseDocument, ALongLineIsReadWhole) {
  const std::string name(1 << 20, 'n');
  EXPECT_EQ(OnlyTask("<task nom=\"" + name + "\" statut=\"2\">").nom, name);
}

TEST(HeaderProgramName, TheValueAsItStandsOnTheFirstLine) {
  EXPECT_EQ(HeaderProgramName("<xml version=\"2.1\" logiciel=\"LumVik\">\r\nx"), "LumVik");
  EXPECT_EQ(HeaderProgramName("  <xml logiciel=\"a b\">  \n"), "a b");
  EXPECT_EQ(HeaderProgramName("<xml logiciel=Xname\">"), "name");  // any opening byte
  EXPECT_EQ(HeaderProgramName("<xml logiciel=\"open"), "");
  EXPECT_EQ(HeaderProgramName("<xml logiciel="), "");
  EXPECT_EQ(HeaderProgramName("<xml logiciel=\"a\" logiciel=\"b\">"), "a");
  EXPECT_EQ(HeaderProgramName("<xml version=\"2.1\">"), std::nullopt);
  EXPECT_EQ(HeaderProgramName("\r<xml logiciel=\"a\">"), std::nullopt);
  EXPECT_EQ(HeaderProgramName(""), std::nullopt);
}

class ReadDocumentTest : public ::testing::Test {
 protected:
  ReadResult Read(const std::string& bytes) {
    WriteTestFile(path, bytes);
    return ReadDocument(path, "Lumvik");
  }

  TempDir dir;
  std::string path = dir.File("list.lvk");
};

TEST_F(ReadDocumentTest, ReadsRecomputesAndTakesThePath) {
  const ReadResult result = Read(
      "<xml version=\"1.0\" logiciel=\"Lumvik\">\r\n<categorie nom=\"c\" avancement=\"9\">\r\n"
      "<task nom=\"a\" level=\"1\" avancement=\"10\">\r\n"
      "<task nom=\"b\" level=\"1\" avancement=\"5\">\r\n");
  ASSERT_EQ(result.status, ReadStatus::Read);
  EXPECT_EQ(result.document.categories[0].avancement, 7);
  EXPECT_EQ(result.document.saved, 1);
  EXPECT_EQ(result.document.file_path, path);
  EXPECT_EQ(CheckHeader(path, "Lumvik"), HeaderCheck::Pass);
}

TEST_F(ReadDocumentTest, AnEmptyFileIsAnEmptyDocument) {
  const ReadResult result = Read("");
  ASSERT_EQ(result.status, ReadStatus::Read);
  EXPECT_TRUE(result.document.rows.empty());
  EXPECT_EQ(result.document.file_path, path);
}

TEST_F(ReadDocumentTest, AHeaderWithoutProgramNamePasses) {
  EXPECT_EQ(Read("<xml version=\"2.1\">\n<task nom=\"t\">\n").status, ReadStatus::Read);
  EXPECT_EQ(Read("<task nom=\"t\">\n<xml logiciel=\"Other\">\n").status, ReadStatus::Read);
}

TEST_F(ReadDocumentTest, TheProgramNameIsComparedUpToLatin1LetterCase) {
  EXPECT_EQ(Read("<xml logiciel=\"LUMVIK\">").status, ReadStatus::Read);
  EXPECT_EQ(Read("  <xml logiciel=\"lumvik\">  \r\n").status, ReadStatus::Read);
  EXPECT_EQ(ReadDocument(path, "LuMvIk").status, ReadStatus::Read);
  WriteTestFile(path,
                "<xml logiciel=\"\xC9"
                "CRIT\xDE\">");
  EXPECT_EQ(ReadDocument(path,
                         "\xE9"
                         "crit\xFE")
                .status,
            ReadStatus::Read);
  EXPECT_EQ(ReadDocument(path,
                         "\xE8"
                         "crit\xFE")
                .status,
            ReadStatus::Foreign);
  EXPECT_EQ(CheckHeader(path,
                        "\xE8"
                        "crit\xFE"),
            HeaderCheck::Foreign);
}

TEST_F(ReadDocumentTest, AForeignFileGivesItsStatusAlone) {
  const ReadResult result = Read("<xml logiciel=\"Lumvik2\">\n<categorie nom=\"c\">\n");
  EXPECT_EQ(result.status, ReadStatus::Foreign);
  EXPECT_TRUE(result.document.rows.empty());
  EXPECT_TRUE(result.document.file_path.empty());
  EXPECT_EQ(Read("<xml logiciel=\"Lumvik").status, ReadStatus::Foreign);  // empty value
}

TEST_F(ReadDocumentTest, WhatCannotBeOpened) {
  EXPECT_EQ(ReadDocument(dir.File("missing.lvk"), "Lumvik").status, ReadStatus::CannotOpen);
  EXPECT_EQ(CheckHeader(dir.File("missing.lvk"), "Lumvik"), HeaderCheck::CannotOpen);
  const std::string folder = dir.path();
  EXPECT_EQ(ReadDocument(folder.substr(0, folder.size() - 1), "Lumvik").status,
            ReadStatus::CannotOpen);
}

}  // namespace
}  // namespace lumvik
