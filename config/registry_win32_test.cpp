#include "config/registry_win32.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/testing/refusing_registry_access_win32.h"

namespace lumvik {
namespace {

using testing::RefusingRegistryAccess;

const std::string kProgram = "C:\\Program Files\\L\xE9o\\Lumvik.exe";
const std::string kCommand = "\"C:\\Program Files\\L\xE9o\\Lumvik.exe\" \"%1\"";
const std::string kStartUp = "\"C:\\Program Files\\L\xE9o\\Lumvik.exe\"";
const std::string kRun(kRunKey);
const std::string kFileExts =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.lvk";
const std::string kUserClasses = "Software\\Classes\\";

// A stored value as the system holds it: its type and its bytes, the
// terminating NUL of a string included.
struct Stored {
  DWORD type;
  std::string bytes;
  bool operator==(const Stored&) const = default;
};

Stored Sz(const std::string& text) { return {REG_SZ, text + '\0'}; }

std::optional<Stored> ValueOf(HKEY root, const std::string& key, const std::string& name) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::string bytes(70000, '\0');
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(bytes.size());
  const LONG read = ::RegQueryValueExA(opened, name.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(bytes.data()), &size);
  ::RegCloseKey(opened);
  if (read != ERROR_SUCCESS) return std::nullopt;
  bytes.resize(size);
  return Stored{type, bytes};
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  ::RegCloseKey(opened);
  return true;
}

void Put(HKEY root, const std::string& key, const std::string& name, const std::string& text,
         DWORD type = REG_SZ) {
  ASSERT_EQ(::SHSetValueA(root, key.c_str(), name.c_str(), type, text.c_str(),
                          static_cast<DWORD>(text.size() + 1)),
            ERROR_SUCCESS);
}

// A subkey created relative to its parent, so that its name may be as long as
// the registry allows.
void PutKey(HKEY root, const std::string& parent, const std::string& name) {
  HKEY opened = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(root, parent.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                              nullptr),
            ERROR_SUCCESS);
  HKEY child = nullptr;
  EXPECT_EQ(::RegCreateKeyExA(opened, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child,
                              nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(child);
  ::RegCloseKey(opened);
}

void Erase(HKEY root, const std::string& key) { ::SHDeleteKeyA(root, key.c_str()); }

// Each test works in a key of its own under the user's keys, gone afterwards.
class RegistryHelpersTest : public ::testing::Test {
 protected:
  RegistryHelpersTest()
      : base_("Software\\LumvikTests\\" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    Erase(HKEY_CURRENT_USER, base_);
  }
  ~RegistryHelpersTest() override { Erase(HKEY_CURRENT_USER, base_); }

  std::string Key(const std::string& below) const { return base_ + "\\" + below; }

  std::string base_;
  Registry registry_;
};

TEST_F(RegistryHelpersTest, ReadGivesTheTextOfAnyLengthWithoutItsNulOrNothing) {
  Put(HKEY_CURRENT_USER, base_, "name", "C:\\a b\\L\xE9o.exe");
  Put(HKEY_CURRENT_USER, base_, "empty", "");
  EXPECT_EQ(registry_.ReadRegistryString(HKEY_CURRENT_USER, base_, "name"), "C:\\a b\\L\xE9o.exe");
  EXPECT_EQ(registry_.ReadRegistryString(HKEY_CURRENT_USER, base_, "empty"), "");
  for (const std::size_t length : {254u, 255u, 256u, 40000u}) {
    const std::string long_text = "\"" + std::string(length - 2, 'x') + "\"";
    Put(HKEY_CURRENT_USER, base_, "long", long_text);
    EXPECT_EQ(registry_.ReadRegistryString(HKEY_CURRENT_USER, base_, "long"), long_text) << length;
  }
  EXPECT_EQ(registry_.ReadRegistryString(HKEY_CURRENT_USER, base_, "missing"), "");
  EXPECT_EQ(registry_.ReadRegistryString(HKEY_CURRENT_USER, Key("missing"), "name"), "");
  // The value's type is not asked: an expandable string reads as it is stored.
  Put(HKEY_CURRENT_USER, base_, "expand", "%TEMP%\\x", REG_EXPAND_SZ);
  EXPECT_EQ(registry_.ReadRegistryString(HKEY_CURRENT_USER, base_, "expand"), "%TEMP%\\x");
}

TEST_F(RegistryHelpersTest, WriteCreatesMissingParentsAndSaysHowFarItGot) {
  EXPECT_EQ(registry_.WriteRegistryString(HKEY_CURRENT_USER, Key("a\\b"), "v", "text"), 2);
  EXPECT_EQ(ValueOf(HKEY_CURRENT_USER, Key("a\\b"), "v"), Sz("text"));
  EXPECT_EQ(registry_.WriteRegistryString(HKEY_CURRENT_USER, Key("a\\b"), "", ""), 2);
  EXPECT_EQ(ValueOf(HKEY_CURRENT_USER, Key("a\\b"), ""), Sz(""));

  // The key opens but the system takes no value name that long.
  EXPECT_EQ(
      registry_.WriteRegistryString(HKEY_CURRENT_USER, Key("c"), std::string(16384, 'n'), "text"),
      1);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Key("c")));

