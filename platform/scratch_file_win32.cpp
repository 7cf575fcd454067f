#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/scratch_file.h"

namespace lumvik {

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Deleted when its handle closes, which the system does when the program
// ends, killed or not; marked temporary so that it stays in the file cache
// while memory allows.
std::intptr_t MakeUnsharedTemporaryFile() {
  wchar_t folder[MAX_PATH + 1];
  wchar_t path[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH || ::GetTempFileNameW(folder, L"lvk", 0, path) == 0) {
    return -1;
  }
  const HANDLE file = ::CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) ::DeleteFileW(path);
  return reinterpret_cast<std::intptr_t>(file);
}

bool MoveToStart(HANDLE file) {
  LARGE_INTEGER start{};
  return ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != 0;
}

}  // namespace

ScratchFile::~ScratchFile() { Clear(); }

bool ScratchFile::Keep(std::string_view bytes) {
  holds_ = false;
  if (handle_ == -1) handle_ = MakeUnsharedTemporaryFile();
  const HANDLE file = AsHandle(handle_);
  if (handle_ == -1 || !MoveToStart(file) || !::SetEndOfFile(file)) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
    DWORD wrote = 0;
    if (!::WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  holds_ = true;
  return true;
}

std::optional<std::string> ScratchFile::Read() const {
  const HANDLE file = AsHandle(handle_);
  LARGE_INTEGER size{};
  if (!holds_ || !::GetFileSizeEx(file, &size) || !MoveToStart(file)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
    DWORD got = 0;
    if (!::ReadFile(file, bytes.data() + done, chunk, &got, nullptr) || got == 0) {
      return std::nullopt;
    }
    done += got;
  }
  return bytes;
}

void ScratchFile::Clear() {
  holds_ = false;
  if (handle_ != -1) ::CloseHandle(AsHandle(handle_));
  handle_ = -1;
}

}  // namespace lumvik
