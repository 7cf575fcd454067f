// A lock file that a running program keeps open for as long as it runs, so
// that another program can tell whether the files that go with it belong to
// a program still running or were left behind by one that ended.
#pragma once

#include <cstdint>
#include <string>

namespace lumvik {

class ProcessLock {
 public:
  // Takes the lock of `path`, making the file when it is missing; held()
  // says whether it was taken. The lock goes when the program ends, however
  // it ends.
  explicit ProcessLock(const std::string& path);
  ~ProcessLock();
  ProcessLock(const ProcessLock&) = delete;
  ProcessLock& operator=(const ProcessLock&) = delete;

  bool held() const;

 private:
  std::intptr_t handle_;
};

// Whether a running program holds the lock of `path` (this one included).
bool IsLockHeld(const std::string& path);

}  // namespace lumvik