  const RefusingRegistryAccess refusing({{HKEY_CURRENT_USER, base_}});
  EXPECT_EQ(Registry(refusing, ::GetVersion)
                .WriteRegistryString(HKEY_CURRENT_USER, Key("d"), "v", "text"),
            0);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("d")));
}

TEST_F(RegistryHelpersTest, ReadWriteAndSetPassALeadingBackslashToTheSystem) {
  // The system creates no key from such a path, and opens none either, except
  // under the classes root, which reads it as the same key.
  Put(HKEY_CURRENT_USER, base_, "v", "text");
  EXPECT_EQ(registry_.ReadRegistryString(HKEY_CURRENT_USER, "\\" + base_, "v"), "");
  EXPECT_EQ(registry_.WriteRegistryString(HKEY_CURRENT_USER, "\\" + Key("w"), "v", "t"), 0);
  registry_.SetRegistryValue(HKEY_CURRENT_USER, "\\" + Key("s"), "v", REG_SZ,
                             reinterpret_cast<const BYTE*>("t"), 2);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("w")));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("s")));

  const std::string lvk_class = "LumvikTests.LeadingBackslash";
  Erase(HKEY_CLASSES_ROOT, lvk_class);
  EXPECT_EQ(registry_.WriteRegistryString(HKEY_CLASSES_ROOT, "\\" + lvk_class, "v", "t"), 0);
  registry_.SetRegistryValue(HKEY_CLASSES_ROOT, "\\" + lvk_class, "v", REG_SZ,
                             reinterpret_cast<const BYTE*>("t"), 2);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, lvk_class));
  Put(HKEY_CLASSES_ROOT, lvk_class, "v", "text");
  EXPECT_EQ(registry_.ReadRegistryString(HKEY_CLASSES_ROOT, "\\" + lvk_class, "v"), "text");
  Erase(HKEY_CLASSES_ROOT, lvk_class);
}

TEST_F(RegistryHelpersTest, SetCreatesTheKeyAndWritesTheGivenBytes) {
  const std::string text = "abc";
  registry_.SetRegistryValue(HKEY_CURRENT_USER, Key("a\\b"), "v", REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()), 4);
  EXPECT_EQ(ValueOf(HKEY_CURRENT_USER, Key("a\\b"), "v"), Sz("abc"));
  registry_.SetRegistryValue(HKEY_CURRENT_USER, Key("a\\b"), "v", REG_EXPAND_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()), 2);
  EXPECT_EQ(ValueOf(HKEY_CURRENT_USER, Key("a\\b"), "v"), (Stored{REG_EXPAND_SZ, "ab"}));

  const RefusingRegistryAccess refusing({{HKEY_CURRENT_USER, base_}});
  Registry(refusing, ::GetVersion)
      .SetRegistryValue(HKEY_CURRENT_USER, Key("c"), "v", REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()), 4);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("c")));
}

