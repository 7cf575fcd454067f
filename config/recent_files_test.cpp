#include "config/recent_files.h"

#include <gtest/gtest.h>

#include "config/settings.h"
#include "platform/file_io.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;
using Paths = std::vector<std::string>;

TEST(RecentFiles, SameFileWhateverTheCaseOfAsciiLettersAndTheSlashes) {
  EXPECT_TRUE(SameFilePath("C:\\Docs\\Plan.lvk", "c:/docs/PLAN.LVK"));
  EXPECT_FALSE(SameFilePath("C:\\\xC9t\xE9.lvk", "C:\\\xE9t\xE9.lvk")) << "only ASCII folds";
  EXPECT_FALSE(SameFilePath("C:\\a.lvk", "C:\\a.lvk "));
  EXPECT_FALSE(SameFilePath("C:\\a", "C:\\b"));
}

TEST(RecentFiles, RememberPutsThePathFirstOnceAndKeepsEight) {
  Paths list;
  Remember(list, "C:\\a.lvk");
  Remember(list, "C:\\b.lvk");
  EXPECT_EQ(list, (Paths{"C:\\b.lvk", "C:\\a.lvk"}));
  // The same file under another spelling moves up, as now spelt.
  Remember(list, "c:/A.LVK");
  EXPECT_EQ(list, (Paths{"c:/A.LVK", "C:\\b.lvk"}));
  Remember(list, "");
  EXPECT_EQ(list.size(), 2u);

  for (char name = '1'; name <= '8'; ++name) Remember(list, std::string("D:\\") + name);
  EXPECT_EQ(list, (Paths{"D:\\8", "D:\\7", "D:\\6", "D:\\5", "D:\\4", "D:\\3", "D:\\2", "D:\\1"}));
  Remember(list, "D:\\5");
  EXPECT_EQ(list.front(), "D:\\5");
  EXPECT_EQ(list.size(), 8u) << "a file already listed drops nothing else";
}

TEST(RecentFiles, ForgetTakesOutTheSameFile) {
  Paths list{"C:\\a.lvk", "C:\\b.lvk", "C:\\c.lvk"};
  Forget(list, "c:/B.lvk");
  EXPECT_EQ(list, (Paths{"C:\\a.lvk", "C:\\c.lvk"}));
  Forget(list, "C:\\d.lvk");
  Forget(list, "");
  EXPECT_EQ(list, (Paths{"C:\\a.lvk", "C:\\c.lvk"}));
}

TEST(RecentFiles, MenuTextNumbersTheEntryAndDoublesEveryAmpersand) {
  EXPECT_EQ(RecentFileMenuText(1, "C:\\a.lvk"), "&1 C:\\a.lvk");
  EXPECT_EQ(RecentFileMenuText(8, "C:\\R&D\\a&&b&.lvk"), "&8 C:\\R&&D\\a&&&&b&&.lvk");
}

TEST(RecentFiles, RoundTripThroughTheSettingsFile) {
  TempDir dir;
  EXPECT_EQ(ReadRecentFiles(dir.path()), Paths{}) << "no settings file yet";
  const Paths list{
      "C:\\my docs\\t\xE2"
      "che.lvk",
      "\\\\server\\share\\b.lvk", "D:\\c.lvk"};
  ASSERT_TRUE(WriteRecentFiles(dir.path(), list));
  EXPECT_EQ(ReadWholeFile(dir.File("Lumvik.ini")),
            "[RecentFiles]\r\nfile1 = C:\\my docs\\t\xE2"
            "che.lvk\r\nfile2 = \\\\server\\share\\b.lvk\r\nfile3 = D:\\c.lvk\r\n");
  EXPECT_EQ(ReadRecentFiles(dir.path()), list);
}

TEST(RecentFiles, WritingKeepsEveryOtherGroupAndKey) {
  TempDir dir;
  WriteTestFile(dir.File("Lumvik.ini"),
                "; mine\n[Application]\nlastfile=C:\\x.lvk\n[recentfiles]\nFILE1=old\nfile5=e\n"
                "extra=1\n[Image]\nskin=night\n");
  ASSERT_TRUE(WriteRecentFiles(dir.path(), {"C:\\a.lvk", "C:\\b.lvk"}));
  // The fifth entry is emptied rather than left to come back.
  EXPECT_EQ(ReadWholeFile(dir.File("Lumvik.ini")),
            "; mine\r\n[Application]\r\nlastfile = C:\\x.lvk\r\n[recentfiles]\r\n"
            "FILE1 = C:\\a.lvk\r\nfile5 = \r\nextra = 1\r\nfile2 = C:\\b.lvk\r\n"
            "[Image]\r\nskin = night\r\n");
  EXPECT_EQ(ReadRecentFiles(dir.path()), (Paths{"C:\\a.lvk", "C:\\b.lvk"}));

  ASSERT_TRUE(WriteLastFile(dir.path(), "C:\\y.lvk"));
  EXPECT_EQ(ReadRecentFiles(dir.path()), (Paths{"C:\\a.lvk", "C:\\b.lvk"}));
  ASSERT_TRUE(WriteRecentFiles(dir.path(), {}));
  EXPECT_EQ(ReadRecentFiles(dir.path()), Paths{});
}

TEST(RecentFiles, ReadingSkipsEmptyValuesAndRepeatsAndStopsAtTheEighth) {
  TempDir dir;
  WriteTestFile(dir.File("Lumvik.ini"),
                "[RecentFiles]\nfile1=C:\\a.lvk\nfile2=\nfile3= c:/A.LVK \nfile4=d\n"
                "file8=h\nfile9=i\n");
  EXPECT_EQ(ReadRecentFiles(dir.path()), (Paths{"C:\\a.lvk", "d", "h"}));
}

TEST(RecentFiles, NothingToWriteLeavesNoFileAndAReadOnlyFileStays) {
  TempDir dir;
  EXPECT_TRUE(WriteRecentFiles(dir.path(), {}));
  EXPECT_FALSE(PathExists(dir.File("Lumvik.ini")));

  const std::string path = dir.File("Lumvik.ini");
  WriteTestFile(path, "[RecentFiles]\r\nfile1 = old\r\n");
  testing::ReadOnlyFile read_only(path);
  EXPECT_FALSE(WriteRecentFiles(dir.path(), {"new"}));
  EXPECT_EQ(ReadWholeFile(path), "[RecentFiles]\r\nfile1 = old\r\n");
}

}  // namespace
}  // namespace lumvik
