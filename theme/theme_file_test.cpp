#include "theme/theme_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_io.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

ThemeRecord Night() {
  return {.name = "night",
          .avancement_fgc = 255,
          .avancement_bgc = -1,
          .avancement_tc = 16777215,
          .police = "Verdana",
          .police_size = 10,
          .police_nom = "Tahoma",
          .police_design = "Courier New",
          .urg_1_bc = 1,
          .urg_1_tc = 2,
          .urg_2_bc = 3,
          .urg_2_tc = 4,
          .urg_3_bc = 5,
          .urg_3_tc = 6,
          .urg_4_bc = 7,
          .urg_4_tc = 8,
          .urg_5_bc = 9,
          .urg_5_tc = 10};
}

// The seventeen lines of Night() as every writer stores them.
constexpr std::string_view kNightKeys =
    "avancement_bgc = -1\r\navancement_fgc = 255\r\navancement_tc = 16777215\r\n"
    "police = Verdana\r\npolice_size = 10\r\nurg_1_bc = 1\r\nurg_1_tc = 2\r\nurg_2_bc = 3\r\n"
    "urg_2_tc = 4\r\nurg_3_bc = 5\r\nurg_3_tc = 6\r\nurg_4_bc = 7\r\nurg_4_tc = 8\r\n"
    "urg_5_bc = 9\r\nurg_5_tc = 10\r\npolice_nom = Tahoma\r\npolice_design = Courier New\r\n";

TEST(ThemeFile, MissingFileGivesTheDefaults) {
  TempDir dir;
  ThemeRecord theme = Night();
  ReadThemeFile(dir.path(), "none", theme, IniReader::Lumvik);
  ThemeRecord expected;
  expected.name = "night";
  expected.avancement_fgc = 16711680;
  expected.avancement_tc = 16777215;
  expected.police = expected.police_nom = expected.police_design = "Arial";
  expected.police_size = 8;
  EXPECT_EQ(theme, expected);
  EXPECT_EQ(ThemeFileName(dir.path(), "night"), dir.path() + "night.lvs");
}

TEST(ThemeFile, CapitalsAndUnreadableValues) {
  TempDir dir;
  WriteTestFile(dir.File("x.lvs"),
                "[THEME]\nPOLICE = Verdana\nAvancement_FGC=255\nurg_1_bc=abc\nurg_1_tc=\n"
                "urg_2_bc=4294967297\n[Other]\nurg_2_tc=5\n");
  ThemeRecord theme;
  ReadThemeFile(dir.path(), "x", theme, IniReader::Lumvik);
  EXPECT_EQ(theme.police, "Verdana");
  EXPECT_EQ(theme.avancement_fgc, 255);
  EXPECT_EQ(theme.urg_1_bc, 0);
  EXPECT_EQ(theme.urg_1_tc, 0);
  EXPECT_EQ(theme.urg_2_bc, 1);
  EXPECT_EQ(theme.urg_2_tc, 0);
  EXPECT_EQ(theme.avancement_tc, 16777215);
  EXPECT_EQ(theme.police_nom, "Arial");
}

TEST(ThemeFile, WriteKeepsTheRestOfTheFileAndRepeatsItself) {
  // Skinwright writes themes, so a key nobody uses keeps its trailing blanks.
  TempDir dir;
  WriteTestFile(
      dir.File("night.lvs"),
      "; my colours\r\n\r\n[theme]\r\nPOLICE=Arial\r\nnote= mine \t\r\navancement_bgc=0\r\n\r\n"
      "; the end\r\n[Extra]\r\nurg_1_bc=77\r\n");
  const std::string expected =
      "; my colours\r\n[theme]\r\nPOLICE = Verdana\r\nnote = mine \t\r\navancement_bgc = -1\r\n"
      "avancement_fgc = 255\r\navancement_tc = 16777215\r\npolice_size = 10\r\nurg_1_bc = 1\r\n"
      "urg_1_tc = 2\r\nurg_2_bc = 3\r\nurg_2_tc = 4\r\nurg_3_bc = 5\r\nurg_3_tc = 6\r\n"
      "urg_4_bc = 7\r\nurg_4_tc = 8\r\nurg_5_bc = 9\r\nurg_5_tc = 10\r\npolice_nom = Tahoma\r\n"
      "police_design = Courier New\r\n; the end\r\n[Extra]\r\nurg_1_bc = 77\r\n";
  ASSERT_TRUE(WriteThemeFile(dir.path(), Night()));
  EXPECT_EQ(ReadWholeFile(dir.File("night.lvs")), expected);
  ASSERT_TRUE(WriteThemeFile(dir.path(), Night()));
  EXPECT_EQ(ReadWholeFile(dir.File("night.lvs")), expected);
}

TEST(ThemeFile, BothReadersGetBackWhatWasWritten) {
  TempDir dir;
  ASSERT_TRUE(WriteThemeFile(dir.path(), Night()));
  EXPECT_EQ(ReadWholeFile(dir.File("night.lvs")), "[Theme]\r\n" + std::string(kNightKeys));
  for (const IniReader reader : {IniReader::Lumvik, IniReader::Skinwright}) {
    ThemeRecord theme;
    theme.name = "night";
    ReadThemeFile(dir.path(), "night", theme, reader);
    EXPECT_EQ(theme, Night());
  }
  // Skinwright keeps a blank at the end of a font name, Lumvik does not.
  ThemeRecord padded = Night();
  padded.police = "Verdana ";
  ASSERT_TRUE(WriteThemeFile(dir.path(), padded));
  ThemeRecord theme;
  ReadThemeFile(dir.path(), "night", theme, IniReader::Skinwright);
  EXPECT_EQ(theme.police, "Verdana ");
  ReadThemeFile(dir.path(), "night", theme, IniReader::Lumvik);
  EXPECT_EQ(theme.police, "Verdana");
}

TEST(ThemeFile, FailedWriteLeavesEverythingAsItWas) {
  TempDir dir;
  const char separator = dir.path().back();
  EXPECT_FALSE(WriteThemeFile(dir.File("missing") + separator, Night()));

  // A folder under the theme file's name cannot be replaced by the file.
  TempDir folder;
  const std::string night_folder = folder.File("night.lvs");
  const std::string inside = night_folder + separator + "inside";
  ASSERT_TRUE(std::filesystem::create_directory(night_folder));
  WriteTestFile(inside, "mine");
  EXPECT_FALSE(WriteThemeFile(folder.path(), Night()));
  EXPECT_TRUE(IsDirectory(night_folder));
  EXPECT_EQ(ReadWholeFile(inside), "mine");
}

}  // namespace
}  // namespace lumvik
