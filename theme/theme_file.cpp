#include "theme/theme_file.h"

namespace lumvik {

namespace {

constexpr std::string_view kThemeGroup = "Theme";
constexpr std::string_view kDefaultFont = "Arial";

// One key of the file: a number (colour or size) or a font name.
struct ThemeKey {
  std::string_view key;
  std::int32_t ThemeRecord::*number;
  std::string ThemeRecord::*font;
  std::int32_t default_number;
};

// In the order in which writers store them.
constexpr ThemeKey kThemeKeys[] = {
    {"avancement_bgc", &ThemeRecord::avancement_bgc, nullptr, 0},
    {"avancement_fgc", &ThemeRecord::avancement_fgc, nullptr, 16711680},  // blue
    {"avancement_tc", &ThemeRecord::avancement_tc, nullptr, 16777215},    // white
    {"police", nullptr, &ThemeRecord::police, 0},
    {"police_size", &ThemeRecord::police_size, nullptr, 8},
    {"urg_1_bc", &ThemeRecord::urg_1_bc, nullptr, 0},
    {"urg_1_tc", &ThemeRecord::urg_1_tc, nullptr, 0},
    {"urg_2_bc", &ThemeRecord::urg_2_bc, nullptr, 0},
    {"urg_2_tc", &ThemeRecord::urg_2_tc, nullptr, 0},
    {"urg_3_bc", &ThemeRecord::urg_3_bc, nullptr, 0},
    {"urg_3_tc", &ThemeRecord::urg_3_tc, nullptr, 0},
    {"urg_4_bc", &ThemeRecord::urg_4_bc, nullptr, 0},
    {"urg_4_tc", &ThemeRecord::urg_4_tc, nullptr, 0},
    {"urg_5_bc", &ThemeRecord::urg_5_bc, nullptr, 0},
    {"urg_5_tc", &ThemeRecord::urg_5_tc, nullptr, 0},
    {"police_nom", nullptr, &ThemeRecord::police_nom, 0},
    {"police_design", nullptr, &ThemeRecord::police_design, 0},
};

}  // namespace

std::string ThemeFileName(const std::string& program_folder, const std::string& name) {
  return program_folder + name + std::string(kThemeExtension);
}

void ReadThemeKeys(const IniFile& file, ThemeRecord& theme) {
  for (const ThemeKey& key : kThemeKeys) {
    if (key.number != nullptr) {
      theme.*key.number = file.ReadInt32(kThemeGroup, key.key, key.default_number);
    } else {
      theme.*key.font = file.ReadString(kThemeGroup, key.key, kDefaultFont);
    }
  }
}

void WriteThemeKeys(IniFile& file, const ThemeRecord& theme) {
  for (const ThemeKey& key : kThemeKeys) {
    if (key.number != nullptr) {
      file.WriteInt(kThemeGroup, key.key, theme.*key.number);
    } else {
      file.Write(kThemeGroup, key.key, theme.*key.font);
    }
  }
}

void ReadThemeFile(const std::string& program_folder, const std::string& name, ThemeRecord& theme,
                   IniReader reader) {
  ReadThemeKeys(IniFile::Open(ThemeFileName(program_folder, name), reader), theme);
}

// Skinwright is the one writer of theme files, so the file is taken as its reader sees it.
bool WriteThemeFile(const std::string& program_folder, const ThemeRecord& theme) {
  IniFile file = IniFile::Open(ThemeFileName(program_folder, theme.name), IniReader::Skinwright);
  WriteThemeKeys(file, theme);
  return file.Save();
}

}  // namespace lumvik
