#include "config/registry_win32.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/unique_handle.h"

namespace lumvik {

namespace {

struct RegistryKeyTraits {
  static HKEY Empty() { return nullptr; }
  static void Close(HKEY key) { ::RegCloseKey(key); }
};
using UniqueKey = Unique<HKEY, RegistryKeyTraits>;

// Subkey names are read into a buffer of this many bytes; a name that does
// not fit is not read at all.
constexpr DWORD kBufferBytes = 255;

// Some helpers accept a key path written with one leading "\", as a path from
// the root's own top.
std::string WithoutLeadingBackslash(const std::string& key) {
  return !key.empty() && key.front() == '\\' ? key.substr(1) : key;
}

HKEY HandleOf(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

const RegistryAccess& SystemAccess() {
  static const RegistryAccess access;
  return access;
}

bool SetString(HKEY key, const std::string& value, const std::string& text) {
  return ::RegSetValueExA(key, value.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

const std::string kRunKeyPath(kRunKey);
const std::string kRunValueName(kRunValue);

}  // namespace

LONG RegistryAccess::CreateKey(HKEY root, const std::string& path, REGSAM access, HKEY* key) const {
  return ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                           key, nullptr);
}

LONG RegistryAccess::OpenKey(HKEY root, const std::string& path, REGSAM access, HKEY* key) const {
  return ::RegOpenKeyExA(root, path.c_str(), 0, access, key);
}

LONG RegistryAccess::DeleteKey(HKEY root, const std::string& path) const {
  return ::RegDeleteKeyA(root, path.c_str());
}

Registry::Registry() : Registry(SystemAccess(), [] { return ::GetVersion(); }) {}

Registry::Registry(const RegistryAccess& access, VersionSource version)
    : access_(access), version_(std::move(version)) {}

// ReadRegistryString, WriteRegistryString and SetRegistryValue pass a leading
// "\" on to the system as it is. The system refuses such a path
// (ERROR_BAD_PATHNAME): nothing is read or written, except that the classes
// root opens it as the same key, so that reading there still works.

std::string Registry::ReadRegistryString(HKEY root, const std::string& key,
                                         const std::string& value) const {
  HKEY opened = nullptr;
  if (access_.OpenKey(root, key, KEY_READ, &opened) != ERROR_SUCCESS) return {};
  const UniqueKey owner(opened);
  // Asked for its size first, a value of any length is read; one that grows
  // in between is asked again.
  DWORD size = 0;
  LONG read = ::RegQueryValueExA(opened, value.c_str(), nullptr, nullptr, nullptr, &size);
  std::string text;
  while (read == ERROR_SUCCESS || read == ERROR_MORE_DATA) {
    text.resize(size);
    read = ::RegQueryValueExA(opened, value.c_str(), nullptr, nullptr,
                              reinterpret_cast<BYTE*>(text.data()), &size);
    if (read == ERROR_SUCCESS) break;
  }
  if (read != ERROR_SUCCESS || size == 0) return {};
  text.resize(size - 1);
  return text;
}

int Registry::WriteRegistryString(HKEY root, const std::string& key, const std::string& value,
                                  const std::string& text) const {
  // As a key created for whatever the caller may do: missing parents appear.
  HKEY created = nullptr;
  if (access_.CreateKey(root, key, MAXIMUM_ALLOWED, &created) != ERROR_SUCCESS) return 0;
  const UniqueKey owner(created);
  return SetString(created, value, text) ? 2 : 1;
}

int Registry::DeleteRegistryValue(HKEY root, const std::string& key,
                                  const std::string& value) const {
  HKEY opened = nullptr;
  if (access_.OpenKey(root, WithoutLeadingBackslash(key), KEY_ALL_ACCESS, &opened) !=
      ERROR_SUCCESS) {
    return 0;
  }
  const UniqueKey owner(opened);
  return ::RegDeleteValueA(opened, value.c_str()) == ERROR_SUCCESS ? 1 : 0;
}

std::string Registry::GetRegistrySubKeyName(HKEY root, const std::string& key, DWORD index) const {
  HKEY opened = nullptr;
  if (access_.OpenKey(root, WithoutLeadingBackslash(key), KEY_ALL_ACCESS, &opened) !=
      ERROR_SUCCESS) {
    return {};
  }
  const UniqueKey owner(opened);
  char name[kBufferBytes];
  DWORD length = sizeof name;
  if (::RegEnumKeyExA(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
      ERROR_SUCCESS) {
    return {};
  }
  return std::string(name, length);
}

int Registry::DeleteRegistryKey(HKEY root, const std::string& key) const {
  return access_.DeleteKey(root, WithoutLeadingBackslash(key)) == ERROR_SUCCESS ? 1 : 0;
}

void Registry::DeleteRegistryTree(HKEY root, const std::string& key) const {
  // Always subkey 0: each one deleted moves the next into its place. When the
  // same name comes back, that subkey resists and has had two attempts.
  std::string previous;
  std::string current;
  do {
    previous = current;
    current = GetRegistrySubKeyName(root, key, 0);
    if (!current.empty()) DeleteRegistryTree(root, key + "\\" + current);
  } while (current != previous);
  DeleteRegistryKey(root, key);
}

void Registry::SetRegistryValue(HKEY root, const std::string& key, const std::string& value,
                                DWORD type, const BYTE* data, DWORD size) const {
  SetValue(root, key, value, type, data, size);
}

void Registry::ApplyStartWithWindows(std::int32_t demarrage,
                                     const std::string& program_path) const {
  // A standard user may not write the machine's value; the user's own Run key
  // starts the program for that user alone.
  const bool machine_done = BringStartUpValueInLine(HKEY_LOCAL_MACHINE, demarrage, program_path);
  if (!machine_done || demarrage != 1) {
    BringStartUpValueInLine(HKEY_CURRENT_USER, demarrage, program_path);
  } else {
    // The machine's value starts it now; the user's own would start a
    // second copy.
    BringStartUpValueInLine(HKEY_CURRENT_USER, 0, program_path);
  }
}

void Registry::AssociateFileType(const FileAssociation& association) const {
  const std::vector<RegistryValueRow> rows =
      AssociationRows(LayoutOfVersion(version_()), association);
  // Where the first machine-wide key is refused, so would be the others: the
  // whole association goes under the user's own classes instead.
  if (SetRow(rows.front())) {
    for (std::size_t i = 1; i < rows.size(); ++i) SetRow(rows[i]);
    return;
  }
  for (const RegistryValueRow& row : rows) SetRow(ForCurrentUser(row));
}

void Registry::RemoveFileAssociation(const FileAssociation& association) const {
  const std::vector<AssociationTree> trees =
      AssociationTrees(LayoutOfVersion(version_()), association);
  // The user's own keys first: where the classes root shows the user's keys
  // in place of the machine's, it would otherwise reach those and leave the
  // machine's.
  std::vector<AssociationTree> user_trees;
  for (const AssociationTree& tree : trees) {
    AssociationTree user = ForCurrentUser(tree);
    if (user.tree != tree.tree) user_trees.push_back(std::move(user));
  }
  DeleteOwnTrees(user_trees);
  DeleteOwnTrees(trees);
}

bool Registry::SetValue(HKEY root, const std::string& key, const std::string& value, DWORD type,
                        const BYTE* data, DWORD size) const {
  HKEY created = nullptr;
  if (access_.CreateKey(root, key, KEY_ALL_ACCESS, &created) != ERROR_SUCCESS) return false;
  const UniqueKey owner(created);
  ::RegSetValueExA(created, value.c_str(), 0, type, data, size);
  return true;
}

bool Registry::SetRow(const RegistryValueRow& row) const {
  return SetValue(HandleOf(row.root), row.key, row.value_name, REG_SZ,
                  reinterpret_cast<const BYTE*>(row.data.c_str()),
                  static_cast<DWORD>(row.data.size() + 1));
}

// Every tree is judged before any goes: the extension's key looks at the
// class that is deleted after it.
void Registry::DeleteOwnTrees(const std::vector<AssociationTree>& trees) const {
  std::vector<const RegistryKeyPath*> own;
  for (const AssociationTree& tree : trees) {
    const bool stands = std::all_of(
        tree.only_while.begin(), tree.only_while.end(), [&](const RegistryValueRow& row) {
          return ReadRegistryString(HandleOf(row.root), row.key, row.value_name) == row.data;
        });
    if (stands) own.push_back(&tree.tree);
  }
  for (const RegistryKeyPath* tree : own) DeleteRegistryTree(HandleOf(tree->root), tree->key);
}

bool Registry::BringStartUpValueInLine(HKEY root, std::int32_t demarrage,
                                       const std::string& program_path) const {
  const std::string stored = ReadRegistryString(root, kRunKeyPath, kRunValueName);
  switch (StartWithWindowsChange(demarrage, stored, program_path)) {
    case StartUpChange::Write:
      return WriteRegistryString(root, kRunKeyPath, kRunValueName, StartUpCommand(program_path)) ==
             2;
    case StartUpChange::Delete:
      DeleteRegistryValue(root, kRunKeyPath + "\\", kRunValueName);
      break;
    case StartUpChange::None:
      break;
  }
  return true;
}

}  // namespace lumvik
