#include "themeeditor/theme_list.h"

#include <gtest/gtest.h>

#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

TEST(ThemeNameOfFile, CapitalisesTheFirstLetterAndLowersTheRest) {
  EXPECT_EQ(ThemeNameOfFile("strict.lvs"), "Strict");
  EXPECT_EQ(ThemeNameOfFile("Blue.lvs"), "Blue");
  EXPECT_EQ(ThemeNameOfFile("OLD.lvs"), "Old");
  // Only A to Z are lowered: accented capitals stay.
  EXPECT_EQ(ThemeNameOfFile("\xC9T\xC9.lvs"), "\xC9t\xC9");
  // Small accented letters of the Western code page go up, y with
  // diaeresis to its capital at 159; the division sign has none.
  EXPECT_EQ(ThemeNameOfFile("\xE9t\xE9.lvs"), "\xC9t\xE9");
  EXPECT_EQ(ThemeNameOfFile("\xFF.lvs"), "\x9F");
  EXPECT_EQ(ThemeNameOfFile("\xF7x.lvs"), "\xF7x");
  EXPECT_EQ(ThemeNameOfFile("2Nuit.lvs"), "2nuit");
}

TEST(ThemeNameOfFile, TakesOnlyTheExtensionInSmallLetters) {
  EXPECT_FALSE(ThemeNameOfFile("dark.LVS"));
  EXPECT_FALSE(ThemeNameOfFile("dark.Lvs"));
  EXPECT_FALSE(ThemeNameOfFile("dark.lvsx"));
  EXPECT_FALSE(ThemeNameOfFile("lvs"));
  // A file named only by its extension is the theme without a name.
  EXPECT_EQ(ThemeNameOfFile(".lvs"), "");
}

TEST(ReadThemeList, ReadsEachListedFileInTheGivenOrder) {
  testing::TempDir folder;
  testing::WriteTestFile(folder.File("OLD.lvs"), "[Theme]\r\nurg_2_bc = 255\r\n");
  testing::WriteTestFile(folder.File("strict.lvs"), "[Theme]\r\npolice =  Verdana\r\n");
  const std::vector<ThemeRecord> themes =
      ReadThemeList(folder.path(), {"strict.lvs", "dark.LVS", "OLD.lvs", "gone.lvs"});
  ASSERT_EQ(themes.size(), 3u);
  EXPECT_EQ(themes[0].name, "Strict");
  // Skinwright's reader skips one blank after the equals sign only.
  EXPECT_EQ(themes[0].police, " Verdana");
  EXPECT_EQ(themes[1].name, "Old");
  EXPECT_EQ(themes[1].urg_2_bc, 255);
  // A listed file that cannot be read gives the defaults.
  EXPECT_EQ(themes[2].name, "Gone");
  EXPECT_EQ(themes[2].avancement_fgc, 16711680);
  EXPECT_EQ(themes[2].police_size, 8);
  for (const ThemeRecord& theme : themes) EXPECT_EQ(theme.modified, 0);
}

TEST(ChangeMark, IsAddedOnceAndRemovedWhole) {
  EXPECT_EQ(WithChangeMark("Strict"), "Strict *");
  EXPECT_EQ(WithChangeMark("Strict *"), "Strict *");
  EXPECT_EQ(WithChangeMark(""), " *");
  EXPECT_EQ(WithoutChangeMark("Strict *"), "Strict");
  EXPECT_EQ(WithoutChangeMark("Strict"), "Strict");
  EXPECT_EQ(WithoutChangeMark(" *"), "");
  // Any text ending with "*" is taken as marked, and a lone "*" as nothing.
  EXPECT_EQ(WithoutChangeMark("ab*"), "a");
  EXPECT_EQ(WithoutChangeMark("*"), "");
}

std::vector<ThemeRecord> Named(std::initializer_list<const char*> names) {
  std::vector<ThemeRecord> themes;
  for (const char* name : names) {
    themes.emplace_back();
    themes.back().name = name;
  }
  return themes;
}

TEST(FindCurrentTheme, MatchesTheSelectorTextWithoutItsMark) {
  const std::vector<ThemeRecord> themes = Named({"Strict", "Blue", "Old"});
  EXPECT_EQ(FindCurrentTheme(themes, "Blue"), 1u);
  EXPECT_EQ(FindCurrentTheme(themes, "Blue *"), 1u);
  EXPECT_EQ(FindCurrentTheme(themes, "Strict"), 0u);
}

TEST(FindCurrentTheme, FallsBackToTheLastThemeAndComparesLetterCase) {
  const std::vector<ThemeRecord> themes = Named({"Strict", "Blue", "Old"});
  EXPECT_EQ(FindCurrentTheme(themes, "Nowhere"), 2u);
  EXPECT_EQ(FindCurrentTheme(themes, "blue"), 2u);
  EXPECT_EQ(FindCurrentTheme(themes, ""), 2u);
}

TEST(FindCurrentTheme, TakesTheFirstOfTwoEqualNames) {
  const std::vector<ThemeRecord> themes = Named({"Night", "Blue", "Night"});
  EXPECT_EQ(FindCurrentTheme(themes, "Night"), 0u);
  EXPECT_EQ(FindCurrentTheme(Named({"Blue", ""}), " *"), 1u);
}

TEST(FindCurrentTheme, FindsNothingInAnEmptyList) {
  EXPECT_FALSE(FindCurrentTheme({}, "Strict"));
  EXPECT_FALSE(FindCurrentTheme({}, ""));
}

}  // namespace
}  // namespace lumvik
