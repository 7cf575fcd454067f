// The urgency colours of the theme that Lumvik beside the tool shows, for
// the printable view that lvk writes.
#pragma once

#include <string>

#include "theme/row_colours.h"

namespace lumvik {

// The colours of the theme the settings of `program_folder` name; black on
// white for every urgency when there are no settings or no such theme file,
// so that the page stays readable.
UrgencyColours ThemeUrgencyColours(const std::string& program_folder);

}  // namespace lumvik
