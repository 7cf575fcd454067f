#include <windows.h>

#include "platform/process_lock.h"

namespace lumvik {

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

// The file is opened without sharing: while it is open, no one else can open
// it. The system closes it when the program ends, killed or not.
ProcessLock::ProcessLock(const std::string& path)
    : handle_(reinterpret_cast<std::intptr_t>(::CreateFileA(path.c_str(), GENERIC_WRITE, 0,
                                                            nullptr, OPEN_ALWAYS,
                                                            FILE_ATTRIBUTE_NORMAL, nullptr))) {}

ProcessLock::~ProcessLock() {
  if (held()) ::CloseHandle(AsHandle(handle_));
}

bool ProcessLock::held() const { return AsHandle(handle_) != INVALID_HANDLE_VALUE; }

bool IsLockHeld(const std::string& path) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    ::CloseHandle(file);
    return false;
  }
  return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace lumvik
