#include "config/registry_plan.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

constexpr auto HKCR = RegistryRoot::ClassesRoot;
constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr auto HKLM = RegistryRoot::LocalMachine;

const std::string kProgram = "C:\\Program Files\\L\xE9o\\Lumvik.exe";
const std::string kCommand = "\"C:\\Program Files\\L\xE9o\\Lumvik.exe\" \"%1\"";
const std::string kFileExts =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.lvk";

TEST(LumvikAssociationTest, NamesTheExtensionClassIconAndVerbsOfThisProgram) {
  const FileAssociation a = LumvikAssociation(kProgram);
  EXPECT_EQ(a.extension, "lvk");
  EXPECT_EQ(a.description, "Lumvik File");
  EXPECT_EQ(a.program_path, kProgram);
  EXPECT_EQ(a.icon, kProgram + ",0");
  EXPECT_EQ(a.application_key, "lumvik.exe");
  EXPECT_EQ(a.verb, "open");
  EXPECT_EQ(a.verb_key, "open %1");
  EXPECT_EQ(OpenCommand(kProgram), kCommand);
}

TEST(AssociationRowsTest, NtWritesTheApplicationTheClassWithItsVerbAndIconThenFileExts) {
  const std::vector<RegistryValueRow> expected = {
      {HKCR, "Applications\\lumvik.exe\\shell\\open\\command", "", kCommand},
      {HKCR, ".lvk", "", "lvk_auto_file"},
      {HKCR, "lvk_auto_file", "", "Lumvik File"},
      {HKCR, "lvk_auto_file\\shell\\open\\command", "", kCommand},
      {HKCR, "lvk_auto_file\\DefaultIcon", "", kProgram + ",0"},
      {HKCU, kFileExts, "Application", "lumvik.exe"},
  };
  EXPECT_EQ(AssociationRows(RegistryLayout::Nt, LumvikAssociation(kProgram)), expected);
}

TEST(AssociationRowsTest, NtWithoutDescriptionWritesNoClassAndWithoutIconNoIcon) {
  FileAssociation a = LumvikAssociation(kProgram);
  a.icon.clear();
  const std::vector<RegistryValueRow> without_icon = {
      {HKCR, "Applications\\lumvik.exe\\shell\\open\\command", "", kCommand},
      {HKCR, ".lvk", "", "lvk_auto_file"},
      {HKCR, "lvk_auto_file", "", "Lumvik File"},
      {HKCR, "lvk_auto_file\\shell\\open\\command", "", kCommand},
      {HKCU, kFileExts, "Application", "lumvik.exe"},
  };
  EXPECT_EQ(AssociationRows(RegistryLayout::Nt, a), without_icon);

  a = LumvikAssociation(kProgram);
  a.description.clear();
  const std::vector<RegistryValueRow> without_description = {
      {HKCR, "Applications\\lumvik.exe\\shell\\open\\command", "", kCommand},
      {HKCU, kFileExts, "Application", "lumvik.exe"},
  };
  EXPECT_EQ(AssociationRows(RegistryLayout::Nt, a), without_description);
}

TEST(AssociationRowsTest, Win9xWritesTheClassUnderTheMachineWithTheVerbKeyAsTheShellKey) {
  const std::vector<RegistryValueRow> expected = {
      {HKLM, "Software\\Classes\\.lvk", "", "lumvik.exe"},
      {HKLM, "Software\\Classes\\lumvik.exe", "", "Lumvik File"},
      {HKLM, "Software\\Classes\\lumvik.exe\\DefaultIcon", "", kProgram + ",0"},
      {HKLM, "Software\\Classes\\lumvik.exe\\shell\\open %1", "", "open"},
      {HKLM, "Software\\Classes\\lumvik.exe\\shell\\open %1\\command", "", kCommand},
  };
  EXPECT_EQ(AssociationRows(RegistryLayout::Win9x, LumvikAssociation(kProgram)), expected);
}

TEST(AssociationRowsTest, Win9xLeavesOutEachOptionalRowOnItsOwnCondition) {
  FileAssociation a = LumvikAssociation(kProgram);
  a.description.clear();
  a.verb_key = "open";
  const std::vector<RegistryValueRow> with_icon = {
      {HKLM, "Software\\Classes\\.lvk", "", "lumvik.exe"},
      {HKLM, "Software\\Classes\\lumvik.exe\\DefaultIcon", "", kProgram + ",0"},
      {HKLM, "Software\\Classes\\lumvik.exe\\shell\\open\\command", "", kCommand},
  };
  EXPECT_EQ(AssociationRows(RegistryLayout::Win9x, a), with_icon);

  a = LumvikAssociation(kProgram);
  a.icon.clear();
  const std::vector<RegistryValueRow> with_description = {
      {HKLM, "Software\\Classes\\.lvk", "", "lumvik.exe"},
      {HKLM, "Software\\Classes\\lumvik.exe", "", "Lumvik File"},
      {HKLM, "Software\\Classes\\lumvik.exe\\shell\\open %1", "", "open"},
      {HKLM, "Software\\Classes\\lumvik.exe\\shell\\open %1\\command", "", kCommand},
  };
  EXPECT_EQ(AssociationRows(RegistryLayout::Win9x, a), with_description);
}

