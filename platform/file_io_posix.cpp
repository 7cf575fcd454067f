#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <utility>

#include "platform/file_io.h"
#include "platform/unique_fd.h"

namespace lumvik {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) return std::nullopt;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::time_t> LastWriteTime(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return info.st_mtime;
}

namespace {

FileStamp StampOf(const struct stat& info) {
  return FileStamp{static_cast<std::uint64_t>(info.st_size),
                   std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec};
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

}  // namespace

std::optional<FileStamp> FileStampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return StampOf(info);
}

FileWrite::FileWrite(std::string path, std::chrono::milliseconds patience)
    : path_(std::move(path)), handle_(-1) {
  const std::string temporary = SavingFileOf(path_);
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    UniqueFd file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    if (!file) return;
    // The lock keeps a second writer of the same target out. The file may
    // have been put in place by the write that held it meanwhile, so it
    // counts only while it still has the temporary name; it is emptied only
    // once it is ours, since it may be a leftover of a stopped write.
    struct stat opened {
    }, named{};
    if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0 && ::fstat(file.get(), &opened) == 0 &&
        ::stat(temporary.c_str(), &named) == 0 && opened.st_ino == named.st_ino &&
        opened.st_dev == named.st_dev) {
      if (::ftruncate(file.get(), 0) == 0) handle_ = file.release();
      return;
    }
    if (std::chrono::steady_clock::now() >= deadline) return;
    ::usleep(20000);
  }
}

FileWrite::~FileWrite() {
  if (!held()) return;
  // Removed while still locked, so that no other write's file of the same
  // name can be removed instead.
  if (!committed_) ::unlink(SavingFileOf(path_).c_str());
  ::close(static_cast<int>(handle_));
}

bool FileWrite::held() const { return handle_ >= 0; }

bool FileWrite::Commit(std::string_view bytes, const std::function<bool()>& still_wanted) {
  if (!held() || committed_) return false;
  // A rename replaces a file whatever its permissions, so a file that no one
  // may write to (a read-only file, as Windows and Wine see it) is checked
  // here; it is never replaced.
  struct stat target {};
  if (::stat(path_.c_str(), &target) == 0 &&
      (S_ISDIR(target.st_mode) || (target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
    return false;
  }
  const int file = static_cast<int>(handle_);
  struct stat written {};
  if (!WriteAll(file, bytes) || ::fsync(file) != 0 || ::fchmod(file, 0644) != 0 ||
      ::fstat(file, &written) != 0 || (still_wanted && !still_wanted())) {
    return false;
  }
  // Renamed while still open and locked, so that the lock lasts until the
  // new bytes are in place.
  committed_ = ::rename(SavingFileOf(path_).c_str(), path_.c_str()) == 0;
  if (!committed_) return false;
  written_stamp_ = StampOf(written);
  ::close(file);
  handle_ = -1;
  return true;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool MakeFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0 || IsDirectory(path);
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  struct CloseListing {
    void operator()(DIR* listing) const { ::closedir(listing); }
  };
  const std::unique_ptr<DIR, CloseListing> listing(::opendir(folder.c_str()));
  if (!listing) return names;
  while (const dirent* entry = ::readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (!IsDirectory(folder + "/" + name)) names.push_back(name);
  }
  return names;
}

std::optional<std::string> PathFromUtf8(const std::string& path) { return path; }

std::string ExecutablePath() {
  std::string path(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  path.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return path;
}

}  // namespace lumvik
