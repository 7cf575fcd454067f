// A window of the program that holds its owner while it is open, as Windows
// holds the owner of a dialog box: the owner takes no clicks or keys, whose
// events the window's own loop would drop. The owner is enabled again as the
// window is hidden on its way out, before the system looks for the next
// window to activate, so that the owner becomes active rather than another
// program's window.
#pragma once

#include <windows.h>

namespace lumvik {

class DisabledOwner {
 public:
  // Disables the owner of `window`; nothing when it has none.
  explicit DisabledOwner(HWND window);
  ~DisabledOwner();
  DisabledOwner(const DisabledOwner&) = delete;
  DisabledOwner& operator=(const DisabledOwner&) = delete;

 private:
  static LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                UINT_PTR id, DWORD_PTR self);
  void Release();

  HWND window_ = nullptr;
  HWND owner_ = nullptr;  // null once enabled again
};

}  // namespace lumvik
