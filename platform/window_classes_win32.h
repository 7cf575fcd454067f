// The window classes that both programs register: their one top-level
// window, and the tab pages that hold the controls of a tab control.
#pragma once

#include <windows.h>

#include <string>

namespace lumvik {

// A top-level window with the program's icon (resource 1), the arrow and
// the dialog ground. Registering a class twice fails harmlessly, so a second
// window may call it again.
void RegisterTopWindowClass(HINSTANCE program, const char* name, WNDPROC procedure);

// A page of a tab control. It passes what its controls tell it on to the
// top-level window, so that one window procedure sees every control.
void RegisterTabPageClass(HINSTANCE program, const char* name);

// A window whose inside is `inside` large, centred on the screen, with the
// controls in it reached by Tab; `object` comes as its creation parameter.
HWND CreateCentredWindow(HINSTANCE program, const char* window_class, const std::string& title,
                         DWORD style, SIZE inside, HWND owner, void* object);

// A child control of `parent` known by the number `id`, in the system's
// dialog font. `place` holds x, y, width and height.
HWND CreateControl(HWND parent, int id, const char* window_class, const std::string& text,
                   DWORD style, RECT place, DWORD ex_style = 0);

// The text of a window or control, in the ANSI code page.
std::string WindowText(HWND window);

// The window procedure of a window that an object owns. The object comes
// as the creation parameter and is found through GWLP_USERDATA afterwards;
// once the window is the object's own, `Receive` handles its messages. No
// exception unwinds through the system's message dispatching.
template <class Owner, LRESULT (Owner::*Receive)(UINT, WPARAM, LPARAM)>
LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    ::SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (owner == nullptr || owner->window() != window) {
    return ::DefWindowProcA(window, message, wparam, lparam);
  }
  try {
    return (owner->*Receive)(message, wparam, lparam);
  } catch (...) {
    return ::DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace lumvik
