// The row colours of the task urgencies in a theme.
#pragma once

#include "theme/row_colours.h"
#include "theme/theme_file.h"

namespace lumvik {

// `urg_v_tc` on `urg_v_bc` for importance v, at index v - 1.
UrgencyColours UrgencyColoursOf(const ThemeRecord& theme);

}  // namespace lumvik
