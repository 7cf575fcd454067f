// Keys for window tests: the messages the keyboard would post, with Ctrl,
// Shift and Alt held in the thread's key state while they are handled.
#pragma once

#include <windows.h>

namespace lumvik::testing {

struct Modifiers {
  bool control = false;
  bool shift = false;
  bool alt = false;
};

// Holds the modifiers as asked (and releases what is not asked).
inline void HoldModifiers(Modifiers held) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = held.control ? 0x80 : 0;
  keys[VK_SHIFT] = held.shift ? 0x80 : 0;
  keys[VK_MENU] = held.alt ? 0x80 : 0;
  ::SetKeyboardState(keys);
}

// Posts the key-down message of `key` to `target`, the window with the
// focus, as a system key with Alt held; the modifiers stay held until the
// next call.
inline void PostKey(HWND target, UINT key, Modifiers held = {}) {
  HoldModifiers(held);
  constexpr LPARAM kAltContext = 1 << 29;
  ::PostMessageA(target, held.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, held.alt ? 1 | kAltContext : 1);
}

}  // namespace lumvik::testing
