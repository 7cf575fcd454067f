// What Lumvik writes to the registry, decided without touching it: the rows
// of the ".lvk" association in either layout, the keys its removal deletes,
// the same under the user's own keys, and what starting with Windows needs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumvik {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

// NT-family systems keep associations under the classes root and Explorer's
// "FileExts"; the 9x family under the machine's "Software\Classes".
enum class RegistryLayout { Nt, Win9x };

// NT when any of bits 16 to 23 of the version the system reports is set
// (there they are the low byte of the build number).
RegistryLayout LayoutOfVersion(std::uint32_t version);

// One string value (REG_SZ) to write; an empty `value_name` is the key's
// default value.
struct RegistryValueRow {
  RegistryRoot root = RegistryRoot::ClassesRoot;
  std::string key;
  std::string value_name;
  std::string data;
  bool operator==(const RegistryValueRow&) const = default;
};

struct RegistryKeyPath {
  RegistryRoot root = RegistryRoot::ClassesRoot;
  std::string key;
  bool operator==(const RegistryKeyPath&) const = default;
};

struct FileAssociation {
  std::string extension;        // without the dot: "lvk"
  std::string description;      // "Lumvik File"
  std::string program_path;     // the running program's full path
  std::string icon;             // the program's full path followed by ",0"
  std::string application_key;  // "lumvik.exe"
  std::string verb;             // "open"
  std::string verb_key;         // "open %1"
};

// The association the options window offers for this program.
FileAssociation LumvikAssociation(const std::string& program_path);

// The command that opens a document: the program path and "%1", each in
// double quotes.
std::string OpenCommand(std::string_view program_path);

// The values that associate the extension, in the order they are written.
std::vector<RegistryValueRow> AssociationRows(RegistryLayout layout,
                                              const FileAssociation& association);

// A key tree that removing the association deletes, and the values this
// program wrote there that must still stand for it to go: a tree that now
// opens documents in another program, or another copy of this one, stays.
struct AssociationTree {
  RegistryKeyPath tree;
  std::vector<RegistryValueRow> only_while;
  bool operator==(const AssociationTree&) const = default;
};

// The key trees that removing this program's association deletes, in order.
std::vector<AssociationTree> AssociationTrees(RegistryLayout layout,
                                              const FileAssociation& association);

// The same place under the user's own keys, where a standard user may write:
// the classes root and the machine's "Software\Classes" become the user's
// "Software\Classes"; the user's own keys stay as they are.
RegistryValueRow ForCurrentUser(RegistryValueRow row);
RegistryKeyPath ForCurrentUser(RegistryKeyPath path);
AssociationTree ForCurrentUser(AssociationTree tree);

// The value that starts Lumvik with Windows: "Lumvik" under this key, in the
// machine's keys or, for a standard user, in the user's own.
constexpr std::string_view kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kRunValue = "Lumvik";

// The start-up value of this program: its path in double quotes, so that
// Windows takes a path with blanks for one program, not a program and its
// arguments.
std::string StartUpCommand(std::string_view program_path);

enum class StartUpChange { None, Write, Delete };

// What the stored start-up value needs: written when Lumvik should start with
// Windows and it does not hold this program's start-up command (byte for
// byte), deleted when it should not and the value is this program's own, the
// path with or without quotes (earlier versions wrote it without). A value
// naming another copy of the program stays.
StartUpChange StartWithWindowsChange(std::int32_t demarrage, std::string_view stored,
                                     std::string_view program_path);

}  // namespace lumvik
