// Owners of the GDI objects, icons and image lists that rows and toolbars
// are drawn with.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include "platform/unique_handle.h"

namespace lumvik {

template <typename Object>
struct TypedGdiObjectTraits {
  static Object Empty() { return nullptr; }
  static void Close(Object object) { ::DeleteObject(object); }
};
using UniqueFont = Unique<HFONT, TypedGdiObjectTraits<HFONT>>;
using UniqueBrush = Unique<HBRUSH, TypedGdiObjectTraits<HBRUSH>>;
using UniqueBitmap = Unique<HBITMAP, TypedGdiObjectTraits<HBITMAP>>;

struct IconTraits {
  static HICON Empty() { return nullptr; }
  static void Close(HICON icon) { ::DestroyIcon(icon); }
};
using UniqueIcon = Unique<HICON, IconTraits>;

struct MemoryDcTraits {
  static HDC Empty() { return nullptr; }
  static void Close(HDC dc) { ::DeleteDC(dc); }
};
using UniqueMemoryDc = Unique<HDC, MemoryDcTraits>;

// The device context of the whole screen, as GetDC(nullptr) gives it.
struct ScreenDcTraits {
  static HDC Empty() { return nullptr; }
  static void Close(HDC dc) { ::ReleaseDC(nullptr, dc); }
};
using UniqueScreenDc = Unique<HDC, ScreenDcTraits>;

struct ImageListTraits {
  static HIMAGELIST Empty() { return nullptr; }
  static void Close(HIMAGELIST list) { ::ImageList_Destroy(list); }
};
using UniqueImageList = Unique<HIMAGELIST, ImageListTraits>;

// Puts back the selected objects, colours, modes and clipping of a DC that a
// drawing routine borrowed.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (saved_ != 0) ::RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

// The colour and mask bitmaps of an icon, copies that GetIconInfo hands to
// its caller. Both empty when the icon has none; the colour one is empty for
// a monochrome icon, whose mask holds both halves.
struct IconBitmaps {
  UniqueBitmap colour;
  UniqueBitmap mask;
};
IconBitmaps BitmapsOf(HICON icon);

// A top-down 24-bit DIB section; `bits` receives its rows, each padded to a
// multiple of four bytes, blue first in every pixel.
UniqueBitmap CreateDib24(int width, int height, void** bits);

}  // namespace lumvik
