// Test helpers for drawing: a bitmap canvas whose pixels can be read back,
// and a tree view in a window of its own.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include "theme/gdi_owners_win32.h"

namespace lumvik::testing {

// A top-down 24-bit bitmap selected into a memory DC, filled with one colour.
class DibCanvas {
 public:
  DibCanvas(int width, int height, COLORREF fill)
      : width_(width),
        height_(height),
        dc_(::CreateCompatibleDC(nullptr)),
        bitmap_(CreateDib24(width, height, &bits_)),
        selected_(dc_.get()) {
    ::SelectObject(dc_.get(), bitmap_.get());
    UniqueBrush brush(::CreateSolidBrush(fill));
    const RECT all{0, 0, width, height};
    ::FillRect(dc_.get(), &all, brush.get());
  }

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

  COLORREF Pixel(int x, int y) const {
    ::GdiFlush();
    const int stride = (width_ * 3 + 3) & ~3;
    const auto* pixel = static_cast<const BYTE*>(bits_) + y * stride + x * 3;
    return RGB(pixel[2], pixel[1], pixel[0]);
  }

 private:
  int width_;
  int height_;
  void* bits_ = nullptr;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  SavedDcState selected_;  // destroyed first: the bitmap leaves the DC before it is deleted
};

// A window and its tree view child, destroyed together.
class TestTreeWindow {
 public:
  // `parent_class` is a registered window class; the tree's notifications go
  // to it. A hidden window still draws through WM_PRINTCLIENT.
  explicit TestTreeWindow(const char* parent_class = "STATIC", DWORD frame_visible = 0) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TREEVIEW_CLASSES;
    ::InitCommonControlsEx(&controls);
    frame_ = ::CreateWindowExA(0, parent_class, "Lumvik test", WS_OVERLAPPEDWINDOW | frame_visible,
                               0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    tree_ = ::CreateWindowExA(
        0, WC_TREEVIEWA, "",
        WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS, 0,
        0, 380, 260, frame_, nullptr, nullptr, nullptr);
  }
  ~TestTreeWindow() {
    if (frame_ != nullptr) ::DestroyWindow(frame_);
  }
  TestTreeWindow(const TestTreeWindow&) = delete;
  TestTreeWindow& operator=(const TestTreeWindow&) = delete;

  HWND frame() const { return frame_; }
  HWND tree() const { return tree_; }

 private:
  HWND frame_ = nullptr;
  HWND tree_ = nullptr;
};

}  // namespace lumvik::testing
