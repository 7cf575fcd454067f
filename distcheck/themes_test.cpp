// The themes delivered beside the programs: each is a complete file in the layout Skinwright
// writes, and each is readable: every urgency row, and the progress label on both parts of the
// bar, keeps at least the 4.5 : 1 luminance contrast that small text needs; the five urgency
// levels can be told apart; the fonts are ones every Windows has and the label fits its picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_file.h"
#include "platform/file_io.h"
#include "theme/theme_file.h"

namespace lumvik {
namespace {

const std::string kDistFolder = LUMVIK_DIST_FOLDER;

constexpr std::string_view kThemeKeys[] = {
    "avancement_bgc", "avancement_fgc", "avancement_tc", "police",     "police_size",  "urg_1_bc",
    "urg_1_tc",       "urg_2_bc",       "urg_2_tc",      "urg_3_bc",   "urg_3_tc",     "urg_4_bc",
    "urg_4_tc",       "urg_5_bc",       "urg_5_tc",      "police_nom", "police_design"};

constexpr double kLegibleContrast = 4.5;
// Backgrounds closer than this (distance in red, green and blue) look alike on a tree row.
constexpr double kDistinctRows = 30;

std::vector<std::string> DeliveredThemes() {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(kDistFolder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().extension() == kThemeExtension) names.push_back(it->path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct Rgb {
  int red, green, blue;
};

// A colour value is red + 256 * green + 65536 * blue.
Rgb Components(std::int32_t colour) {
  return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}

double Linear(int component) {
  const double c = component / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::int32_t colour) {
  const Rgb rgb = Components(colour);
  return 0.2126 * Linear(rgb.red) + 0.7152 * Linear(rgb.green) + 0.0722 * Linear(rgb.blue);
}

double Contrast(std::int32_t a, std::int32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double Distance(std::int32_t a, std::int32_t b) {
  const Rgb x = Components(a), y = Components(b);
  return std::hypot(x.red - y.red, x.green - y.green, x.blue - y.blue);
}

struct Urgency {
  std::int32_t background, text;
};

std::vector<Urgency> UrgencyColours(const ThemeRecord& theme) {
  return {{theme.urg_1_bc, theme.urg_1_tc},
          {theme.urg_2_bc, theme.urg_2_tc},
          {theme.urg_3_bc, theme.urg_3_tc},
          {theme.urg_4_bc, theme.urg_4_tc},
          {theme.urg_5_bc, theme.urg_5_tc}};
}

ThemeRecord Delivered(const std::string& name) {
  ThemeRecord theme;
  theme.name = name;
  ReadThemeFile(kDistFolder, name, theme, IniReader::Lumvik);
  return theme;
}

TEST(ContrastTest, FollowsTheColourLayoutOfTheFiles) {
  EXPECT_DOUBLE_EQ(Contrast(0, 16777215), 21.0);
  EXPECT_DOUBLE_EQ(Contrast(12345, 12345), 1.0);
  EXPECT_NEAR(Contrast(255, 0), 5.25, 0.01);       // pure red
  EXPECT_NEAR(Contrast(16711680, 0), 2.44, 0.01);  // pure blue
  EXPECT_NEAR(Contrast(0x767676, 16777215), 4.54, 0.01);
}

TEST(DeliveredThemesTest, TheDefaultAndAtLeastThreeMoreAreDelivered) {
  const std::vector<std::string> names = DeliveredThemes();
  EXPECT_GE(names.size(), 4u);
  EXPECT_NE(std::find(names.begin(), names.end(), "strict"), names.end()) << kDistFolder;
}

TEST(DeliveredThemesTest, EachFileHoldsEveryKeyInTheWritersLayout) {
  for (const std::string& name : DeliveredThemes()) {
    SCOPED_TRACE(name);
    const std::string path = ThemeFileName(kDistFolder, name);
    const IniFile file = IniFile::Open(path, IniReader::Lumvik);
    for (std::string_view key : kThemeKeys) {
      EXPECT_TRUE(file.Find("Theme", key).has_value()) << key << " is missing";
    }
    // What Skinwright would write for the values read is the file, byte for byte: the group
    // line, the keys in its order, " = " and CR LF, and nothing else.
    IniFile rewritten = IniFile::Parse("", IniReader::Skinwright);
    WriteThemeKeys(rewritten, Delivered(name));
    EXPECT_EQ(rewritten.Serialize(), ReadWholeFile(path).value_or(""));
  }
}

TEST(DeliveredThemesTest, EveryUrgencyRowIsLegible) {
  for (const std::string& name : DeliveredThemes()) {
    const std::vector<Urgency> levels = UrgencyColours(Delivered(name));
    for (std::size_t level = 0; level < levels.size(); ++level) {
      EXPECT_GE(Contrast(levels[level].text, levels[level].background), kLegibleContrast)
          << name << ", urgency " << level + 1;
    }
  }
}

TEST(DeliveredThemesTest, TheFiveUrgencyLevelsLookDifferent) {
  for (const std::string& name : DeliveredThemes()) {
    const std::vector<Urgency> levels = UrgencyColours(Delivered(name));
    for (std::size_t a = 0; a < levels.size(); ++a) {
      for (std::size_t b = a + 1; b < levels.size(); ++b) {
        EXPECT_GE(Distance(levels[a].background, levels[b].background), kDistinctRows)
            << name << ", urgency " << a + 1 << " and " << b + 1;
      }
    }
  }
}

// The label is drawn across the filled and the empty part alike, and the bar must show how far
// the task is: two parts of one colour would hide it.
TEST(DeliveredThemesTest, TheProgressLabelIsLegibleOnBothPartsOfTheBar) {
  for (const std::string& name : DeliveredThemes()) {
    const ThemeRecord theme = Delivered(name);
    EXPECT_GE(Contrast(theme.avancement_tc, theme.avancement_fgc), kLegibleContrast) << name;
    EXPECT_GE(Contrast(theme.avancement_tc, theme.avancement_bgc), kLegibleContrast) << name;
    EXPECT_GE(Distance(theme.avancement_fgc, theme.avancement_bgc), kDistinctRows) << name;
  }
}

// A face that Windows lacks is replaced by whatever the font matching picks, and a label of more
// than 9 points no longer fits the 14-pixel progress picture.
TEST(DeliveredThemesTest, FontsComeWithWindowsAndTheLabelFitsItsPicture) {
  const std::set<std::string> windows_faces = {"Arial",
                                               "Tahoma",
                                               "Verdana",
                                               "Segoe UI",
                                               "Georgia",
                                               "Trebuchet MS",
                                               "Times New Roman",
                                               "Courier New",
                                               "Lucida Console",
                                               "MS Sans Serif",
                                               "Microsoft Sans Serif"};
  for (const std::string& name : DeliveredThemes()) {
    const ThemeRecord theme = Delivered(name);
    for (const std::string& face : {theme.police, theme.police_nom, theme.police_design}) {
      EXPECT_TRUE(windows_faces.count(face)) << name << ": " << face;
    }
    EXPECT_GE(theme.police_size, 6) << name;
    EXPECT_LE(theme.police_size, 9) << name;
  }
}

}  // namespace
}  // namespace lumvik
