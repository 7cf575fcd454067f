#include "theme/progress_images_win32.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace lumvik {

namespace {

constexpr int kBarHeight = 12;  // the two rows below the bar stay white
constexpr int kFillPerTenth = 5;
constexpr int kLabelTop = -2;
constexpr int kHighestStateImageIndex = 15;  // what state bits 12 to 15 can hold

// Theme files hold colours as signed numbers; only the 24 colour bits are a colour.
COLORREF ThemeColour(std::int32_t value) { return static_cast<COLORREF>(value) & 0xFFFFFFu; }

void FillArea(HDC dc, int x, int y, int width, int height, COLORREF colour) {
  UniqueBrush brush(::CreateSolidBrush(colour));
  const RECT area{x, y, x + width, y + height};
  ::FillRect(dc, &area, brush.get());
}

void DrawLabel(HDC dc, int tenths, COLORREF colour, HFONT font) {
  const std::string label = std::to_string(10 * tenths) + "%";
  const int length = static_cast<int>(label.size());
  if (font != nullptr) ::SelectObject(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, colour);
  ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  SIZE extent{};
  ::GetTextExtentPoint32A(dc, label.c_str(), length, &extent);
  // A label wider than the picture starts left of it and is cut at both edges.
  ::TextOutA(dc, (kProgressPictureWidth - extent.cx) / 2, kLabelTop, label.c_str(), length);
}

bool AppendProgressPictures(HIMAGELIST list, const ThemeRecord& theme, HFONT label_font) {
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  void* bits = nullptr;
  UniqueBitmap picture = CreateDib24(kProgressPictureWidth, kProgressPictureHeight, &bits);
  if (!dc || !picture) return false;
  for (int k = 0; k < kProgressPictureCount; ++k) {
    {
      SavedDcState saved(dc.get());
      ::SelectObject(dc.get(), picture.get());
      DrawProgressPicture(dc.get(), std::max(0, k - 1), theme, label_font);
    }  // the list copies the picture once no DC holds it
    if (::ImageList_Add(list, picture.get(), nullptr) < 0) return false;
  }
  return true;
}

}  // namespace

void DrawProgressPicture(HDC dc, int tenths, const ThemeRecord& theme, HFONT label_font) {
  SavedDcState saved(dc);
  ::IntersectClipRect(dc, 0, 0, kProgressPictureWidth, kProgressPictureHeight);
  FillArea(dc, 0, 0, kProgressPictureWidth, kBarHeight, ThemeColour(theme.avancement_bgc));
  FillArea(dc, 0, 0, std::max(0, kFillPerTenth * tenths), kBarHeight,
           ThemeColour(theme.avancement_fgc));
  FillArea(dc, 0, kBarHeight, kProgressPictureWidth, kProgressPictureHeight - kBarHeight,
           RGB(255, 255, 255));
  DrawLabel(dc, tenths, ThemeColour(theme.avancement_tc), label_font);
}

UniqueImageList BuildProgressImages(HWND tree, const ThemeRecord& theme, HFONT label_font) {
  UniqueImageList list(::ImageList_Create(kProgressPictureWidth, kProgressPictureHeight,
                                          ILC_COLOR24, kProgressPictureCount, 0));
  if (list && !AppendProgressPictures(list.get(), theme, label_font)) list.reset();
  ::SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(list.get()));
  return list;
}

UINT RowStateImageBits(int index) {
  return index < 0 || index > kHighestStateImageIndex ? 0 : INDEXTOSTATEIMAGEMASK(index);
}

bool SetRowStateImage(HWND tree, HTREEITEM item, int index) {
  TVITEMA row{};
  row.mask = TVIF_STATE;
  row.hItem = item;
  row.stateMask = TVIS_STATEIMAGEMASK;
  row.state = RowStateImageBits(index);
  return ::SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&row)) != FALSE;
}

bool SetRowIcon(HWND tree, HTREEITEM item, int picture) {
  TVITEMA row{};
  row.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  row.hItem = item;
  row.iImage = picture;
  row.iSelectedImage = picture;
  return ::SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&row)) != FALSE;
}

}  // namespace lumvik
