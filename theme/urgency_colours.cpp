#include "theme/urgency_colours.h"

namespace lumvik {

UrgencyColours UrgencyColoursOf(const ThemeRecord& theme) {
  return {{
      {theme.urg_1_tc, theme.urg_1_bc},
      {theme.urg_2_tc, theme.urg_2_bc},
      {theme.urg_3_tc, theme.urg_3_bc},
      {theme.urg_4_tc, theme.urg_4_bc},
      {theme.urg_5_tc, theme.urg_5_bc},
  }};
}

}  // namespace lumvik
