#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/process_lock.h"

namespace lumvik {

// flock belongs to the open file, so a second opening in the same program
// finds it taken as another program would.
ProcessLock::ProcessLock(const std::string& path)
    : handle_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
  if (handle_ >= 0 && ::flock(static_cast<int>(handle_), LOCK_EX | LOCK_NB) != 0) {
    ::close(static_cast<int>(handle_));
    handle_ = -1;
  }
}

ProcessLock::~ProcessLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

bool ProcessLock::held() const { return handle_ >= 0; }

bool IsLockHeld(const std::string& path) {
  const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  const bool held = ::flock(file, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(file);
  return held;
}

}  // namespace lumvik
