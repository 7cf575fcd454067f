#include "config/ini_file.h"

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

IniFile Lumvik(std::string_view bytes) { return IniFile::Parse(bytes, IniReader::Lumvik); }
IniFile Skinwright(std::string_view bytes) { return IniFile::Parse(bytes, IniReader::Skinwright); }

TEST(IniFile, SplitsAtEveryLineEndAndTellsTheKindsOfLine) {
  const IniFile file = Lumvik("\t;  top \t\r[A]\nk=v\r\n\r\n  \t\r\n junk\r\n[B\n x [=1");
  EXPECT_EQ(file.lines(), (std::vector<IniLine>{{IniLineKind::Comment, "", "top"},
                                                {IniLineKind::Group, "A", ""},
                                                {IniLineKind::Entry, "k", "v"},
                                                {IniLineKind::Other, "", " junk"},
                                                {IniLineKind::Group, "B", ""},
                                                {IniLineKind::Entry, "x [", "1"}}));
}

TEST(IniFile, FindsTheFirstOccurrenceInTheFirstGroupOfThatName) {
  const IniFile file = Lumvik(
      "k=top\n[application]\nDROITE = 0\ndroite=1\nempty=\nword=abc\nbig=4294967297\n"
      "[Other]\nonly=here\n[APPLICATION]\nlate=1\n");
  EXPECT_EQ(file.ReadString("", "k", "-"), "top");
  EXPECT_EQ(file.ReadInt32("Application", "droite", 7), 0);
  EXPECT_EQ(file.ReadString("Application", "empty", "-"), "");
  EXPECT_EQ(file.ReadInt32("Application", "empty", 7), 0);
  EXPECT_EQ(file.ReadInt32("Application", "word", 7), 0);
  EXPECT_EQ(file.ReadInt32("Application", "big", 7), 1);
  EXPECT_EQ(file.ReadInt32("Application", "absent", 7), 7);
  EXPECT_EQ(file.ReadString("Application", "only", "-"), "-");
  EXPECT_EQ(file.ReadString("Application", "late", "-"), "-");
  EXPECT_EQ(file.ReadString("Missing", "k", "-"), "-");
  EXPECT_EQ(file.ReadString("", "droite", "-"), "-");
}

TEST(IniFile, ReadersDifferInTheBlanksAroundAValue) {
  const std::string bytes = "[F]\nfont=  Arial \t\ntab=\tx\nnone=\n";
  const IniFile lumvik = Lumvik(bytes);
  const IniFile skinwright = Skinwright(bytes);
  EXPECT_EQ(lumvik.ReadString("f", "font", "-"), "Arial");
  EXPECT_EQ(skinwright.ReadString("f", "font", "-"), " Arial \t");
  EXPECT_EQ(skinwright.ReadString("f", "tab", "-"), "x");
  EXPECT_EQ(skinwright.ReadString("f", "none", "-"), "");
  EXPECT_EQ(skinwright.Serialize(), "[F]\r\nfont =  Arial \t\r\ntab = x\r\nnone = \r\n");
  EXPECT_EQ(Skinwright(skinwright.Serialize()).lines(), skinwright.lines());
}

TEST(IniFile, RewriteKeepsWhatNobodyWroteAndPlacesNewKeys) {
  IniFile file = Lumvik(
      "top=1\n  ;  note \t\n[Application]\nother= x \nDROITE\t=\t1\n\nstray line\n"
      "[Icone]\n[application]\ndroite=5\n");
  file.Write("application", "droite", "0");
  file.Write("Application", "langage", "english");
  file.Write("Icone", "skin", "deruv");
  file.Write("Image", "skin", "night");
  file.Write("Image", "other", "y");
  file.Write("", "first", "z");
  EXPECT_EQ(file.Serialize(),
            "top = 1\r\nfirst = z\r\n; note\r\n[Application]\r\nother = x\r\nDROITE = 0\r\n"
            "langage = english\r\nstray line\r\n[Icone]\r\nskin = deruv\r\n[application]\r\n"
            "droite = 5\r\n[Image]\r\nskin = night\r\nother = y\r\n");
}

