// The registry as a standard user meets it: creating, writing and deleting
// keys in chosen places is refused with ERROR_ACCESS_DENIED, reading works.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "config/registry_win32.h"

namespace lumvik::testing {

class RefusingRegistryAccess : public RegistryAccess {
 public:
  // A place is a root and a key; an empty key refuses the whole root. Keys
  // below a refused key are refused too.
  struct Place {
    HKEY root;
    std::string key;
  };

  explicit RefusingRegistryAccess(std::vector<Place> refused) : refused_(std::move(refused)) {}

  LONG CreateKey(HKEY root, const std::string& path, REGSAM access, HKEY* key) const override {
    if (Refuses(root, path)) return Refuse(key);
    return RegistryAccess::CreateKey(root, path, access, key);
  }

  LONG OpenKey(HKEY root, const std::string& path, REGSAM access, HKEY* key) const override {
    constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE |
                                    WRITE_DAC | WRITE_OWNER | MAXIMUM_ALLOWED;
    if ((access & kWriteRights) != 0 && Refuses(root, path)) return Refuse(key);
    return RegistryAccess::OpenKey(root, path, access, key);
  }

  LONG DeleteKey(HKEY root, const std::string& path) const override {
    deletions_.push_back(path);
    if (Refuses(root, path)) return ERROR_ACCESS_DENIED;
    return RegistryAccess::DeleteKey(root, path);
  }

  // Every key whose deletion was asked for, refused or not, in order.
  const std::vector<std::string>& deletions() const { return deletions_; }

 private:
  static LONG Refuse(HKEY* key) {
    *key = nullptr;
    return ERROR_ACCESS_DENIED;
  }

  bool Refuses(HKEY root, const std::string& path) const {
    const std::string key = !path.empty() && path.front() == '\\' ? path.substr(1) : path;
    for (const Place& place : refused_) {
      if (place.root != root) continue;
      if (place.key.empty()) return true;
      if (key.size() < place.key.size() ||
          ::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, key.c_str(),
                           static_cast<int>(place.key.size()), place.key.c_str(),
                           static_cast<int>(place.key.size())) != CSTR_EQUAL) {
        continue;
      }
      if (key.size() == place.key.size() || key[place.key.size()] == '\\') return true;
    }
    return false;
  }

  std::vector<Place> refused_;
  mutable std::vector<std::string> deletions_;
};

}  // namespace lumvik::testing