TEST(AssociationTreesTest, RemovalDeletesWhatEitherLayoutWrote) {
  const std::vector<RegistryKeyPath> nt = {{HKCR, "Applications\\lumvik.exe"},
                                           {HKCR, ".lvk"},
                                           {HKCR, "lvk_auto_file"},
                                           {HKCU, kFileExts}};
  EXPECT_EQ(AssociationTrees(RegistryLayout::Nt, "lvk", "lumvik.exe"), nt);
  const std::vector<RegistryKeyPath> win9x = {{HKLM, "Software\\Classes\\.lvk"},
                                              {HKLM, "Software\\Classes\\lumvik.exe"}};
  EXPECT_EQ(AssociationTrees(RegistryLayout::Win9x, "lvk", "lumvik.exe"), win9x);
}

TEST(ForCurrentUserTest, MovesClassesAndMachineKeysUnderTheUserAndKeepsTheUsersOwn) {
  EXPECT_EQ(ForCurrentUser(RegistryKeyPath{HKCR, "lvk_auto_file\\DefaultIcon"}),
            (RegistryKeyPath{HKCU, "Software\\Classes\\lvk_auto_file\\DefaultIcon"}));
  EXPECT_EQ(ForCurrentUser(RegistryKeyPath{HKLM, "SOFTWARE\\classes\\.lvk"}),
            (RegistryKeyPath{HKCU, "Software\\Classes\\.lvk"}));
  EXPECT_EQ(ForCurrentUser(RegistryKeyPath{HKLM, std::string(kRunKey)}),
            (RegistryKeyPath{HKCU, std::string(kRunKey)}));
  EXPECT_EQ(ForCurrentUser(RegistryKeyPath{HKLM, "Software\\ClassesX"}),
            (RegistryKeyPath{HKCU, "Software\\ClassesX"}));
  EXPECT_EQ(ForCurrentUser(RegistryKeyPath{HKCU, kFileExts}), (RegistryKeyPath{HKCU, kFileExts}));

  EXPECT_EQ(ForCurrentUser(RegistryValueRow{HKCR, ".lvk", "", "lvk_auto_file"}),
            (RegistryValueRow{HKCU, "Software\\Classes\\.lvk", "", "lvk_auto_file"}));
  EXPECT_EQ(ForCurrentUser(RegistryValueRow{HKCU, kFileExts, "Application", "lumvik.exe"}),
            (RegistryValueRow{HKCU, kFileExts, "Application", "lumvik.exe"}));
}

TEST(StartWithWindowsChangeTest, WritesOnlyWhatDiffersAndDeletesOnlyThisProgramsOwnValue) {
  const std::string other = "D:\\Old\\Lumvik.exe";
  const std::string other_case = "c:\\program files\\l\xE9o\\lumvik.exe";
  EXPECT_EQ(StartWithWindowsChange(1, kProgram, kProgram), StartUpChange::None);
  EXPECT_EQ(StartWithWindowsChange(1, other, kProgram), StartUpChange::Write);
  EXPECT_EQ(StartWithWindowsChange(1, other_case, kProgram), StartUpChange::Write);
  EXPECT_EQ(StartWithWindowsChange(1, "", kProgram), StartUpChange::Write);

  EXPECT_EQ(StartWithWindowsChange(0, kProgram, kProgram), StartUpChange::Delete);
  EXPECT_EQ(StartWithWindowsChange(2, kProgram, kProgram), StartUpChange::Delete);
  EXPECT_EQ(StartWithWindowsChange(0, other, kProgram), StartUpChange::None);
  EXPECT_EQ(StartWithWindowsChange(0, other_case, kProgram), StartUpChange::None);
  EXPECT_EQ(StartWithWindowsChange(0, "", kProgram), StartUpChange::None);
  EXPECT_EQ(StartWithWindowsChange(0, kProgram + " ", kProgram), StartUpChange::None);
}

TEST(LayoutOfVersionTest, NtWhenAnyBitOfTheBuildsLowByteIsSet) {
  EXPECT_EQ(LayoutOfVersion(0x1db10106), RegistryLayout::Nt);
  EXPECT_EQ(LayoutOfVersion(0x00010005), RegistryLayout::Nt);
  EXPECT_EQ(LayoutOfVersion(0x00800005), RegistryLayout::Nt);
  EXPECT_EQ(LayoutOfVersion(0xC0000A04), RegistryLayout::Win9x);
  EXPECT_EQ(LayoutOfVersion(0xFF00FFFF), RegistryLayout::Win9x);
}

}  // namespace
}  // namespace lumvik