TEST(IniFile, AKeyBeforeAnyGroupGoesToTheTopOfTheFile) {
  IniFile file = Lumvik("; about\n[A]\n");
  file.Write("", "k", "v");
  EXPECT_EQ(file.Serialize(), "k = v\r\n; about\r\n[A]\r\n");
}

TEST(IniFile, LumvikReadsAMarkedFileAsUtf8AndKeepsTheMark) {
  IniFile file = Lumvik(
      "\xEF\xBB\xBF[Fran\xC3\xA7"
      "ais]\n\xC3\xA9t\xC3\xA9=\xC3\xA0 \xE2\x86\x92 b\n");
  EXPECT_EQ(file.ReadString("FRAN\xC7"
                            "AIS",
                            "\xC9T\xC9", "-"),
            "\xE0 ? b");  // the arrow is not in the code page
  const std::string untouched = file.Serialize();
  EXPECT_EQ(untouched,
            "\xEF\xBB\xBF[Fran\xC3\xA7"
            "ais]\r\n\xC3\xA9t\xC3\xA9 = \xC3\xA0 \xE2\x86\x92 b\r\n");
  file.Write(
      "fran\xE7"
      "ais",
      "nom", "\xC9t\xE9");
  EXPECT_EQ(file.Serialize(), untouched + "nom = \xC3\x89t\xC3\xA9\r\n");
}

TEST(IniFile, SkinwrightTakesTheMarkForPartOfTheFirstLine) {
  const IniFile file = Skinwright("\xEF\xBB\xBF[Application]\nlangage=english\n");
  EXPECT_EQ(file.ReadString("Application", "langage", "-"), "-");
  EXPECT_EQ(file.ReadString("", "langage", "-"), "english");
  EXPECT_EQ(file.Serialize(), "\xEF\xBB\xBF[Application]\r\nlangage = english\r\n");
}

TEST(IniFile, ARewriteReadsAsTheLinesItWasMadeFrom) {
  // A value cannot carry lines of its own into the file.
  IniFile file = Lumvik("[A]\nk=1\n");
  file.Write("A", "k", "x\r\n[Image]\nskin=evil");
  EXPECT_EQ(file.Serialize(), "[A]\r\nk = x\r\n");
  // Without its empty first line the file would start with the mark and read as UTF-8.
  const IniFile moved = Lumvik("\n\xEF\xBB\xBFk=\xC3\xA9\n");
  EXPECT_EQ(moved.Serialize(), "\r\n\xEF\xBB\xBFk = \xC3\xA9\r\n");
  EXPECT_EQ(Lumvik(moved.Serialize()).lines(), moved.lines());
}

TEST(IniFile, SavesOnlyWhatWasWritten) {
  TempDir dir;
  const std::string path = dir.File("a b \xE9.ini");
  EXPECT_TRUE(IniFile::Open(path, IniReader::Lumvik).Save());
  EXPECT_FALSE(PathExists(path));

  IniFile created = IniFile::Open(path, IniReader::Lumvik);
  EXPECT_TRUE(created.lines().empty());
  created.Write("A", "k", "1");
  ASSERT_TRUE(created.Save());
  EXPECT_EQ(ReadWholeFile(path), "[A]\r\nk = 1\r\n");

  WriteTestFile(path, "[A]\rk=1\rj=2");  // CR-only lines, no final line end
  IniFile existing = IniFile::Open(path, IniReader::Lumvik);
  existing.Write("a", "J", "3");
  ASSERT_TRUE(existing.Save());
  EXPECT_EQ(ReadWholeFile(path), "[A]\r\nk = 1\r\nj = 3\r\n");

  const char separator = dir.path().back();
  IniFile nowhere = IniFile::Open(dir.File("no folder") + separator + "x.ini", IniReader::Lumvik);
  nowhere.Write("A", "k", "1");
  EXPECT_FALSE(nowhere.Save());
}

}  // namespace
}  // namespace lumvik
