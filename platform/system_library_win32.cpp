#include "platform/system_library_win32.h"

#include <map>
#include <mutex>
#include <string>

namespace lumvik {

UniqueLibrary LoadSystemLibrary(const char* name) {
  UniqueLibrary library(::LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  // Systems without that search flag refuse it as a bad parameter: there the
  // library is named by its full path in the system folder.
  if (library || ::GetLastError() != ERROR_INVALID_PARAMETER) return library;
  char folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return library;
  const std::string path = std::string(folder, length) + "\\" + name;
  return UniqueLibrary(::LoadLibraryA(path.c_str()));
}

void (*SystemProcedure(const char* library, const char* name))() {
  static std::mutex guard;
  static std::map<std::string, UniqueLibrary> loaded;
  const std::lock_guard<std::mutex> lock(guard);
  UniqueLibrary& held = loaded[library];
  if (!held) held = LoadSystemLibrary(library);
  if (!held) return nullptr;
  // Through the one function type that any other may be cast to and from.
  return reinterpret_cast<void (*)()>(::GetProcAddress(held.get(), name));
}

}  // namespace lumvik
