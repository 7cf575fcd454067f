#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/scratch_file.h"

namespace lumvik {

namespace {

int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

// The file is unlinked as soon as it is made: only its descriptor reaches it.
int MakeUnnamedFile() {
  const char* folder = std::getenv("TMPDIR");
  std::string pattern = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                        "/lumvik-scratch-XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd >= 0) ::unlink(pattern.c_str());
  return fd;
}

}  // namespace

ScratchFile::~ScratchFile() {
  if (handle_ >= 0) ::close(Fd(handle_));
}

bool ScratchFile::Keep(std::string_view bytes) {
  holds_ = false;
  if (handle_ < 0) handle_ = MakeUnnamedFile();
  if (handle_ < 0 || ::ftruncate(Fd(handle_), 0) != 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote =
        ::pwrite(Fd(handle_), bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  holds_ = true;
  return true;
}

std::optional<std::string> ScratchFile::Read() const {
  if (!holds_) return std::nullopt;
  struct stat info {};
  if (::fstat(Fd(handle_), &info) != 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got =
        ::pread(Fd(handle_), bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    done += static_cast<std::size_t>(got);
  }
  return bytes;
}

void ScratchFile::Clear() {
  holds_ = false;
  if (handle_ >= 0) ::close(Fd(handle_));
  handle_ = -1;
}

}  // namespace lumvik
