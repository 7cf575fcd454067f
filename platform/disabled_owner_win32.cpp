#include "platform/disabled_owner_win32.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>

namespace lumvik {

namespace {

constexpr UINT_PTR kWatchId = 1;

bool Leaving(UINT message, LPARAM lparam) {
  if (message == WM_DESTROY) return true;
  return message == WM_WINDOWPOSCHANGING &&
         (reinterpret_cast<const WINDOWPOS*>(lparam)->flags & SWP_HIDEWINDOW) != 0;
}

}  // namespace

DisabledOwner::DisabledOwner(HWND window)
    : window_(window), owner_(window != nullptr ? ::GetWindow(window, GW_OWNER) : nullptr) {
  if (owner_ == nullptr) return;
  ::EnableWindow(owner_, FALSE);
  ::SetWindowSubclass(window_, &DisabledOwner::Watch, kWatchId, reinterpret_cast<DWORD_PTR>(this));
}

DisabledOwner::~DisabledOwner() { Release(); }

void DisabledOwner::Release() {
  if (owner_ == nullptr) return;
  ::RemoveWindowSubclass(window_, &DisabledOwner::Watch, kWatchId);
  ::EnableWindow(owner_, TRUE);
  owner_ = nullptr;
}

LRESULT CALLBACK DisabledOwner::Watch(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR, DWORD_PTR self) {
  if (Leaving(message, lparam)) reinterpret_cast<DisabledOwner*>(self)->Release();
  return ::DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace lumvik
