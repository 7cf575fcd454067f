#include "document/backup_names.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

const LocalDateTime kWhen{2026, 12, 8, 14, 5, 9};

TEST(BackupNames, TheFolderBesideTheDocumentOrTheBackupFolderItLiesIn) {
  EXPECT_EQ(BackupFolder("C:\\Lists\\Home.lvk"), "C:\\Lists\\backup");
  EXPECT_EQ(BackupFolder("/lists/Home.lvk"), "/lists/backup");
  EXPECT_EQ(BackupFolder("C:\\Lists\\backup\\Home 2026-12-08 14-05-09.lvk"), "C:\\Lists\\backup");
  EXPECT_EQ(BackupFolder("C:\\Lists\\BackUp\\Home.lvk"), "C:\\Lists\\BackUp");
  EXPECT_EQ(BackupFolder("C:\\my backup\\Home.lvk"), "C:\\my backup\\backup");
  EXPECT_EQ(BackupFolder("Home.lvk"), "backup");
}

TEST(BackupNames, NameTimeAndTheNumberOfATakenName) {
  EXPECT_EQ(BackupFileName("C:\\Lists\\Home.lvk", kWhen), "Home 2026-12-08 14-05-09.lvk");
  EXPECT_EQ(BackupFileName("C:\\Lists\\Home.LVK", kWhen, 2), "Home 2026-12-08 14-05-09 (2).lvk");
  EXPECT_EQ(BackupFileName("/a/notes.txt", LocalDateTime{2027, 1, 2, 3, 4, 5}, 3),
            "notes.txt 2027-01-02 03-04-05 (3).lvk");

  const auto time = BackupTime("home 2026-12-08 14-05-09 (2).LVK", "C:\\Lists\\Home.lvk");
  ASSERT_TRUE(time.has_value());
  EXPECT_EQ(BackupFileName("Home.lvk", *time), "Home 2026-12-08 14-05-09.lvk");
  EXPECT_FALSE(BackupTime("Homework 2026-12-08 14-05-09.lvk", "C:\\Lists\\Home.lvk"));
}

TEST(BackupNames, TheOldestBackupsOfThisDocumentGoAndNothingElse) {
  const std::vector<std::string> folder = {
      "Home 2026-12-08 14-05-09 (2).lvk",
      "Home 2026-12-08 14-05-09.lvk",
      "home 2025-01-01 00-00-00.LVK",  // the same document, another letter case
      "Home 2026-12-07 09-00-00.lvk",
      "Home 2026-12-08 14-05-09 (10).lvk",
      "Homework 2020-01-01 00-00-00.lvk",                  // another document
      "Home 2026-12-08 14-05-09 2026-12-09 10-00-00.lvk",  // a backup's backup
      "Home 2026-13-xx 00-00-00.lvk",                      // not a time
      "Home 2026-12-08 14-05-09 (x).lvk",
      "Home.lvk",
      "readme.txt",
  };
  EXPECT_EQ(
      BackupsBeyond(folder, "C:\\Lists\\Home.lvk", 2),
      (std::vector<std::string>{"home 2025-01-01 00-00-00.LVK", "Home 2026-12-07 09-00-00.lvk",
                                "Home 2026-12-08 14-05-09.lvk"}));
  EXPECT_TRUE(BackupsBeyond(folder, "C:\\Lists\\Home.lvk", 10).empty());
  EXPECT_EQ(BackupsBeyond(folder, "C:\\Lists\\Home.lvk", 0).size(), 5u);
  EXPECT_EQ(BackupsBeyond(folder, "C:\\Lists\\backup\\Home 2026-12-08 14-05-09.lvk", 0),
            (std::vector<std::string>{"Home 2026-12-08 14-05-09 2026-12-09 10-00-00.lvk"}));
}

}  // namespace
}  // namespace lumvik