TEST_F(RegistryHelpersTest, DeleteValueTakesTheKeyWithOrWithoutLeadingOrTrailingBackslash) {
  for (const std::string& key : {base_, "\\" + base_, base_ + "\\"}) {
    Put(HKEY_CURRENT_USER, base_, "v", "text");
    EXPECT_EQ(registry_.DeleteRegistryValue(HKEY_CURRENT_USER, key, "v"), 1) << key;
    EXPECT_EQ(ValueOf(HKEY_CURRENT_USER, base_, "v"), std::nullopt);
    EXPECT_EQ(registry_.DeleteRegistryValue(HKEY_CURRENT_USER, key, "v"), 0);
  }
  EXPECT_EQ(registry_.DeleteRegistryValue(HKEY_CURRENT_USER, Key("missing"), "v"), 0);

  Put(HKEY_CURRENT_USER, base_, "v", "text");
  const RefusingRegistryAccess refusing({{HKEY_CURRENT_USER, base_}});
  EXPECT_EQ(Registry(refusing, ::GetVersion).DeleteRegistryValue(HKEY_CURRENT_USER, base_, "v"), 0);
  EXPECT_EQ(ValueOf(HKEY_CURRENT_USER, base_, "v"), Sz("text"));
}

TEST_F(RegistryHelpersTest, SubKeyNamesAreFoundByIndexOnlyWhenTheyFit) {
  PutKey(HKEY_CURRENT_USER, base_, "a");
  PutKey(HKEY_CURRENT_USER, base_, "b");
  PutKey(HKEY_CURRENT_USER, base_, "c" + std::string(253, 'x'));
  PutKey(HKEY_CURRENT_USER, base_, "d" + std::string(254, 'x'));
  EXPECT_EQ(registry_.GetRegistrySubKeyName(HKEY_CURRENT_USER, base_, 0), "a");
  EXPECT_EQ(registry_.GetRegistrySubKeyName(HKEY_CURRENT_USER, "\\" + base_, 1), "b");
  EXPECT_EQ(registry_.GetRegistrySubKeyName(HKEY_CURRENT_USER, base_, 2),
            "c" + std::string(253, 'x'));
  EXPECT_EQ(registry_.GetRegistrySubKeyName(HKEY_CURRENT_USER, base_, 3), "");
  EXPECT_EQ(registry_.GetRegistrySubKeyName(HKEY_CURRENT_USER, base_, 4), "");
  EXPECT_EQ(registry_.GetRegistrySubKeyName(HKEY_CURRENT_USER, Key("missing"), 0), "");
}

TEST_F(RegistryHelpersTest, DeleteKeyTakesOnlyAKeyWithoutSubkeys) {
  PutKey(HKEY_CURRENT_USER, base_, "a\\b");
  EXPECT_EQ(registry_.DeleteRegistryKey(HKEY_CURRENT_USER, Key("a")), 0);
  EXPECT_EQ(registry_.DeleteRegistryKey(HKEY_CURRENT_USER, "\\" + Key("a\\b")), 1);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("a\\b")));
  EXPECT_EQ(registry_.DeleteRegistryKey(HKEY_CURRENT_USER, Key("a")), 1);
  EXPECT_EQ(registry_.DeleteRegistryKey(HKEY_CURRENT_USER, Key("a")), 0);
}

TEST_F(RegistryHelpersTest, DeleteTreeTakesEveryLevel) {
  PutKey(HKEY_CURRENT_USER, base_, "t\\a\\b\\c");
  PutKey(HKEY_CURRENT_USER, base_, "t\\a\\d");
  PutKey(HKEY_CURRENT_USER, base_, "t\\e");
  Put(HKEY_CURRENT_USER, Key("t\\a\\b"), "v", "text");
  PutKey(HKEY_CURRENT_USER, base_, "t2");
  registry_.DeleteRegistryTree(HKEY_CURRENT_USER, Key("t"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("t")));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Key("t2")));

  registry_.DeleteRegistryTree(HKEY_CURRENT_USER, Key("missing"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("missing")));
}

TEST_F(RegistryHelpersTest, DeleteTreeTriesAResistingSubkeyTwiceThenFailsOnTheKey) {
  PutKey(HKEY_CURRENT_USER, base_, "t\\a");
  PutKey(HKEY_CURRENT_USER, base_, "t\\b\\inner");
  PutKey(HKEY_CURRENT_USER, base_, "t\\c");
  const RefusingRegistryAccess refusing({{HKEY_CURRENT_USER, Key("t\\b")}});
  Registry(refusing, ::GetVersion).DeleteRegistryTree(HKEY_CURRENT_USER, Key("t"));
  // The resisting subkey cannot even be opened for listing: it looks empty.
  EXPECT_EQ(refusing.deletions(),
            (std::vector<std::string>{Key("t\\a"), Key("t\\b"), Key("t\\b"), Key("t")}));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("t\\a")));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Key("t\\b\\inner")));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Key("t\\c")));
}

