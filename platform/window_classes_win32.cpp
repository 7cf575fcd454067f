#include "platform/window_classes_win32.h"

#include <vector>

namespace lumvik {

namespace {

LRESULT CALLBACK TabPageProcedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  HWND root = ::GetAncestor(page, GA_ROOT);
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case DM_GETDEFID:
      return ::SendMessageA(root, message, wparam, lparam);
    case WM_CLOSE:
      // A text box of several lines asks its parent to close on Escape, as
      // in a dialog box: that is Cancel for the window, never the end of
      // the page and its controls.
      return ::SendMessageA(root, WM_COMMAND, IDCANCEL, 0);
    default:
      return ::DefWindowProcA(page, message, wparam, lparam);
  }
}

HCURSOR Arrow() { return ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); }

HBRUSH DialogGround() { return reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1); }

}  // namespace

void RegisterTopWindowClass(HINSTANCE program, const char* name, WNDPROC procedure) {
  WNDCLASSEXA window{};
  window.cbSize = sizeof window;
  window.lpfnWndProc = procedure;
  window.hInstance = program;
  window.hIcon = ::LoadIconA(program, MAKEINTRESOURCEA(1));
  window.hCursor = Arrow();
  window.hbrBackground = DialogGround();
  window.lpszClassName = name;
  ::RegisterClassExA(&window);
}

HWND CreateCentredWindow(HINSTANCE program, const char* window_class, const std::string& title,
                         DWORD style, SIZE inside, HWND owner, void* object) {
  RECT outer{0, 0, inside.cx, inside.cy};
  ::AdjustWindowRectEx(&outer, style, FALSE, 0);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  return ::CreateWindowExA(WS_EX_CONTROLPARENT, window_class, title.c_str(), style,
                           (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                           (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, owner,
                           nullptr, program, object);
}

HWND CreateControl(HWND parent, int id, const char* window_class, const std::string& text,
                   DWORD style, RECT place, DWORD ex_style) {
  HWND control = ::CreateWindowExA(
      ex_style, window_class, text.c_str(), WS_CHILD | style, place.left, place.top, place.right,
      place.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
  return control;
}

void RegisterTabPageClass(HINSTANCE program, const char* name) {
  WNDCLASSEXA page{};
  page.cbSize = sizeof page;
  page.lpfnWndProc = TabPageProcedure;
  page.hInstance = program;
  page.hCursor = Arrow();
  page.hbrBackground = DialogGround();
  page.lpszClassName = name;
  ::RegisterClassExA(&page);
}

std::string WindowText(HWND window) {
  std::vector<char> text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  const int length = ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace lumvik
