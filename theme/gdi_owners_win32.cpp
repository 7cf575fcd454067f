#include "theme/gdi_owners_win32.h"

namespace lumvik {

IconBitmaps BitmapsOf(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return {};
  return {UniqueBitmap(info.hbmColor), UniqueBitmap(info.hbmMask)};
}

UniqueBitmap CreateDib24(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return UniqueBitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

}  // namespace lumvik
