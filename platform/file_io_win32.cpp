#include <windows.h>

#include <utility>

#include "platform/file_io.h"
#include "platform/unique_handle.h"

namespace lumvik {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // A file being read may still be replaced or removed by its owner.
  UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return std::nullopt;
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  char buffer[1 << 16];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
    if (got == 0) return bytes;
    bytes.append(buffer, got);
  }
}

bool PathExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::time_t> LastWriteTime(const std::string& path) {
  // Read in UTC: the C library's local conversion is off by an hour for
  // files written on the other side of a daylight-saving change.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  const ULONGLONG ticks = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime;
  constexpr ULONGLONG kTicksPerSecond = 10000000;
  constexpr ULONGLONG kSecondsFrom1601To1970 = 11644473600;
  return static_cast<std::time_t>(ticks / kTicksPerSecond - kSecondsFrom1601To1970);
}

namespace {

FileStamp StampOf(DWORD size_high, DWORD size_low, const FILETIME& written) {
  const auto joined = [](DWORD high_part, DWORD low_part) {
    return (static_cast<std::uint64_t>(high_part) << 32) | low_part;
  };
  return FileStamp{
      joined(size_high, size_low),
      static_cast<std::int64_t>(joined(written.dwHighDateTime, written.dwLowDateTime))};
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD put = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &put, nullptr) || put == 0) return false;
    bytes.remove_prefix(put);
  }
  return true;
}

}  // namespace

std::optional<FileStamp> FileStampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return StampOf(data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
}

FileWrite::FileWrite(std::string path, std::chrono::milliseconds patience)
    : path_(std::move(path)), handle_(reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)) {
  const std::string temporary = SavingFileOf(path_);
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    // Shared for reading and for the rename and removal this write makes:
    // another write of the same target is refused here until this one has
    // ended.
    // A leftover of a stopped write is emptied and taken over.
    const HANDLE file =
        ::CreateFileA(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(file);
      return;
    }
    // Held by another write, or being removed by one that ended.
    const DWORD error = ::GetLastError();
    const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
    if (!busy || std::chrono::steady_clock::now() >= deadline) return;
    ::Sleep(20);
  }
}

FileWrite::~FileWrite() {
  if (!held()) return;
  // Removed while still open, so that no other write's file of the same
  // name can be removed instead.
  if (!committed_) ::DeleteFileA(SavingFileOf(path_).c_str());
  ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool FileWrite::held() const { return reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE; }

bool FileWrite::Commit(std::string_view bytes, const std::function<bool()>& still_wanted) {
  if (!held() || committed_) return false;
  // The rename below replaces a read-only file under Wine, so the target is
  // checked here: a file the user made read-only is never replaced.
  const DWORD target = ::GetFileAttributesA(path_.c_str());
  if (target != INVALID_FILE_ATTRIBUTES &&
      (target & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return false;
  }
  const HANDLE file = reinterpret_cast<HANDLE>(handle_);
  BY_HANDLE_FILE_INFORMATION written{};
  if (!WriteAll(file, bytes) || !::FlushFileBuffers(file) ||
      !::GetFileInformationByHandle(file, &written) || (still_wanted && !still_wanted())) {
    return false;
  }
  // MoveFileEx with replacement is one rename on every system we run on; the
  // old file stays whole until the new one is complete. The file is still
  // open, so that the lock lasts until the new bytes are in place, and
  // closed at once after, so that readers find them.
  committed_ = ::MoveFileExA(SavingFileOf(path_).c_str(), path_.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!committed_) return false;
  written_stamp_ = StampOf(written.nFileSizeHigh, written.nFileSizeLow, written.ftLastWriteTime);
  ::CloseHandle(file);
  handle_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
  return true;
}

bool RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool MakeFolder(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) != 0 || IsDirectory(path);
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const UniqueFind search(::FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!search) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (::FindNextFileA(search.get(), &found));
  return names;
}

std::optional<std::string> PathFromUtf8(const std::string& path) {
  if (path.empty()) return path;
  const int size = static_cast<int>(path.size());
  const int wide_length =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
  if (wide_length == 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), wide_length);
  // No best fit: a letter the code page lacks would open another file.
  BOOL lacking = FALSE;
  const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_length,
                                           nullptr, 0, nullptr, &lacking);
  if (length == 0 || lacking) return std::nullopt;
  std::string system_path(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_length, system_path.data(),
                        length, nullptr, nullptr);
  return system_path;
}

std::string ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace lumvik
