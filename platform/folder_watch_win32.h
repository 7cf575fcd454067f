// Tells a window when something in a folder changes: a thread of its own
// waits for the system's change notification and posts a message, nothing
// more, so that the window's own thread does the work.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

#include "platform/unique_handle.h"

namespace lumvik {

class FolderWatch {
 public:
  // `message` is posted to `window` at each change.
  FolderWatch(HWND window, UINT message);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Watches this folder from now on, and no other; none when empty.
  void Watch(const std::string& folder);

 private:
  void Stop();

  HWND window_;
  UINT message_;
  std::string folder_;
  UniqueEvent stop_;
  std::thread waiter_;
};

}  // namespace lumvik
