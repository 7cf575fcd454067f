// The window that holds a benchmark's tree views. As Lumvik's main window
// does, it hands the expansions and the custom draw of the tree of the row
// view named in `notified_view` to that view.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include "app/tree_view_win32.h"

namespace lumvik::bench {

inline TreeRowView* notified_view = nullptr;

inline LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY && notified_view != nullptr) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
    if (header.hwndFrom == notified_view->tree()) {
      if (header.code == TVN_ITEMEXPANDINGA) {
        notified_view->OnItemExpanding(*reinterpret_cast<const NMTREEVIEWA*>(lparam));
        return FALSE;
      }
      if (header.code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        return notified_view->OnCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(lparam));
      }
    }
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

// The tree view class ready, and a visible frame of 400 by 600 pixels.
inline HWND MakeFrame(const char* title) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_TREEVIEW_CLASSES;
  ::InitCommonControlsEx(&controls);
  WNDCLASSA frame_class{};
  frame_class.lpfnWndProc = FrameProcedure;
  frame_class.hInstance = ::GetModuleHandleA(nullptr);
  frame_class.lpszClassName = "LumvikBenchFrame";
  ::RegisterClassA(&frame_class);
  return ::CreateWindowExA(0, "LumvikBenchFrame", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           400, 600, nullptr, nullptr, nullptr, nullptr);
}

// A tree view as Lumvik's, filling the frame.
inline HWND NewTree(HWND frame) {
  return ::CreateWindowExA(
      0, WC_TREEVIEWA, "",
      WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS, 0,
      0, 380, 560, frame, nullptr, nullptr, nullptr);
}

}  // namespace lumvik::bench
