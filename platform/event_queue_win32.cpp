#include "platform/event_queue_win32.h"

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
    if (got == 0 || got == -1) {
      ::PostQuitMessage(0);  // any outer loop ends as well
      Event closing;
      closing.kind = EventKind::CloseWindow;
      return closing;
    }
    Deliver(message);
  }
  return *Take();
}

void EventQueue::PumpUntilIdle() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Deliver(message);
  }
}

void EventQueue::SetAccelerators(HWND window, HACCEL accelerators) {
  accelerator_window_ = window;
  accelerators_ = accelerators;
}

namespace {

bool IsTextBox(HWND window) {
  char name[32] = {};
  ::GetClassNameA(window, name, sizeof name);
  return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, 4, "Edit", 4) == CSTR_EQUAL ||
         ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, 8, "RichEdit", 8) == CSTR_EQUAL;
}

}  // namespace

bool EventQueue::IsShortcut(const MSG& message) const {
  if (accelerators_ == nullptr) return false;
  if (message.hwnd != accelerator_window_ && !::IsChild(accelerator_window_, message.hwnd)) {
    return false;  // keys of another window of the program
  }
  // The Delete key deletes text where text is typed, not the selected row.
  const bool plain_delete = (message.message == WM_KEYDOWN && message.wParam == VK_DELETE &&
                             ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0);
  return !(plain_delete && IsTextBox(message.hwnd));
}

void EventQueue::Deliver(MSG& message) {
  if (IsShortcut(message) &&
      ::TranslateAcceleratorA(accelerator_window_, accelerators_, &message) != 0) {
    return;
  }
  ::TranslateMessage(&message);
  ::DispatchMessageA(&message);
}

}  // namespace lumvik
