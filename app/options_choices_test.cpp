#include "app/options_choices.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

using Names = std::vector<std::string>;

TEST(OptionsChoices, EntriesAreCapitalisedAndThemesNeedTheirSmallExtension) {
  EXPECT_EQ(SkinEntries({"deruv", "TRAIT", "\xE9t\xC9"}), (Names{"Deruv", "Trait", "\xC9t\xE9"}));
  EXPECT_EQ(ThemeEntries({"strict.lvs", "NUIT.lvs", "Old.LVS", "x.lvsx", "papier.Lvs", ".lvs"}),
            (Names{"Strict", "Nuit", ""}));
}

TEST(OptionsChoices, LanguageMatchesWithoutRegardToCaseOrNotAtAll) {
  const Names languages{"English", "Francais", "Espa\xF1ol"};
  EXPECT_EQ(SelectedLanguage(languages, "FRANCAIS"), 1u);
  EXPECT_EQ(SelectedLanguage(languages, "ESPA\xD1OL"), 2u);
  EXPECT_EQ(SelectedLanguage(languages, "deutsch"), std::nullopt);
  EXPECT_EQ(SelectedLanguage({}, ""), std::nullopt);
}

TEST(OptionsChoices, SkinInAnyCaseElseTheFirst) {
  const Names skins{"Deruv", "Trait"};
  EXPECT_EQ(SelectedSkin(skins, "trait"), 1u);
  EXPECT_EQ(SelectedSkin(skins, "Trait"), 1u) << "a stored name with capitals, typed by hand";
  EXPECT_EQ(SelectedSkin(skins, "TRAIT"), 1u);
  EXPECT_EQ(SelectedSkin(skins, "ocean"), 0u);
  EXPECT_EQ(SelectedSkin({}, "deruv"), std::nullopt);
}

TEST(OptionsChoices, ThemeInLowerCaseElseTheSameNameInAnyCase) {
  const Names themes{"Strict", "Nuit"};
  EXPECT_EQ(SelectedTheme(themes, "nuit"), 1u);
  EXPECT_EQ(SelectedTheme(themes, "NUIT"), 1u);
  EXPECT_EQ(SelectedTheme(themes, "ocean"), std::nullopt);
}

TEST(OptionsChoices, OkStoresTheSelectedEntryInLowerCase) {
  const Names themes{"Strict", "\xC9t\xE9"};
  EXPECT_EQ(StoredChoice(themes, 1), "\xE9t\xE9");
  EXPECT_EQ(StoredChoice(themes, std::nullopt), "");
  EXPECT_EQ(StoredChoice({}, 0), "");
}

}  // namespace
}  // namespace lumvik
