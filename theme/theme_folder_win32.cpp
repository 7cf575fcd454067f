#include "theme/theme_folder_win32.h"

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumvik {

std::vector<std::string> ThemeFilesIn(const std::string& program_folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  UniqueFind search(::FindFirstFileA((program_folder + "*.lvs").c_str(), &found));
  if (!search) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (::FindNextFileA(search.get(), &found));
  return names;
}

}  // namespace lumvik
