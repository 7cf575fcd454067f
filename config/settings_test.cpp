#include "config/settings.h"

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

// Reads the settings of a program folder whose language file gives text i of
// "francais" as "t" and i, for i up to 100.
class ReadSettingsTest : public ::testing::Test {
 protected:
  ReadSettingsTest() {
    std::string bytes = "0=before any group\n[francais]\n";
    for (int i = 0; i <= 100; ++i) bytes += std::to_string(i) + "=t" + std::to_string(i) + "\n";
    WriteTestFile(dir.File("Lumvik.lng.ini"), bytes);
  }

  void Read() { ReadSettings(dir.path(), settings, texts); }

  TempDir dir;
  Settings settings;
  TextTable texts{kLumvikTextCount};
};

TEST_F(ReadSettingsTest, ReadsEveryKeyWithItsDefault) {
  WriteTestFile(dir.File("Lumvik.ini"),
                "[application]\nDROITE = 0\nlastfile = C:\\a b\\x.lvk \nlangagenb=3\n"
                "[Image]\nSkin=night\n");
  texts.Set(4, "kept");
  Read();
  EXPECT_EQ(settings, (Settings{0, 1, 1, "C:\\a b\\x.lvk", "francais", "deruv", "night"}));
  EXPECT_EQ(texts[3], "t3");
  EXPECT_EQ(texts[4], "kept");
}

TEST_F(ReadSettingsTest, EarlierVersionsKeptAreTenUnlessTheBackupGroupSays) {
  Read();
  EXPECT_EQ(settings.backups, 10);
  WriteTestFile(dir.File("Lumvik.ini"), "[Application]\nbackups=3\n[Backup]\nbackups=0\n");
  Read();
  EXPECT_EQ(settings.backups, 0);
}

TEST_F(ReadSettingsTest, EmptyLanguageAndUnreadableCountLoadTextZeroOfTheTop) {
  WriteTestFile(dir.File("Lumvik.ini"), "[Application]\nlangage=\nlangagenb=abc\n");
  Read();
  EXPECT_EQ(settings.langage, "");
  EXPECT_EQ(texts[0], "before any group");
  EXPECT_EQ(texts[1], "");
}

TEST_F(ReadSettingsTest, WithoutTheFileTheDefaultsStillGiveWords) {
  Read();
  EXPECT_EQ(settings, (Settings{1, 1, 1, "", "francais", "deruv", "strict"}));
  EXPECT_EQ(texts[92], "t92");
  EXPECT_EQ(texts[93], "");

  const LanguageChoice skinwright = ReadSkinwrightLanguage(dir.path());
  EXPECT_EQ(skinwright.langage, "francais");
  EXPECT_EQ(skinwright.last_text, 92);
}

TEST_F(ReadSettingsTest, KeptOptionsStandOverTheFileWhichGivesTheRest) {
  WriteTestFile(dir.File("Lumvik.lng.ini"), "[english]\n1=New\n[francais]\n1=Nouveau\n");
  WriteTestFile(dir.File("Lumvik.ini"),
                "[Application]\ndroite=1\nlangage=english\nlastfile=C:\\x.lvk\n"
                "[Backup]\nbackups=3\n");
  const Settings chosen{0, 0, 0, "C:\\chosen.lvk", "francais", "trait", "nuit", 7};
  ReadSettingsKeepingOptions(dir.path(), chosen, settings, texts);
  EXPECT_EQ(settings, (Settings{0, 0, 0, "C:\\x.lvk", "francais", "trait", "nuit", 3}));
  EXPECT_EQ(texts[1], "Nouveau");

  ReadSettingsKeepingOptions(dir.path(), settings, settings, texts);
  EXPECT_EQ(settings.langage, "francais") << "the options may be the settings themselves";
}

