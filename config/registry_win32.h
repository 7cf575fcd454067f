// The registry helpers of the options window and of start-up, over the Win32
// registry functions, and the operations built on them: starting with Windows
// and the ".lvk" association. Nothing here reports to the user; a failure
// leaves the registry as it was at that step.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/registry_plan.h"

namespace lumvik {

// Every registry call that may change something (creating a key, opening one
// with write access, deleting one) goes through this seam. The real one calls
// the system; a test form refuses writes under a chosen root, as Windows
// refuses a standard user under the machine's keys.
class RegistryAccess {
 public:
  virtual ~RegistryAccess() = default;
  virtual LONG CreateKey(HKEY root, const std::string& path, REGSAM access, HKEY* key) const;
  virtual LONG OpenKey(HKEY root, const std::string& path, REGSAM access, HKEY* key) const;
  virtual LONG DeleteKey(HKEY root, const std::string& path) const;
};

// The system's version as GetVersion reports it; the registry layout follows it.
using VersionSource = std::function<std::uint32_t()>;

class Registry {
 public:
  // The system's registry and version.
  Registry();
  Registry(const RegistryAccess& access, VersionSource version);

  // Each key path may begin with one "\"; DeleteRegistryValue,
  // GetRegistrySubKeyName and DeleteRegistryKey drop it.
  std::string ReadRegistryString(HKEY root, const std::string& key, const std::string& value) const;
  // 2 when written, 1 when only the key could be opened, 0 when not even that.
  int WriteRegistryString(HKEY root, const std::string& key, const std::string& value,
                          const std::string& text) const;
  int DeleteRegistryValue(HKEY root, const std::string& key, const std::string& value) const;
  std::string GetRegistrySubKeyName(HKEY root, const std::string& key, DWORD index) const;
  int DeleteRegistryKey(HKEY root, const std::string& key) const;
  void DeleteRegistryTree(HKEY root, const std::string& key) const;
  void SetRegistryValue(HKEY root, const std::string& key, const std::string& value, DWORD type,
                        const BYTE* data, DWORD size) const;

  // Brings the start-up value in line with `demarrage`: the program's path in
  // quotes, in the machine's Run key, or in the user's own where the
  // machine's refuses the write. Unchecking clears this program's value in
  // both places.
  void ApplyStartWithWindows(std::int32_t demarrage, const std::string& program_path) const;
  // Writes the layout the system's version calls for, under the user's own
  // keys where the first machine-wide write is refused.
  void AssociateFileType(const FileAssociation& association) const;
  // Deletes the association's keys, machine-wide and the user's own, where
  // they still open documents in this program.
  void RemoveFileAssociation(const FileAssociation& association) const;

 private:
  // SetRegistryValue, telling whether the key could be created or opened.
  bool SetValue(HKEY root, const std::string& key, const std::string& value, DWORD type,
                const BYTE* data, DWORD size) const;
  bool SetRow(const RegistryValueRow& row) const;
  // Deletes each tree whose values this program wrote still stand.
  void DeleteOwnTrees(const std::vector<AssociationTree>& trees) const;
  // False when the value had to be written and the write was refused.
  bool BringStartUpValueInLine(HKEY root, std::int32_t demarrage,
                               const std::string& program_path) const;

  const RegistryAccess& access_;
  VersionSource version_;
};

}  // namespace lumvik
