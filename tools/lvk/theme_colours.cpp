#include "tools/lvk/theme_colours.h"

#include <optional>

#include "config/settings.h"
#include "platform/file_io.h"
#include "theme/theme_file.h"
#include "theme/urgency_colours.h"

namespace lumvik {

UrgencyColours ThemeUrgencyColours(const std::string& program_folder) {
  constexpr RowColours kBlackOnWhite{0x000000, 0xFFFFFF};
  const std::optional<std::string> name = ReadThemeSetting(program_folder);
  if (!name || !PathExists(ThemeFileName(program_folder, *name))) {
    return {kBlackOnWhite, kBlackOnWhite, kBlackOnWhite, kBlackOnWhite, kBlackOnWhite};
  }
  ThemeRecord theme;
  ReadThemeFile(program_folder, *name, theme, IniReader::Lumvik);
  return UrgencyColoursOf(theme);
}

}  // namespace lumvik
