#include "theme/row_icons_win32.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "theme/testing/gdi_testing_win32.h"

namespace lumvik {
namespace {

using testing::DibCanvas;
using testing::TestTreeWindow;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A square icon in one colour whose first `clear_columns` columns are transparent.
UniqueIcon MakeIcon(int size, COLORREF colour, int clear_columns = 0) {
  // Transparent pixels of an icon are black, so that the screen shows through.
  std::vector<DWORD> pixels(static_cast<size_t>(size * size));
  const int row_bytes = (size + 15) / 16 * 2;  // monochrome rows are padded to words
  std::vector<BYTE> mask_bits(static_cast<size_t>(row_bytes * size), 0);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const bool clear = x < clear_columns;
      pixels[y * size + x] =
          clear ? 0 : GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
      if (clear) mask_bits[y * row_bytes + x / 8] |= 0x80 >> (x % 8);
    }
  }
  UniqueBitmap colours(::CreateBitmap(size, size, 1, 32, pixels.data()));
  UniqueBitmap mask(::CreateBitmap(size, size, 1, 1, mask_bits.data()));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask.get();
  info.hbmColor = colours.get();
  return UniqueIcon(::CreateIconIndirect(&info));
}

// Picture `picture` of the list drawn with its mask over white.
class IconReadBack : public DibCanvas {
 public:
  IconReadBack(HIMAGELIST list, int picture) : DibCanvas(kRowIconSize, kRowIconSize, kWhite) {
    ::ImageList_Draw(list, picture, dc(), 0, 0, ILD_NORMAL);
  }
};

void ExpectColumns(HIMAGELIST list, int picture, int from, int to, COLORREF colour) {
  const IconReadBack canvas(list, picture);
  for (int y = 0; y < kRowIconSize; ++y) {
    for (int x = from; x < to; ++x) {
      ASSERT_EQ(canvas.Pixel(x, y), colour) << "picture " << picture << " at " << x << ", " << y;
    }
  }
}

class RowIconsTest : public ::testing::Test {
 protected:
  TestTreeWindow window_;
};

TEST_F(RowIconsTest, EachSlotKeepsItsNumberAndAnEmptySlotShowsNothing) {
  const std::array<COLORREF, 7> colours = {RGB(200, 0, 0),  RGB(0, 200, 0),   0,
                                           RGB(0, 0, 200),  RGB(200, 200, 0), RGB(0, 200, 200),
                                           RGB(120, 60, 30)};
  std::array<UniqueIcon, 7> owned;
  std::array<HICON, 7> icons{};
  for (int slot = 0; slot < 7; ++slot) {
    if (slot == 2) continue;  // the skin lacks this file
    owned[slot] = MakeIcon(kRowIconSize, colours[slot]);
    icons[slot] = owned[slot].get();
  }
  const UniqueImageList list = BuildRowIcons(window_.tree(), icons);
  ASSERT_TRUE(list);
  EXPECT_EQ(::SendMessageA(window_.tree(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0),
            reinterpret_cast<LRESULT>(list.get()));
  ASSERT_EQ(::ImageList_GetImageCount(list.get()), 7);
  for (int slot = 0; slot < 7; ++slot) {
    ExpectColumns(list.get(), slot, 0, kRowIconSize, slot == 2 ? kWhite : colours[slot]);
  }
}

TEST_F(RowIconsTest, TheMaskOfAnIconStaysTransparent) {
  const UniqueIcon icon = MakeIcon(kRowIconSize, RGB(0, 0, 200), 5);
  const HICON icons[] = {icon.get()};
  const UniqueImageList list = BuildRowIcons(window_.tree(), icons);
  ExpectColumns(list.get(), 0, 0, 5, kWhite);
  ExpectColumns(list.get(), 0, 5, kRowIconSize, RGB(0, 0, 200));
}

TEST_F(RowIconsTest, AnIconOfAnotherSizeTakesOnePicture) {
  const UniqueIcon large = MakeIcon(2 * kRowIconSize, RGB(200, 0, 0));
  const UniqueIcon small = MakeIcon(kRowIconSize, RGB(0, 200, 0));
  const HICON icons[] = {large.get(), small.get()};
  const UniqueImageList list = BuildRowIcons(window_.tree(), icons);
  ASSERT_EQ(::ImageList_GetImageCount(list.get()), 2);
  ExpectColumns(list.get(), 0, 0, kRowIconSize, RGB(200, 0, 0));
  ExpectColumns(list.get(), 1, 0, kRowIconSize, RGB(0, 200, 0));
}

TEST_F(RowIconsTest, ANewBuildReplacesTheTreesList) {
  const UniqueIcon icon = MakeIcon(kRowIconSize, RGB(0, 200, 0));
  const HICON icons[] = {icon.get()};
  const UniqueImageList first = BuildRowIcons(window_.tree(), icons);
  const UniqueImageList second = BuildRowIcons(window_.tree(), icons);
  EXPECT_NE(first.get(), second.get());
  EXPECT_EQ(::SendMessageA(window_.tree(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0),
            reinterpret_cast<LRESULT>(second.get()));
}

}  // namespace
}  // namespace lumvik
