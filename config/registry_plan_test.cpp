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

TEST(AssociationTreesTest, RemovalDeletesWhatEitherLayoutWroteWhileItStillNamesThisProgram) {
  const RegistryValueRow type_command{HKCR, "lvk_auto_file\\shell\\open\\command", "", kCommand};
  const std::vector<AssociationTree> nt = {
      {{HKCR, "Applications\\lumvik.exe"},
       {{HKCR, "Applications\\lumvik.exe\\shell\\open\\command", "", kCommand}}},
      {{HKCR, ".lvk"}, {{HKCR, ".lvk", "", "lvk_auto_file"}, type_command}},
      {{HKCR, "lvk_auto_file"}, {type_command}},
      {{HKCU, kFileExts}, {{HKCU, kFileExts, "Application", "lumvik.exe"}}}};
  EXPECT_EQ(AssociationTrees(RegistryLayout::Nt, LumvikAssociation(kProgram)), nt);

  const RegistryValueRow class_command{
      HKLM, "Software\\Classes\\lumvik.exe\\shell\\open %1\\command", "", kCommand};
  const std::vector<AssociationTree> win9x = {
      {{HKLM, "Software\\Classes\\.lvk"},
       {{HKLM, "Software\\Classes\\.lvk", "", "lumvik.exe"}, class_command}},
      {{HKLM, "Software\\Classes\\lumvik.exe"}, {class_command}}};
  EXPECT_EQ(AssociationTrees(RegistryLayout::Win9x, LumvikAssociation(kProgram)), win9x);

  // Under the user's own classes, the values looked at move with the tree.
  EXPECT_EQ(ForCurrentUser(nt[1]),
            (AssociationTree{{HKCU, "Software\\Classes\\.lvk"},
                             {{HKCU, "Software\\Classes\\.lvk", "", "lvk_auto_file"},
                              ForCurrentUser(type_command)}}));
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

TEST(StartWithWindowsChangeTest, WritesThePathInQuotesAndDeletesOnlyThisProgramsOwnValue) {
  const std::string quoted = "\"" + kProgram + "\"";
  EXPECT_EQ(StartUpCommand(kProgram), quoted);
  const std::string other = "D:\\Old\\Lumvik.exe";
  const std::string other_case = "\"c:\\program files\\l\xE9o\\lumvik.exe\"";
  EXPECT_EQ(StartWithWindowsChange(1, quoted, kProgram), StartUpChange::None);
  EXPECT_EQ(StartWithWindowsChange(1, kProgram, kProgram), StartUpChange::Write)
      << "an earlier version's value without quotes is written again";
  EXPECT_EQ(StartWithWindowsChange(1, other, kProgram), StartUpChange::Write);
  EXPECT_EQ(StartWithWindowsChange(1, other_case, kProgram), StartUpChange::Write);
  EXPECT_EQ(StartWithWindowsChange(1, "", kProgram), StartUpChange::Write);

  EXPECT_EQ(StartWithWindowsChange(0, quoted, kProgram), StartUpChange::Delete);
  EXPECT_EQ(StartWithWindowsChange(0, kProgram, kProgram), StartUpChange::Delete);
  EXPECT_EQ(StartWithWindowsChange(2, quoted, kProgram), StartUpChange::Delete);
  EXPECT_EQ(StartWithWindowsChange(0, other, kProgram), StartUpChange::None);
  EXPECT_EQ(StartWithWindowsChange(0, "\"" + other + "\"", kProgram), StartUpChange::None);
  EXPECT_EQ(StartWithWindowsChange(0, other_case, kProgram), StartUpChange::None);
  EXPECT_EQ(StartWithWindowsChange(0, "", kProgram), StartUpChange::None);
  EXPECT_EQ(StartWithWindowsChange(0, quoted + " ", kProgram), StartUpChange::None);
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
