#include "theme/progress_font_win32.h"

namespace lumvik {

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kDefaultPixelsPerInch = 96;

int ScreenPixelsPerInchY() {
  UniqueScreenDc screen(::GetDC(nullptr));
  return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : kDefaultPixelsPerInch;
}

}  // namespace

UniqueFont CreateThemeFont(const std::string& face, std::int32_t points) {
  // A negative height asks for the character height without the internal
  // leading, which is what a size in points measures.
  const int height = points > 0 ? -::MulDiv(points, ScreenPixelsPerInchY(), kPointsPerInch) : 0;
  return UniqueFont(::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

UniqueFont CreateProgressFont(const ThemeRecord& theme) {
  return CreateThemeFont(theme.police, theme.police_size);
}

}  // namespace lumvik
