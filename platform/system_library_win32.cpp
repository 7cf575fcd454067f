#include "platform/system_library_win32.h"

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

}  // namespace lumvik
