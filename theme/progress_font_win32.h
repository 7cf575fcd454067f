// The theme's fonts: a face name and a size in points, as theme files hold them.
#pragma once

#include <cstdint>
#include <string>

#include "theme/gdi_owners_win32.h"
#include "theme/theme_file.h"

namespace lumvik {

// The face at that many points on the screen; a face the system lacks is
// left to its font matching, and a size of 0 or less gives the font's
// default height. Empty when GDI refuses the font.
UniqueFont CreateThemeFont(const std::string& face, std::int32_t points);

// The label font of the progress pictures: `police` at `police_size` points.
UniqueFont CreateProgressFont(const ThemeRecord& theme);

}  // namespace lumvik
