#include "platform/file_io.h"

namespace lumvik {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExecutableFolder() { return FolderOf(ExecutablePath()); }

}  // namespace lumvik
