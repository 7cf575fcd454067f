#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "config/text_numbers.h"
#include "document/document_file.h"
#include "platform/file_io.h"
#include "platform/testing/scripted_prompt.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::AskedMessage;
using testing::ScriptedPrompt;
using testing::TempDir;
using testing::WriteTestFile;

Document SmallDocument() {
  Document document;
  document.rows = {{kCategoryRow, 0, 0}, {kTaskRow, 0, 1}, {kCategoryRow, 1, -2}};
  document.categories = {{"House", "Two\x1Blines, \x1Aquoted\x1A", 7}, {"Neg", "", -5}};
  document.tasks = {{"Mow", "", "02/05/2026", "09/05/2026", 6, 2, 3}};
  return document;
}

// The file without its header line.
std::string RowLines(const std::string& file) { return file.substr(file.find("\r\n") + 2); }

TEST(SerializeDocument, WritesTheHeaderAndOneLinePerRowInRowOrder) {
  EXPECT_EQ(SerializeDocument(SmallDocument(), "Lumvik"),
            "<xml version=\"2.1\" logiciel=\"Lumvik\">\r\n"
            "<categorie nom=\"House\" designation=\"Two\x1Blines, \x1Aquoted\x1A\" level=\"0\" "
            "avancement=\"7\">\r\n"
            "<task nom=\"Mow\" designation=\"\" level=\"1\" importance=\"3\" "
            "datedebut=\"02/05/2026\" dateecheance=\"09/05/2026\" statut=\"2\" "
            "avancement=\"6\">\r\n"
            "<categorie nom=\"Neg\" designation=\"\" level=\"-2\" avancement=\"-5\">\r\n");
}

TEST(SerializeDocument, AnEmptyDocumentIsTheHeaderAlone) {
  EXPECT_EQ(SerializeDocument(Document{},
                              "Mon \xE9"
                              "diteur"),
            "<xml version=\"2.1\" logiciel=\"Mon \xE9"
            "diteur\">\r\n");
}

TEST(SerializeDocument, TakesEachRowsRecordByItsIndex) {
  Document document;
  document.rows = {{kTaskRow, 1, 0}, {kCategoryRow, 1, 0}, {kTaskRow, 0, 1}, {kCategoryRow, 0, 2}};
  document.categories = {{"c0", "", 0}, {"c1", "", 0}};
  document.tasks = {{"t0", "", "", "", 0, 1, 1}, {"t1", "", "", "", 0, 1, 1}};
  const std::string file = SerializeDocument(document, "L");
  const std::size_t t1 = file.find("t1");
  const std::size_t c1 = file.find("c1");
  const std::size_t t0 = file.find("t0");
  const std::size_t c0 = file.find("c0");
  EXPECT_TRUE(t1 < c1 && c1 < t0 && t0 < c0) << file;
}

TEST(SerializeDocument, ExtremeNumbersInFull) {
  Document document;
  document.rows = {{kTaskRow, 0, std::numeric_limits<std::int32_t>::min()}};
  document.tasks = {{"", "", "", "", -32768, 32767, 0}};
  EXPECT_EQ(RowLines(SerializeDocument(document, "L")),
            "<task nom=\"\" designation=\"\" level=\"-2147483648\" importance=\"0\" datedebut=\"\" "
            "dateecheance=\"\" statut=\"32767\" avancement=\"-32768\">\r\n");
}

// A quote would end the value early and a line break would split the row, so
// both are written in their stored form, in names and in every other text.
TEST(SerializeDocument, QuotesAndLineBreaksNeverLeaveTheirValue) {
  Document document;
  document.rows = {{kTaskRow, 0, 0}};
  document.tasks = {{"say \"hi\"", "a\"b\r\nc", "x\ry", "x\nz", 0, 1, 1}};
  EXPECT_EQ(RowLines(SerializeDocument(document, "L")),
            "<task nom=\"say \x1Ahi\x1A\" designation=\"a\x1A"
            "b\x1B"
            "c\" level=\"0\" "
            "importance=\"1\" datedebut=\"x\x1By\" dateecheance=\"x\x1Bz\" statut=\"1\" "
            "avancement=\"0\">\r\n");
}

TEST(WithDocumentExtension, AppendsUnlessTheExtensionIsExactlyLvk) {
  EXPECT_EQ(WithDocumentExtension("C:\\docs\\list"), "C:\\docs\\list.lvk");
  EXPECT_EQ(WithDocumentExtension("list.lvk"), "list.lvk");
  EXPECT_EQ(WithDocumentExtension("C:\\docs\\list.lvk"), "C:\\docs\\list.lvk");
  EXPECT_EQ(WithDocumentExtension("list.LVK"), "list.LVK.lvk");
  EXPECT_EQ(WithDocumentExtension("list.lvk.bak"), "list.lvk.bak.lvk");
  EXPECT_EQ(WithDocumentExtension("list."), "list..lvk");
  EXPECT_EQ(WithDocumentExtension(""), ".lvk");
}

