#include "config/language_file.h"

#include <gtest/gtest.h>

#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

// A table whose every entry says "old", to show which ones a load reached.
TextTable OldTexts(std::size_t size) {
  TextTable texts(size);
  for (std::size_t i = 0; i < size; ++i) texts.Set(static_cast<int>(i), "old");
  return texts;
}

TEST(LanguageFile, MissingFileOrGroupAndOddKeys) {
  TempDir dir;
  TextTable texts = OldTexts(kLumvikTextCount);
  LoadTexts(dir.path(), "francais", 92, texts, IniReader::Lumvik);
  EXPECT_EQ(texts[0], "old");

  WriteTestFile(dir.File("Lumvik.lng.ini"),
                "[Francais]\n0 = zero \n07=seven?\n 8 =eight\n[english]\n");
  LoadTexts(dir.path(), "english", 2, texts, IniReader::Lumvik);
  EXPECT_EQ(texts[0], "");
  EXPECT_EQ(texts[2], "");
  EXPECT_EQ(texts[3], "old");

  LoadTexts(dir.path(), "FRANCAIS", 92, texts, IniReader::Lumvik);
  EXPECT_EQ(texts[0], "zero");
  EXPECT_EQ(texts[7], "");
  EXPECT_EQ(texts[8], "eight");
}

TEST(LanguageFile, AReloadChangesOnlyTheTextsItReaches) {
  TempDir dir;
  WriteTestFile(dir.File("Lumvik.lng.ini"), "[a]\n0=a0\n3=a3\n4=a4\n[b]\n0=b0\n4=b4\n");
  TextTable texts(kLumvikTextCount);
  LoadTexts(dir.path(), "a", 92, texts, IniReader::Lumvik);
  LoadTexts(dir.path(), "b", 3, texts, IniReader::Lumvik);
  EXPECT_EQ(texts[0], "b0");
  EXPECT_EQ(texts[3], "");
  EXPECT_EQ(texts[4], "a4");
  LoadTexts(dir.path(), "b", -1, texts, IniReader::Lumvik);
  EXPECT_EQ(texts[0], "b0");
}

TEST(LanguageFile, TheCountGovernsTextsUpTo150AndTheAddedOnesAlwaysLoad) {
  TempDir dir;
  std::string bytes = "[francais]\n";
  for (int i = 0; i <= kLastLumvikText; ++i)
    bytes += std::to_string(i) + "= t" + std::to_string(i) + " \n";
  WriteTestFile(dir.File("Lumvik.lng.ini"), bytes);

  TextTable lumvik = OldTexts(kLumvikTextCount);
  LoadTexts(dir.path(), "francais", 2, lumvik, IniReader::Lumvik);
  EXPECT_EQ(lumvik[2], "t2");
  EXPECT_EQ(lumvik[3], "old");
  EXPECT_EQ(lumvik[150], "old");
  EXPECT_EQ(lumvik[kFirstAddedText], "t151");
  EXPECT_EQ(lumvik[kLastLumvikText], "t" + std::to_string(kLastLumvikText));
  LoadTexts(dir.path(), "francais", 2147483647, lumvik, IniReader::Lumvik);
  EXPECT_EQ(lumvik[150], "t150");
  EXPECT_EQ(lumvik.size(), kLumvikTextCount);

  // Without a settings file the count is 0, and still the added texts load.
  TextTable skinwright = OldTexts(kSkinwrightTextCount);
  LoadTexts(dir.path(), "francais", 0, skinwright, IniReader::Skinwright);
  EXPECT_EQ(skinwright[1], "old");
  EXPECT_EQ(skinwright[200], "t200 ");
  EXPECT_EQ(skinwright.size(), kSkinwrightTextCount);
}

TEST(LanguageFile, ListsEveryLineThatStartsWithABracket) {
  TempDir dir;
  WriteTestFile(dir.File("Lumvik.lng.ini"),
                "0=x\n[ENGLISH]\n1=a\n[francais]\r\n[deutsch] \n [indented]\n[\xC9T\xC9]\n[\n");
  EXPECT_EQ(ListLanguages(dir.path()),
            (std::vector<std::string>{"English", "Francais", "Deutsch]", "\xC9t\xE9", ""}));

  WriteTestFile(dir.File("Lumvik.lng.ini"),
                "\xEF\xBB\xBF[fran\xC3\xA7"
                "ais]\n[\xE2\x82\xAC]\n");
  EXPECT_EQ(ListLanguages(dir.path()), (std::vector<std::string>{"Fran\xE7"
                                                                 "ais",
                                                                 "\x80"}));

  TempDir empty;
  EXPECT_TRUE(ListLanguages(empty.path()).empty());
}

}  // namespace
}  // namespace lumvik