TEST_F(RegistryHelpersTest, DeleteTreeStopsAtASubkeyNameThatDoesNotFit) {
  PutKey(HKEY_CURRENT_USER, base_, "t\\a\\b");
  PutKey(HKEY_CURRENT_USER, Key("t"), std::string(255, 'z'));
  registry_.DeleteRegistryTree(HKEY_CURRENT_USER, Key("t"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("t\\a")));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Key("t")));
}

// The start-up value, in the machine's and the user's Run keys of this
// prefix, which no other test uses.
class StartWithWindowsTest : public ::testing::Test {
 protected:
  StartWithWindowsTest() { Clear(); }
  ~StartWithWindowsTest() override { Clear(); }

  static void Clear() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
      ::SHDeleteValueA(root, kRun.c_str(), "Lumvik");
    }
  }
  static std::optional<Stored> Machine() { return ValueOf(HKEY_LOCAL_MACHINE, kRun, "Lumvik"); }
  static std::optional<Stored> User() { return ValueOf(HKEY_CURRENT_USER, kRun, "Lumvik"); }

  const RefusingRegistryAccess standard_user_{{{HKEY_LOCAL_MACHINE, ""}, {HKEY_CLASSES_ROOT, ""}}};
};

TEST_F(StartWithWindowsTest, CheckedWritesThePathInQuotesUnlessItIsAlreadyThere) {
  Registry().ApplyStartWithWindows(1, kProgram);
  EXPECT_EQ(Machine(), Sz(kStartUp));
  EXPECT_EQ(User(), std::nullopt);

  // Equal text as another type shows that nothing was written again.
  Put(HKEY_LOCAL_MACHINE, kRun, "Lumvik", kStartUp, REG_EXPAND_SZ);
  Registry().ApplyStartWithWindows(1, kProgram);
  EXPECT_EQ(Machine(), (Stored{REG_EXPAND_SZ, kStartUp + '\0'}));

  // Another copy's value, and this program's path without quotes, which
  // Windows would cut at the first blank.
  for (const std::string& stored : {std::string("D:\\Old\\Lumvik.exe"), kProgram}) {
    Put(HKEY_LOCAL_MACHINE, kRun, "Lumvik", stored);
    Registry().ApplyStartWithWindows(1, kProgram);
    EXPECT_EQ(Machine(), Sz(kStartUp)) << stored;
  }
}

TEST_F(StartWithWindowsTest, UncheckedDeletesOnlyThisProgramsOwnValueOfAnyLength) {
  const std::string other_case = "\"c:\\program files\\l\xE9o\\lumvik.exe\"";
  for (const std::string& other : {std::string("D:\\Old\\Lumvik.exe"), other_case}) {
    Put(HKEY_LOCAL_MACHINE, kRun, "Lumvik", other);
    Put(HKEY_CURRENT_USER, kRun, "Lumvik", other);
    Registry().ApplyStartWithWindows(0, kProgram);
    EXPECT_EQ(Machine(), Sz(other));
    EXPECT_EQ(User(), Sz(other));
  }

  // In quotes as written now, or without them as earlier versions wrote it.
  Put(HKEY_LOCAL_MACHINE, kRun, "Lumvik", kStartUp);
  Put(HKEY_CURRENT_USER, kRun, "Lumvik", kProgram);
  Registry().ApplyStartWithWindows(2, kProgram);
  EXPECT_EQ(Machine(), std::nullopt);
  EXPECT_EQ(User(), std::nullopt);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kRun));

  const std::string long_path = "C:\\" + std::string(300, 'x') + "\\Lumvik.exe";
  Put(HKEY_LOCAL_MACHINE, kRun, "Lumvik", "\"" + long_path + "\"");
  Registry().ApplyStartWithWindows(0, long_path);
  EXPECT_EQ(Machine(), std::nullopt);
}

