#include "theme/progress_images_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/testing/temp_dir.h"
#include "theme/progress_font_win32.h"
#include "theme/testing/gdi_testing_win32.h"

namespace lumvik {
namespace {

using testing::DibCanvas;
using testing::TestTreeWindow;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The theme that a missing theme file gives.
ThemeRecord DefaultTheme() {
  testing::TempDir folder;
  ThemeRecord theme;
  ReadThemeFile(folder.path(), "missing", theme, IniReader::Lumvik);
  return theme;
}

// Three colours that tell the bar, its empty part and the label apart.
ThemeRecord DistinctTheme() {
  ThemeRecord theme = DefaultTheme();
  theme.avancement_fgc = RGB(200, 0, 0);
  theme.avancement_bgc = RGB(0, 160, 0);
  theme.avancement_tc = RGB(0, 0, 220);
  return theme;
}

// The cell that the label "10*tenths%" takes, one pixel wider on every side
// for the smoothing of its edges.
RECT LabelBox(int tenths, HFONT font) {
  DibCanvas measure(1, 1, kWhite);
  ::SelectObject(measure.dc(), font);
  const std::string label = std::to_string(10 * tenths) + "%";
  SIZE extent{};
  ::GetTextExtentPoint32A(measure.dc(), label.c_str(), static_cast<int>(label.size()), &extent);
  const int left = (kProgressPictureWidth - extent.cx) / 2;
  return {left - 1, -3, left + extent.cx + 1, -2 + extent.cy + 1};
}

COLORREF BarColour(int x, int y, int tenths, const ThemeRecord& theme) {
  if (y >= 12) return kWhite;
  return static_cast<COLORREF>(x < 5 * tenths ? theme.avancement_fgc : theme.avancement_bgc);
}

// A picture of the list, drawn on its own.
class PictureReadBack : public DibCanvas {
 public:
  PictureReadBack(HIMAGELIST list, int picture)
      : DibCanvas(kProgressPictureWidth, kProgressPictureHeight, RGB(1, 2, 3)) {
    ::ImageList_Draw(list, picture, dc(), 0, 0, ILD_NORMAL);
  }
};

// Every pixel outside the label is the bar's, and the label left a mark.
void ExpectPicture(HIMAGELIST list, int picture, int tenths, const ThemeRecord& theme, HFONT font) {
  SCOPED_TRACE("picture " + std::to_string(picture));
  const PictureReadBack canvas(list, picture);
  const RECT label = LabelBox(tenths, font);
  int label_pixels = 0;
  for (int y = 0; y < kProgressPictureHeight; ++y) {
    for (int x = 0; x < kProgressPictureWidth; ++x) {
      const COLORREF bar = BarColour(x, y, tenths, theme);
      if (PtInRect(&label, POINT{x, y})) {
        label_pixels += canvas.Pixel(x, y) != bar;
      } else {
        ASSERT_EQ(canvas.Pixel(x, y), bar) << "at " << x << ", " << y;
      }
    }
  }
  EXPECT_GT(label_pixels, 0);
}

class ProgressImagesTest : public ::testing::Test {
 protected:
  TestTreeWindow window_;
};

TEST_F(ProgressImagesTest, ThirteenPicturesOfEveryTenthBecomeTheStateImages) {
  const ThemeRecord theme = DistinctTheme();
  const UniqueFont font = CreateProgressFont(theme);
  const UniqueImageList list = BuildProgressImages(window_.tree(), theme, font.get());
  ASSERT_TRUE(list);
  EXPECT_EQ(::SendMessageA(window_.tree(), TVM_GETIMAGELIST, TVSIL_STATE, 0),
            reinterpret_cast<LRESULT>(list.get()));
  ASSERT_EQ(::ImageList_GetImageCount(list.get()), kProgressPictureCount);
  int width = 0;
  int height = 0;
  ::ImageList_GetIconSize(list.get(), &width, &height);
  EXPECT_EQ(width, kProgressPictureWidth);
  EXPECT_EQ(height, kProgressPictureHeight);
  for (int picture = 0; picture < kProgressPictureCount; ++picture) {
    ExpectPicture(list.get(), picture, std::max(0, picture - 1), theme, font.get());
  }
}

TEST_F(ProgressImagesTest, EmptyPictureComesTwiceAndTheFullBarsFillTheWidth) {
  const ThemeRecord theme = DistinctTheme();
  const UniqueFont font = CreateProgressFont(theme);
  const UniqueImageList list = BuildProgressImages(window_.tree(), theme, font.get());
  const PictureReadBack first(list.get(), 0);
  const PictureReadBack second(list.get(), 1);
  const PictureReadBack full(list.get(), 11);
  const PictureReadBack beyond(list.get(), 12);
  for (int y = 0; y < kProgressPictureHeight; ++y) {
    for (int x = 0; x < kProgressPictureWidth; ++x) {
      ASSERT_EQ(first.Pixel(x, y), second.Pixel(x, y)) << "at " << x << ", " << y;
    }
  }
  // The label stays off the edges, so both ends of the bar show the fill.
  for (int y = 0; y < 12; ++y) {
    for (const int x : {0, 1, kProgressPictureWidth - 2, kProgressPictureWidth - 1}) {
      EXPECT_EQ(full.Pixel(x, y), static_cast<COLORREF>(theme.avancement_fgc));
      EXPECT_EQ(beyond.Pixel(x, y), static_cast<COLORREF>(theme.avancement_fgc));
    }
  }
}

TEST_F(ProgressImagesTest, HalfBarInTheDefaultThemeIsBlueOnBlack) {
  const ThemeRecord theme = DefaultTheme();
  const UniqueFont font = CreateProgressFont(theme);
  const UniqueImageList list = BuildProgressImages(window_.tree(), theme, font.get());
  const PictureReadBack half(list.get(), 6);
  const RECT label = LabelBox(5, font.get());
  for (int y = 0; y < kProgressPictureHeight; ++y) {
    for (int x = 0; x < kProgressPictureWidth; ++x) {
      if (PtInRect(&label, POINT{x, y})) continue;
      const COLORREF expected = y >= 12 ? kWhite : x <= 24 ? RGB(0, 0, 255) : RGB(0, 0, 0);
      ASSERT_EQ(half.Pixel(x, y), expected) << "at " << x << ", " << y;
    }
  }
}

TEST_F(ProgressImagesTest, HugeLabelIsClippedToThePictureAndTheDcIsGivenBack) {
  ThemeRecord theme = DistinctTheme();
  theme.police_size = 40;  // "100%" is then more than twice as wide as the picture
  const UniqueFont font = CreateProgressFont(theme);
  constexpr COLORREF kOutside = RGB(255, 0, 255);
  constexpr int kLeft = 60;
  constexpr int kTop = 40;
  DibCanvas canvas(3 * kProgressPictureWidth, 6 * kProgressPictureHeight, kOutside);
  ::SetViewportOrgEx(canvas.dc(), kLeft, kTop, nullptr);
  ::SetTextColor(canvas.dc(), RGB(1, 1, 1));
  const HGDIOBJ font_before = ::GetCurrentObject(canvas.dc(), OBJ_FONT);

  DrawProgressPicture(canvas.dc(), 10, theme, font.get());

  EXPECT_EQ(::GetTextColor(canvas.dc()), RGB(1, 1, 1));
  EXPECT_EQ(::GetBkMode(canvas.dc()), OPAQUE);
  EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_FONT), font_before);
  const RECT picture{kLeft, kTop, kLeft + kProgressPictureWidth, kTop + kProgressPictureHeight};
  int label_pixels = 0;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (PtInRect(&picture, POINT{x, y})) {
        label_pixels += canvas.Pixel(x, y) == static_cast<COLORREF>(theme.avancement_tc);
      } else {
        ASSERT_EQ(canvas.Pixel(x, y), kOutside) << "at " << x << ", " << y;
      }
    }
  }
  EXPECT_GT(label_pixels, 0);
}

