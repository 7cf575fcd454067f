// Owners of the window objects that both programs hold: windows, menus,
// shortcut tables and loaded libraries.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumvik {

struct WindowTraits {
  static HWND Empty() { return nullptr; }
  static void Close(HWND window) { ::DestroyWindow(window); }
};
using UniqueWindow = Unique<HWND, WindowTraits>;

struct MenuTraits {
  static HMENU Empty() { return nullptr; }
  static void Close(HMENU menu) { ::DestroyMenu(menu); }
};
using UniqueMenu = Unique<HMENU, MenuTraits>;

struct AcceleratorTraits {
  static HACCEL Empty() { return nullptr; }
  static void Close(HACCEL table) { ::DestroyAcceleratorTable(table); }
};
using UniqueAccelerators = Unique<HACCEL, AcceleratorTraits>;

struct LibraryTraits {
  static HMODULE Empty() { return nullptr; }
  static void Close(HMODULE library) { ::FreeLibrary(library); }
};
using UniqueLibrary = Unique<HMODULE, LibraryTraits>;

}  // namespace lumvik