TEST_F(StartWithWindowsTest, AStandardUserStartsFromTheUsersOwnRunKey) {
  const Registry registry(standard_user_, ::GetVersion);
  registry.ApplyStartWithWindows(1, kProgram);
  EXPECT_EQ(Machine(), std::nullopt);
  EXPECT_EQ(User(), Sz(kStartUp));

  registry.ApplyStartWithWindows(0, kProgram);
  EXPECT_EQ(User(), std::nullopt);

  Put(HKEY_CURRENT_USER, kRun, "Lumvik", "D:\\Old\\Lumvik.exe");
  registry.ApplyStartWithWindows(0, kProgram);
  EXPECT_EQ(User(), Sz("D:\\Old\\Lumvik.exe"));
  registry.ApplyStartWithWindows(1, kProgram);
  EXPECT_EQ(User(), Sz(kStartUp));

  // Once the machine's value may be written, the user's own would start a
  // second copy: it goes, and another copy's would stay.
  Registry().ApplyStartWithWindows(1, kProgram);
  EXPECT_EQ(Machine(), Sz(kStartUp));
  EXPECT_EQ(User(), std::nullopt);
  Put(HKEY_CURRENT_USER, kRun, "Lumvik", "D:\\Old\\Lumvik.exe");
  Registry().ApplyStartWithWindows(1, kProgram);
  EXPECT_EQ(User(), Sz("D:\\Old\\Lumvik.exe"));
}

// The ".lvk" association in this prefix; no other test associates anything.
class AssociationTest : public ::testing::Test {
 protected:
  AssociationTest() { Clear(); }
  ~AssociationTest() override { Clear(); }

  // Every key that either layout writes, machine-wide and for the user alone.
  static std::vector<std::pair<HKEY, std::string>> Trees() {
    std::vector<std::pair<HKEY, std::string>> trees = {{HKEY_CURRENT_USER, kFileExts}};
    for (const std::string key :
         {"Applications\\lumvik.exe", ".lvk", "lvk_auto_file", "lumvik.exe"}) {
      trees.emplace_back(HKEY_CLASSES_ROOT, key);
      trees.emplace_back(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + key);
      trees.emplace_back(HKEY_CURRENT_USER, kUserClasses + key);
    }
    return trees;
  }

  static void Clear() {
    for (const auto& [root, key] : Trees()) Erase(root, key);
  }

  static bool AnyTreeLeft() {
    for (const auto& [root, key] : Trees()) {
      if (KeyExists(root, key)) return true;
    }
    return false;
  }

  // The association as the shell reads it from the classes root, or from the
  // user's own classes.
  static void ExpectNtAssociation(HKEY root, const std::string& classes) {
    EXPECT_EQ(ValueOf(root, classes + ".lvk", ""), Sz("lvk_auto_file"));
    EXPECT_EQ(ValueOf(root, classes + "lvk_auto_file", ""), Sz("Lumvik File"));
    EXPECT_EQ(ValueOf(root, classes + "lvk_auto_file\\shell\\open\\command", ""), Sz(kCommand));
    EXPECT_EQ(ValueOf(root, classes + "lvk_auto_file\\DefaultIcon", ""), Sz(kProgram + ",0"));
    EXPECT_EQ(ValueOf(root, classes + "Applications\\lumvik.exe\\shell\\open\\command", ""),
              Sz(kCommand));
    EXPECT_EQ(ValueOf(HKEY_CURRENT_USER, kFileExts, "Application"), Sz("lumvik.exe"));
  }

  const RefusingRegistryAccess standard_user_{{{HKEY_LOCAL_MACHINE, ""}, {HKEY_CLASSES_ROOT, ""}}};
};

TEST_F(AssociationTest, NtAssociatesTwiceAlikeAndRemovesEverything) {
  Registry().AssociateFileType(LumvikAssociation(kProgram));
  ExpectNtAssociation(HKEY_CLASSES_ROOT, "");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserClasses + ".lvk"));
  Registry().AssociateFileType(LumvikAssociation(kProgram));
  ExpectNtAssociation(HKEY_CLASSES_ROOT, "");

  Registry().RemoveFileAssociation(LumvikAssociation(kProgram));
  EXPECT_FALSE(AnyTreeLeft());
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ".ini"));
  Registry().RemoveFileAssociation(LumvikAssociation(kProgram));
  EXPECT_FALSE(AnyTreeLeft());
}