TEST_F(ProgressImagesTest, StateImageChangesOnlyItsOwnBits) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_STATE;
  insert.item.pszText = const_cast<char*>("row");
  insert.item.stateMask = TVIS_BOLD | TVIS_CUT;
  insert.item.state = TVIS_BOLD | TVIS_CUT;
  const auto item = reinterpret_cast<HTREEITEM>(
      ::SendMessageA(window_.tree(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  ASSERT_NE(item, nullptr);
  const auto state = [&] {
    return static_cast<UINT>(
        ::SendMessageA(window_.tree(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), ~0u));
  };

  for (const int index : {5, 12, 1, 15}) {
    EXPECT_TRUE(SetRowStateImage(window_.tree(), item, index));
    EXPECT_EQ(state() & TVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(index));
    EXPECT_EQ(state() & (TVIS_BOLD | TVIS_CUT), TVIS_BOLD | TVIS_CUT);
  }
  for (const int beyond : {16, -1, 0x1234}) {
    SetRowStateImage(window_.tree(), item, 7);
    SetRowStateImage(window_.tree(), item, beyond);
    EXPECT_EQ(state() & TVIS_STATEIMAGEMASK, 0u) << beyond;
    EXPECT_EQ(state() & (TVIS_BOLD | TVIS_CUT), TVIS_BOLD | TVIS_CUT);
  }

  EXPECT_TRUE(SetRowIcon(window_.tree(), item, 4));
  TVITEMA read{};
  read.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  read.hItem = item;
  ::SendMessageA(window_.tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
  EXPECT_EQ(read.iImage, 4);
  EXPECT_EQ(read.iSelectedImage, 4);
}

}  // namespace
}  // namespace lumvik