TEST(Settings, WritersCreateTheFileInTheOrderWritten) {
  TempDir dir;
  const Settings settings{0, 1, 1, "ignored", "english", "deruv", "strict"};
  ASSERT_TRUE(WriteOptions(dir.path(), settings));
  EXPECT_EQ(ReadWholeFile(dir.File("Lumvik.ini")),
            "[Application]\r\ndroite = 0\r\ndemarrage = 1\r\nloadlastfile = 1\r\n"
            "langage = english\r\n[Icone]\r\nskin = deruv\r\n[Image]\r\nskin = strict\r\n");

  TempDir other;
  ASSERT_TRUE(WriteLastFile(other.path(),
                            "C:\\docs\\t\xE2"
                            "che.lvk"));
  EXPECT_EQ(ReadWholeFile(other.File("Lumvik.ini")),
            "[Application]\r\nlastfile = C:\\docs\\t\xE2"
            "che.lvk\r\n");
}

TEST(Settings, WritersKeepCommentsAndKeysTheyDoNotUse) {
  TempDir dir;
  WriteTestFile(dir.File("Lumvik.ini"),
                "; mine\n[APPLICATION]\nlangagenb=115\nLastFile=old\nDroite=1\nextra=x\n"
                "[Image]\nskin=strict\n");
  ASSERT_TRUE(WriteOptions(dir.path(), {1, 0, 0, "", "deutsch", "bleu", "night"}));
  ASSERT_TRUE(WriteLastFile(dir.path(), "new"));
  EXPECT_EQ(ReadWholeFile(dir.File("Lumvik.ini")),
            "; mine\r\n[APPLICATION]\r\nlangagenb = 115\r\nLastFile = new\r\nDroite = 1\r\n"
            "extra = x\r\ndemarrage = 0\r\nloadlastfile = 0\r\nlangage = deutsch\r\n"
            "[Image]\r\nskin = night\r\n[Icone]\r\nskin = bleu\r\n");
}

TEST(Settings, ReadOnlyFileIsLeftAsItIs) {
  TempDir dir;
  const std::string path = dir.File("Lumvik.ini");
  WriteTestFile(path, "[Application]\r\nlastfile = old\r\n");
  testing::ReadOnlyFile read_only(path);
  EXPECT_FALSE(WriteLastFile(dir.path(), "new"));
  EXPECT_FALSE(WriteOptions(dir.path(), {0, 0, 0, "", "english", "deruv", "strict"}));
  EXPECT_EQ(ReadWholeFile(path), "[Application]\r\nlastfile = old\r\n");
}

TEST_F(ReadSettingsTest, MarkedFileIsReadAndRewrittenAsUtf8) {
  WriteTestFile(dir.File("Lumvik.ini"),
                "\xEF\xBB\xBF[Application]\nlastfile=C:\\\xC3\xA9t\xC3\xA9.lvk\n");
  Read();
  EXPECT_EQ(settings.lastfile, "C:\\\xE9t\xE9.lvk");
  ASSERT_TRUE(WriteLastFile(dir.path(), "D:\\\xC0.lvk"));
  EXPECT_EQ(ReadWholeFile(dir.File("Lumvik.ini")),
            "\xEF\xBB\xBF[Application]\r\nlastfile = D:\\\xC3\x80.lvk\r\n");
}

TEST(Settings, SkinwrightKeepsTrailingBlanksAndDoesNotSeeAMark) {
  TempDir dir;
  WriteTestFile(dir.File("Lumvik.ini"), "[Application]\nlangage= english \nlangagenb=115\n");
  LanguageChoice choice = ReadSkinwrightLanguage(dir.path());
  EXPECT_EQ(choice.langage, "english ");
  EXPECT_EQ(choice.last_text, 115);

  WriteTestFile(dir.File("Lumvik.ini"), "\xEF\xBB\xBF[Application]\nlangage=english\n");
  choice = ReadSkinwrightLanguage(dir.path());
  EXPECT_EQ(choice.langage, "francais");
  EXPECT_EQ(choice.last_text, 92);
}

}  // namespace
}  // namespace lumvik
