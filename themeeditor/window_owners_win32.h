// Owners of the windows and libraries Skinwright's editor holds.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumvik {

struct EditorWindowTraits {
  static HWND Empty() { return nullptr; }
  static void Close(HWND window) { ::DestroyWindow(window); }
};
using UniqueEditorWindow = Unique<HWND, EditorWindowTraits>;

struct EditorLibraryTraits {
  static HMODULE Empty() { return nullptr; }
  static void Close(HMODULE library) { ::FreeLibrary(library); }
};
using UniqueEditorLibrary = Unique<HMODULE, EditorLibraryTraits>;

}  // namespace lumvik