TEST(WithDocumentExtension, ADotInAFolderNameIsNoExtension) {
  EXPECT_EQ(WithDocumentExtension("C:\\my.lvk\\list"), "C:\\my.lvk\\list.lvk");
  EXPECT_EQ(WithDocumentExtension("/home/a.lvk/list"), "/home/a.lvk/list.lvk");
  EXPECT_EQ(WithDocumentExtension("C:\\a.b/c\\d.lvk"), "C:\\a.b/c\\d.lvk");
  EXPECT_EQ(WithDocumentExtension("a.lvk/"), "a.lvk/.lvk");
}

class SaveDocumentTest : public ::testing::Test {
 protected:
  SaveDocumentTest() {
    texts.Set(kTextProgramName, "Lumvik");
    texts.Set(kTextReplaceExistingFile, "Replace it?");
    texts.Set(kTextCannotCreateFile, "Cannot write.");
    document.file_path = "before.lvk";
  }

  SaveStatus Save(const std::string& path) { return SaveDocument(document, path, texts, prompt); }

  TempDir dir;
  TextTable texts{kLumvikTextCount};
  ScriptedPrompt prompt;
  Document document = SmallDocument();
  const AskedMessage replace_question{"Lumvik", "Replace it?", Buttons::YesNo};
  const AskedMessage cannot_write{"Lumvik", "Cannot write.", Buttons::Ok};
};

TEST_F(SaveDocumentTest, ANewFileIsWrittenWithoutAQuestion) {
  ASSERT_EQ(Save(dir.File("list")), SaveStatus::Saved);
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_EQ(document.file_path, dir.File("list.lvk"));
  EXPECT_EQ(ReadWholeFile(dir.File("list.lvk")), SerializeDocument(document, "Lumvik"));
  EXPECT_FALSE(PathExists(dir.File("list")));
}

TEST_F(SaveDocumentTest, YesReplacesTheExistingFile) {
  WriteTestFile(dir.File("list.lvk"), "old");
  prompt.Then(Answer::Yes);
  ASSERT_EQ(Save(dir.File("list.lvk")), SaveStatus::Saved);
  EXPECT_EQ(prompt.asked(), std::vector{replace_question});
  EXPECT_EQ(ReadWholeFile(dir.File("list.lvk")), SerializeDocument(document, "Lumvik"));
  EXPECT_EQ(document.file_path, dir.File("list.lvk"));
}

TEST_F(SaveDocumentTest, NoHandsOverToSaveAsAndWritesNothing) {
  WriteTestFile(dir.File("list.lvk"), "old");
  prompt.Then(Answer::No);
  ASSERT_EQ(Save(dir.File("list")), SaveStatus::SaveAsInstead);
  EXPECT_EQ(prompt.asked(), std::vector{replace_question});
  EXPECT_EQ(ReadWholeFile(dir.File("list.lvk")), "old");
  EXPECT_EQ(document.file_path, "before.lvk");
}

TEST_F(SaveDocumentTest, AFailedWriteIsReportedAndChangesNothing) {
  prompt.Then(Answer::Ok);
  ASSERT_EQ(Save(dir.File("no folder") + dir.path().back() + "list"), SaveStatus::Failed);
  EXPECT_EQ(prompt.asked(), std::vector{cannot_write});
  EXPECT_EQ(document.file_path, "before.lvk");
  EXPECT_EQ(document.saved, 1);
}

// A folder under the name cannot be replaced by the file: the answer Yes
// ends in the message instead of the question coming back, and the folder
// keeps what it holds.
TEST_F(SaveDocumentTest, AFolderUnderTheNameStaysAndTheWriteFails) {
  const std::string folder = dir.File("taken.lvk");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::string inner = folder + dir.path().back() + "inner";
  WriteTestFile(inner, "kept");
  prompt.Then(Answer::Yes).Then(Answer::Ok);
  ASSERT_EQ(Save(dir.File("taken")), SaveStatus::Failed);
  EXPECT_EQ(prompt.asked(), (std::vector{replace_question, cannot_write}));
  EXPECT_TRUE(IsDirectory(folder));
  EXPECT_EQ(ReadWholeFile(inner), "kept");
  EXPECT_EQ(document.file_path, "before.lvk");
}

}  // namespace
}  // namespace lumvik
