// Each save keeps the version it replaces, as a user finds it in the folder
// "backup" beside the document.
#include <gtest/gtest.h>

#include <algorithm>

#include "config/text_numbers.h"
#include "document/backup_names.h"
#include "document/document_file.h"
#include "platform/file_io.h"
#include "platform/testing/scripted_prompt.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::ScriptedPrompt;
using testing::TempDir;
using testing::WriteTestFile;

class EarlierVersionsTest : public ::testing::Test {
 protected:
  EarlierVersionsTest() { texts.Set(kTextProgramName, "Lumvik"); }

  // Saves over the existing file, answering Yes to replacing it.
  SaveStatus SaveOver(const std::string& name, int backups) {
    document.categories.Edit(0).nom = "save " + std::to_string(++saves);
    prompt.Then(Answer::Yes);
    return SaveDocument(document, dir.File(name), texts, prompt, backups);
  }
  std::vector<std::string> Backups() {
    std::vector<std::string> names = FileNamesIn(dir.File("backup"));
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir;
  TextTable texts{kLumvikTextCount};
  ScriptedPrompt prompt;
  Document document{{{kCategoryRow, 0, 0}}, {{"", "", 0}}, {}, {}, "", 1, {}};
  int saves = 0;
};

TEST_F(EarlierVersionsTest, EachSaveKeepsTheVersionItReplacesAndTheNewestStay) {
  WriteTestFile(dir.File("Home.lvk"), "first version");
  ASSERT_EQ(SaveOver("Home.lvk", 2), SaveStatus::Saved);
  std::vector<std::string> backups = Backups();
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(ReadWholeFile(dir.File("backup/" + backups[0])), "first version");
  EXPECT_TRUE(BackupsBeyond(backups, "Home.lvk", 1).empty()) << backups[0] << " is a backup name";

  // Saves within one second take " (2)", " (3)"...; only the newest two stay.
  const std::string second_version = *ReadWholeFile(dir.File("Home.lvk"));
  ASSERT_EQ(SaveOver("Home.lvk", 2), SaveStatus::Saved);
  ASSERT_EQ(SaveOver("Home.lvk", 2), SaveStatus::Saved);
  backups = Backups();
  ASSERT_EQ(backups.size(), 2u);
  std::vector<std::string> contents;
  for (const std::string& name : backups)
    contents.push_back(*ReadWholeFile(dir.File("backup/" + name)));
  EXPECT_NE(std::find(contents.begin(), contents.end(), second_version), contents.end());
  EXPECT_EQ(std::find(contents.begin(), contents.end(), "first version"), contents.end())
      << "the oldest went";
}

TEST_F(EarlierVersionsTest, NoneWithoutAnEarlierFileOrWithZeroKeptOrForAFailedSave) {
  ASSERT_EQ(SaveDocument(document, dir.File("New.lvk"), texts, prompt, 10), SaveStatus::Saved);
  EXPECT_FALSE(PathExists(dir.File("backup"))) << "a new file replaces nothing";

  ASSERT_EQ(SaveOver("New.lvk", 0), SaveStatus::Saved);
  EXPECT_FALSE(PathExists(dir.File("backup")));

  // A save that cannot write leaves the backups as they were.
  WriteTestFile(dir.File("Locked.lvk"), "kept");
  const testing::ReadOnlyFile locked(dir.File("Locked.lvk"));
  prompt.Then(Answer::Yes).Then(Answer::Ok);  // replace it; it cannot be written
  ASSERT_EQ(SaveDocument(document, dir.File("Locked.lvk"), texts, prompt, 10), SaveStatus::Failed);
  EXPECT_FALSE(PathExists(dir.File("backup")));
}

TEST_F(EarlierVersionsTest, ABackupOpenedAndSavedInPlaceIsNeverPruned) {
  ASSERT_TRUE(MakeFolder(dir.File("backup")));
  // Written now, long after the time in its name.
  WriteTestFile(dir.File("backup/Home 2020-01-01 10-00-00.lvk"), "restored and edited");
  WriteTestFile(dir.File("Home.lvk"), "first version");
  for (int save = 0; save < 3; ++save) ASSERT_EQ(SaveOver("Home.lvk", 1), SaveStatus::Saved);
  EXPECT_EQ(ReadWholeFile(dir.File("backup/Home 2020-01-01 10-00-00.lvk")), "restored and edited");
  EXPECT_EQ(Backups().size(), 2u) << "beside it, the newest backup only";
}

TEST_F(EarlierVersionsTest, ADocumentInABackupFolderKeepsItsBackupsThere) {
  ASSERT_TRUE(MakeFolder(dir.File("backup")));
  WriteTestFile(dir.File("backup/Home 2026-12-01 10-00-00.lvk"), "restored");
  ASSERT_EQ(SaveOver("backup/Home 2026-12-01 10-00-00.lvk", 10), SaveStatus::Saved);
  EXPECT_FALSE(PathExists(dir.File("backup/backup")));
  EXPECT_EQ(Backups().size(), 2u);
}

}  // namespace
}  // namespace lumvik