TEST_F(AssociationTest, NtWithoutDescriptionWritesOnlyTheApplicationAndFileExts) {
  FileAssociation association = LumvikAssociation(kProgram);
  association.description.clear();
  Registry().AssociateFileType(association);
  EXPECT_EQ(ValueOf(HKEY_CLASSES_ROOT, "Applications\\lumvik.exe\\shell\\open\\command", ""),
            Sz(kCommand));
  EXPECT_EQ(ValueOf(HKEY_CURRENT_USER, kFileExts, "Application"), Sz("lumvik.exe"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".lvk"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "lvk_auto_file"));
}

TEST_F(AssociationTest, Win9xWritesAndRemovesTheMachinesClasses) {
  const RegistryAccess system;
  const Registry win9x(system, [] { return 0xC0000A04u; });
  win9x.AssociateFileType(LumvikAssociation(kProgram));
  const std::string classes = "Software\\Classes\\";
  EXPECT_EQ(ValueOf(HKEY_LOCAL_MACHINE, classes + ".lvk", ""), Sz("lumvik.exe"));
  EXPECT_EQ(ValueOf(HKEY_LOCAL_MACHINE, classes + "lumvik.exe", ""), Sz("Lumvik File"));
  EXPECT_EQ(ValueOf(HKEY_LOCAL_MACHINE, classes + "lumvik.exe\\DefaultIcon", ""),
            Sz(kProgram + ",0"));
  EXPECT_EQ(ValueOf(HKEY_LOCAL_MACHINE, classes + "lumvik.exe\\shell\\open %1", ""), Sz("open"));
  EXPECT_EQ(ValueOf(HKEY_LOCAL_MACHINE, classes + "lumvik.exe\\shell\\open %1\\command", ""),
            Sz(kCommand));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kFileExts));

  win9x.RemoveFileAssociation(LumvikAssociation(kProgram));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, classes + ".lvk"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, classes + "lumvik.exe"));
}

TEST_F(AssociationTest, AStandardUserAssociatesInTheUsersClassesAndRemovalFindsBoth) {
  Registry(standard_user_, ::GetVersion).AssociateFileType(LumvikAssociation(kProgram));
  ExpectNtAssociation(HKEY_CURRENT_USER, kUserClasses);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".lvk"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Applications\\lumvik.exe"));

  Registry().AssociateFileType(LumvikAssociation(kProgram));
  ExpectNtAssociation(HKEY_CLASSES_ROOT, "");
  Registry().RemoveFileAssociation(LumvikAssociation(kProgram));
  EXPECT_FALSE(AnyTreeLeft());
}

TEST_F(AssociationTest, RemovalLeavesWhatNowOpensDocumentsElsewhere) {
  // ".lvk" given to another program's class: only this program's keys go.
  Registry().AssociateFileType(LumvikAssociation(kProgram));
  Put(HKEY_CLASSES_ROOT, ".lvk", "", "Other.Document");
  Registry().RemoveFileAssociation(LumvikAssociation(kProgram));
  EXPECT_EQ(ValueOf(HKEY_CLASSES_ROOT, ".lvk", ""), Sz("Other.Document"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "lvk_auto_file"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Applications\\lumvik.exe"));
  Erase(HKEY_CLASSES_ROOT, ".lvk");

  // Another copy's association stays whole, machine-wide and the user's own.
  const std::string other = "D:\\Old\\Lumvik.exe";
  Registry().AssociateFileType(LumvikAssociation(other));
  Registry(standard_user_, ::GetVersion).AssociateFileType(LumvikAssociation(other));
  Registry().RemoveFileAssociation(LumvikAssociation(kProgram));
  EXPECT_EQ(ValueOf(HKEY_CLASSES_ROOT, ".lvk", ""), Sz("lvk_auto_file"));
  EXPECT_EQ(ValueOf(HKEY_CLASSES_ROOT, "lvk_auto_file\\shell\\open\\command", ""),
            Sz(OpenCommand(other)));
  EXPECT_EQ(ValueOf(HKEY_CLASSES_ROOT, "Applications\\lumvik.exe\\shell\\open\\command", ""),
            Sz(OpenCommand(other)));
  EXPECT_EQ(ValueOf(HKEY_CURRENT_USER, kUserClasses + ".lvk", ""), Sz("lvk_auto_file"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kUserClasses + "lvk_auto_file"));
}

}  // namespace
}  // namespace lumvik
