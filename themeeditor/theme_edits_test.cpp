#include "themeeditor/theme_edits.h"

#include <gtest/gtest.h>

#include <set>

#include "themeeditor/editor_ids.h"

namespace lumvik {
namespace {

TEST(ColourFieldOf, MapsEveryColourButtonToItsOwnField) {
  ThemeRecord theme;
  std::set<std::int32_t*> fields;
  for (int button = kFirstColourButton; button <= kLastColourButton; ++button) {
    const ColourField field = ColourFieldOf(button);
    ASSERT_NE(field, nullptr) << button;
    fields.insert(&(theme.*field));
  }
  EXPECT_EQ(fields.size(), 13u);
  EXPECT_EQ(ColourFieldOf(10), &ThemeRecord::avancement_bgc);
  EXPECT_EQ(ColourFieldOf(11), &ThemeRecord::avancement_fgc);
  EXPECT_EQ(ColourFieldOf(12), &ThemeRecord::avancement_tc);
  EXPECT_EQ(ColourFieldOf(13), &ThemeRecord::urg_1_bc);
  EXPECT_EQ(ColourFieldOf(14), &ThemeRecord::urg_1_tc);
  EXPECT_EQ(ColourFieldOf(19), &ThemeRecord::urg_4_bc);
  EXPECT_EQ(ColourFieldOf(22), &ThemeRecord::urg_5_tc);
  EXPECT_EQ(ColourFieldOf(9), nullptr);
  EXPECT_EQ(ColourFieldOf(23), nullptr);
  EXPECT_EQ(ColourFieldOf(kLabelFontButton), nullptr);
}

TEST(LabelFontCaption, ShowsFaceAndPoints) {
  ThemeRecord theme;
  theme.police = "Arial";
  theme.police_size = 8;
  EXPECT_EQ(LabelFontCaption(theme), "Arial , 8");
  theme.police = "";
  theme.police_size = -12;
  EXPECT_EQ(LabelFontCaption(theme), " , -12");
}

TEST(NewThemeRecord, IsBlackArialAtEightAndChanged) {
  const ThemeRecord theme = NewThemeRecord("night");
  ThemeRecord expected;
  expected.name = "night";
  expected.police = "Arial";
  expected.police_size = 8;
  expected.modified = 1;
  EXPECT_EQ(theme, expected);
  EXPECT_EQ(theme.police_nom, "");
  EXPECT_EQ(theme.avancement_fgc, 0);
}

TEST(SafeThemeName, KeepsOrdinaryNamesAsTyped) {
  EXPECT_EQ(SafeThemeName("night"), "night");
  EXPECT_EQ(SafeThemeName(""), "");
  EXPECT_EQ(SafeThemeName("Nuit d'\xE9t\xE9 2"), "Nuit d'\xE9t\xE9 2");
  EXPECT_EQ(SafeThemeName("console"), "console");
  EXPECT_EQ(SafeThemeName("COM10"), "COM10");
}

TEST(SafeThemeName, KeepsTheFileInsideTheProgramFolder) {
  EXPECT_EQ(SafeThemeName("..\\..\\Windows\\evil"), ".._.._Windows_evil");
  EXPECT_EQ(SafeThemeName("../up"), ".._up");
  EXPECT_EQ(SafeThemeName("C:\\x"), "C__x");
  EXPECT_EQ(SafeThemeName("a<b>c|d\"e?f"), "a_b_c_d_e_f");
  EXPECT_EQ(SafeThemeName(std::string("tab\there", 8)), "tab_here");
  // A name ending with the mark's star would lose two characters when the
  // selector's text is looked up.
  EXPECT_EQ(SafeThemeName("best*"), "best_");
}

TEST(SafeThemeName, MovesDeviceNamesAside) {
  EXPECT_EQ(SafeThemeName("CON"), "_CON");
  EXPECT_EQ(SafeThemeName("nul"), "_nul");
  EXPECT_EQ(SafeThemeName("Aux.old"), "_Aux.old");
  EXPECT_EQ(SafeThemeName("com1"), "_com1");
  EXPECT_EQ(SafeThemeName("LPT9"), "_LPT9");
  EXPECT_EQ(SafeThemeName("LPT0"), "LPT0");
}

TEST(UrgencyPageTitle, DropsTheLastTwoCharacters) {
  EXPECT_EQ(UrgencyPageTitle("Urgency :"), "Urgency");
  EXPECT_EQ(UrgencyPageTitle("Urgence\t "), "Urgence");
  EXPECT_EQ(UrgencyPageTitle("U"), "");
  EXPECT_EQ(UrgencyPageTitle(""), "");
}

TEST(WholePoints, DropsTheTenths) {
  EXPECT_EQ(WholePoints(100), 10);
  EXPECT_EQ(WholePoints(105), 10);
  EXPECT_EQ(WholePoints(99), 9);
  EXPECT_EQ(WholePoints(0), 0);
}

TEST(ExitQuestion, PutsTheNameDirectlyAfterTheStart) {
  EXPECT_EQ(ExitQuestion("Save the changes to the theme\xA0", "Night"),
            "Save the changes to the theme\xA0Night ?");
  EXPECT_EQ(ExitQuestion("", ""), " ?");
}

}  // namespace
}  // namespace lumvik
