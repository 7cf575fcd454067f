#include "platform/dialog_keys_win32.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>

namespace lumvik {

namespace {

bool IsKeyMessage(const MSG& message) {
  return message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
}

bool Held(int key) { return ::GetKeyState(key) < 0; }

bool WantsTab(const MSG& message) {
  const LRESULT code = ::SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam,
                                      reinterpret_cast<LPARAM>(&message));
  return (code & DLGC_WANTTAB) != 0;
}

// Ctrl+Tab leaves a box where Tab is typed as text.
bool MoveOnFromTextBox(const MSG& message, HWND root) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || !Held(VK_CONTROL)) {
    return false;
  }
  if (!WantsTab(message)) return false;
  if (HWND next = ::GetNextDlgTabItem(root, message.hwnd, Held(VK_SHIFT))) ::SetFocus(next);
  return true;
}

HWND EnclosingTabControl(HWND control) {
  for (HWND window = control; window != nullptr; window = ::GetParent(window)) {
    char name[32] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (::lstrcmpiA(name, WC_TABCONTROLA) == 0) return window;
    if ((::GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) == 0) return nullptr;
  }
  return nullptr;
}

// Ctrl+Tab elsewhere shows the next page of the tab control that holds the
// control (Ctrl+Shift+Tab the previous one) and goes to its first control.
bool SwitchPage(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || !Held(VK_CONTROL)) {
    return false;
  }
  HWND tabs = EnclosingTabControl(message.hwnd);
  if (tabs == nullptr) return false;
  const auto count = static_cast<int>(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  if (count < 2) return false;
  const auto current = static_cast<int>(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
  const int next = (current + (Held(VK_SHIFT) ? count - 1 : 1)) % count;
  ::SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
  // Setting the selection tells nobody; the tab control's owner shows the
  // page as it does for a click.
  NMHDR changed{tabs, static_cast<UINT_PTR>(::GetDlgCtrlID(tabs)),
                static_cast<UINT>(TCN_SELCHANGE)};
  ::SendMessageA(::GetParent(tabs), WM_NOTIFY, changed.idFrom, reinterpret_cast<LPARAM>(&changed));
  if (HWND first = ::GetNextDlgTabItem(tabs, nullptr, FALSE)) ::SetFocus(first);
  return true;
}

// Escape in a box of several lines is Cancel for its window, as anywhere
// else: the box itself would ask its parent to close.
bool CancelFromTextBox(const MSG& message, HWND root) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return false;
  const LONG_PTR style = ::GetWindowLongPtrA(message.hwnd, GWL_STYLE);
  if ((style & ES_MULTILINE) == 0 || !IsTextBox(message.hwnd)) return false;
  ::SendMessageA(root, WM_COMMAND, IDCANCEL, 0);
  return true;
}

bool IsPushButton(HWND control) {
  const LRESULT code = ::SendMessageA(control, WM_GETDLGCODE, 0, 0);
  return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

}  // namespace

bool HandleDialogKey(MSG& message) {
  if (!IsKeyMessage(message)) return false;
  HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  if (root == nullptr) return false;
  if (MoveOnFromTextBox(message, root) || SwitchPage(message) || CancelFromTextBox(message, root)) {
    return true;
  }
  return ::IsDialogMessageA(root, &message) != FALSE;
}

bool IsTextBox(HWND window) {
  char name[32] = {};
  ::GetClassNameA(window, name, sizeof name);
  return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, 4, "Edit", 4) == CSTR_EQUAL ||
         ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, 8, "RichEdit", 8) == CSTR_EQUAL;
}

LRESULT DefaultButtonReply(HWND window, int fallback) {
  HWND focus = ::GetFocus();
  if (focus != nullptr && ::IsChild(window, focus) && IsPushButton(focus)) {
    return MAKELRESULT(::GetDlgCtrlID(focus), DC_HASDEFID);
  }
  return fallback != 0 ? MAKELRESULT(fallback, DC_HASDEFID) : 0;
}

}  // namespace lumvik
