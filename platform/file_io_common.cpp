#include "platform/file_io.h"

namespace lumvik {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  const bool slashes =
      folder.find('\\') == std::string::npos && folder.find('/') != std::string::npos;
  return folder + (slashes ? '/' : '\\') + name;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  FileWrite write(path, std::chrono::milliseconds(0));
  return write.held() && write.Commit(bytes);
}

std::uint64_t BytesFingerprint(std::string_view bytes) {
  std::uint64_t hash = 0xCBF29CE484222325;
  for (const unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001B3;
  return hash;
}

std::string SavingFileOf(const std::string& path) { return path + ".saving"; }

std::string ExecutableFolder() { return FolderOf(ExecutablePath()); }

}  // namespace lumvik
