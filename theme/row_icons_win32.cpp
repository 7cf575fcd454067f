#include "theme/row_icons_win32.h"

#include <array>

namespace lumvik {

namespace {

bool HasSize(HBITMAP bitmap, int width, int height) {
  BITMAP shape{};
  return ::GetObjectA(bitmap, sizeof shape, &shape) == sizeof shape && shape.bmWidth == width &&
         shape.bmHeight == height;
}

// A picture whose mask hides every pixel.
bool AppendEmptyPicture(HIMAGELIST list) {
  void* bits = nullptr;
  UniqueBitmap colour = CreateDib24(kRowIconSize, kRowIconSize, &bits);
  std::array<WORD, kRowIconSize> mask_rows;  // one word per row: 16 pixels
  mask_rows.fill(0xFFFF);
  UniqueBitmap mask(::CreateBitmap(kRowIconSize, kRowIconSize, 1, 1, mask_rows.data()));
  return colour && mask && ::ImageList_Add(list, colour.get(), mask.get()) >= 0;
}

bool AppendIcon(HIMAGELIST list, HICON icon) {
  if (icon == nullptr) return AppendEmptyPicture(list);
  return AppendIconPicture(list, icon) >= 0 || AppendEmptyPicture(list);
}

bool AppendIcons(HIMAGELIST list, std::span<const HICON> icons) {
  for (HICON icon : icons) {
    if (!AppendIcon(list, icon)) return false;
  }
  return true;
}

}  // namespace

// The bitmaps go in as they are when they have the list's size. Anything else
// (a monochrome icon, another size) is drawn into the cell instead, since the
// list would cut a wider bitmap into several pictures.
int AppendIconPicture(HIMAGELIST list, HICON icon) {
  int width = 0;
  int height = 0;
  ::ImageList_GetIconSize(list, &width, &height);
  const IconBitmaps bitmaps = BitmapsOf(icon);
  if (bitmaps.colour && HasSize(bitmaps.colour.get(), width, height) && bitmaps.mask &&
      HasSize(bitmaps.mask.get(), width, height)) {
    return ::ImageList_Add(list, bitmaps.colour.get(), bitmaps.mask.get());
  }
  return ::ImageList_ReplaceIcon(list, -1, icon);
}

UniqueImageList BuildRowIcons(HWND tree, std::span<const HICON> icons) {
  UniqueImageList list(::ImageList_Create(kRowIconSize, kRowIconSize, ILC_COLOR32 | ILC_MASK,
                                          static_cast<int>(icons.size()), 0));
  if (list && !AppendIcons(list.get(), icons)) list.reset();
  ::SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list.get()));
  return list;
}

}  // namespace lumvik
