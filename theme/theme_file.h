// Theme files "<name>.lvs": a theme's colours and font names in group "Theme".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/ini_file.h"

namespace lumvik {

constexpr std::string_view kThemeExtension = ".lvs";

// Colours are red + 256 * green + 65536 * blue.
struct ThemeRecord {
  std::string name;
  std::int32_t avancement_fgc = 0;
  std::int32_t avancement_bgc = 0;
  std::int32_t avancement_tc = 0;
  std::string police;
  std::int32_t police_size = 0;
  std::string police_nom;
  std::string police_design;
  std::int32_t urg_1_bc = 0;
  std::int32_t urg_1_tc = 0;
  std::int32_t urg_2_bc = 0;
  std::int32_t urg_2_tc = 0;
  std::int32_t urg_3_bc = 0;
  std::int32_t urg_3_tc = 0;
  std::int32_t urg_4_bc = 0;
  std::int32_t urg_4_tc = 0;
  std::int32_t urg_5_bc = 0;
  std::int32_t urg_5_tc = 0;
  std::uint8_t modified = 0;  // Skinwright's mark of changes not yet saved; never stored

  bool operator==(const ThemeRecord&) const = default;
};

// `program_folder` ends with a separator, or is "" for the current directory.
std::string ThemeFileName(const std::string& program_folder, const std::string& name);

// Every field but `name` and `modified`; a missing key gives its default, a
// present value without digits 0.
void ReadThemeKeys(const IniFile& file, ThemeRecord& theme);

// The 17 keys, each replacing its first occurrence or added at the end of the group.
void WriteThemeKeys(IniFile& file, const ThemeRecord& theme);

// Never fails: without a readable file every field takes its default.
void ReadThemeFile(const std::string& program_folder, const std::string& name, ThemeRecord& theme,
                   IniReader reader);

// Stores the 17 keys into the file of `theme.name`, creating it if needed and
// keeping everything else the file holds. False when the file could not be
// written, and then it is as it was.
bool WriteThemeFile(const std::string& program_folder, const ThemeRecord& theme);

}  // namespace lumvik
