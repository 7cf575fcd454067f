#include "platform/event_queue_win32.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <string_view>
#include <utility>

#include "platform/dialog_keys_win32.h"

namespace lumvik {

std::optional<Event> EventQueue::Take() {
  if (events_.empty()) return std::nullopt;
  Event event = events_.front();
  events_.pop_front();
  return event;
}

Event EventQueue::WaitEvent() {
  while (events_.empty()) {
    MSG message;
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    // A queue that cannot be read ends the program as a quit message does.
    if (got == 0 || got == -1) {
      QuitReceived();
    } else {
      Deliver(message);
    }
  }
  return *Take();
}

void EventQueue::Post(EventKind kind, int window, int gadget) {
  Event event;
  event.kind = kind;
  event.window = window;
  event.gadget = gadget;
  ::GetCursorPos(&event.cursor);
  Post(event);
}

Event EventQueue::WaitEventOf(int window) {
  for (;;) {
    const Event event = WaitEvent();
    if (event.window == window) return event;
    if (event.kind == EventKind::CloseWindow) close_request_ = event;
  }
}

void EventQueue::ReleaseCloseRequest() {
  if (close_request_) Post(*std::exchange(close_request_, std::nullopt));
}

void EventQueue::PumpUntilIdle() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      QuitReceived();
    } else {
      Deliver(message);
    }
  }
}

void EventQueue::QuitReceived() {
  // Handled once, like any close request: the loop asks what it asks (the
  // unsaved-changes question) and may go on, so the message is not posted
  // again.
  Event closing;
  closing.kind = EventKind::CloseWindow;
  Post(closing);
}

namespace {

bool IsTree(HWND window) {
  char name[32] = {};
  ::GetClassNameA(window, name, sizeof name);
  return ::lstrcmpiA(name, WC_TREEVIEWA) == 0;
}

}  // namespace

void EventQueue::SetAccelerators(HWND window, HACCEL accelerators) {
  accelerator_window_ = window;
  accelerators_ = accelerators;
}

bool EventQueue::IsShortcut(const MSG& message) const {
  if (accelerators_ == nullptr) return false;
  if (message.hwnd != accelerator_window_ && !::IsChild(accelerator_window_, message.hwnd)) {
    return false;  // keys of another window of the program
  }
  // The Delete key deletes text where text is typed, not the selected row.
  const bool plain_delete = (message.message == WM_KEYDOWN && message.wParam == VK_DELETE &&
                             ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0);
  if (plain_delete && IsTextBox(message.hwnd)) return false;
  // A name being typed in a tree undoes its own typing, whatever the
  // document's history holds, and the keys of the view's filters stay the
  // box's own there (Ctrl+H rubs out a letter).
  const bool box_key =
      message.message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0 &&
      std::string_view("ZYHDU").find(static_cast<char>(message.wParam)) != std::string_view::npos;
  return !(box_key && IsTextBox(message.hwnd) && IsTree(::GetParent(message.hwnd)));
}

void EventQueue::SetControlKeys(HWND control, HACCEL keys) {
  keys_control_ = control;
  control_keys_ = keys;
}

void EventQueue::SetCompanionKeys(HWND companion, HACCEL keys) {
  companion_ = companion;
  companion_keys_ = keys;
}

void EventQueue::Deliver(MSG& message) {
  if (companion_keys_ != nullptr &&
      (message.hwnd == companion_ || ::IsChild(companion_, message.hwnd)) &&
      ::TranslateAcceleratorA(accelerator_window_, companion_keys_, &message) != 0) {
    return;
  }
  if (control_keys_ != nullptr && message.hwnd == keys_control_ &&
      ::TranslateAcceleratorA(accelerator_window_, control_keys_, &message) != 0) {
    return;
  }
  if (IsShortcut(message) &&
      ::TranslateAcceleratorA(accelerator_window_, accelerators_, &message) != 0) {
    return;
  }
  // Alt+F4 closes the window whatever control has the focus. Wine's tree
  // view takes every system key for its own keys and never lets the default
  // processing close the window; the dialog keys let it through.
  if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4) {
    ::PostMessageA(::GetAncestor(message.hwnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  if (HandleDialogKey(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageA(&message);
}

}  // namespace lumvik
