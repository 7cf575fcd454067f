#include "themeeditor/theme_list.h"

namespace lumvik {

namespace {

// The Western code page's capitals of the small letters 224 to 255: 32 below
// them, but for the division sign, which has none, and y with diaeresis,
// whose capital is 159.
char UpperWestern(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'a' && byte <= 'z') return static_cast<char>(byte - 32);
  if (byte == 0xF7) return c;
  if (byte == 0xFF) return static_cast<char>(0x9F);
  if (byte >= 0xE0) return static_cast<char>(byte - 32);
  return c;
}

char LowerAsciiLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool EndsWithMark(std::string_view text) { return !text.empty() && text.back() == '*'; }

}  // namespace

std::optional<std::string> ThemeNameOfFile(std::string_view file_name) {
  if (!file_name.ends_with(kThemeExtension)) return std::nullopt;
  std::string name(file_name.substr(0, file_name.size() - kThemeExtension.size()));
  for (std::size_t i = 0; i < name.size(); ++i) {
    name[i] = i == 0 ? UpperWestern(name[i]) : LowerAsciiLetter(name[i]);
  }
  return name;
}

std::vector<ThemeRecord> ReadThemeList(const std::string& program_folder,
                                       const std::vector<std::string>& file_names) {
  std::vector<ThemeRecord> themes;
  for (const std::string& file_name : file_names) {
    std::optional<std::string> name = ThemeNameOfFile(file_name);
    if (!name) continue;
    ThemeRecord theme;
    // The file as found: its name may differ in letter case from the shown
    // one, which matters where file names are case-sensitive.
    const std::string found = file_name.substr(0, file_name.size() - kThemeExtension.size());
    ReadThemeFile(program_folder, found, theme, IniReader::Skinwright);
    theme.name = std::move(*name);
    theme.modified = 0;
    themes.push_back(std::move(theme));
  }
  return themes;
}

std::string WithChangeMark(std::string_view text) {
  if (EndsWithMark(text)) return std::string(text);
  return std::string(text) + std::string(kChangeMark);
}

std::string WithoutChangeMark(std::string_view text) {
  if (!EndsWithMark(text)) return std::string(text);
  return std::string(
      text.substr(0, text.size() < kChangeMark.size() ? 0 : text.size() - kChangeMark.size()));
}

std::optional<std::size_t> FindCurrentTheme(const std::vector<ThemeRecord>& themes,
                                            std::string_view selector_text) {
  if (themes.empty()) return std::nullopt;
  const std::string name = WithoutChangeMark(selector_text);
  for (std::size_t k = 0; k < themes.size(); ++k) {
    if (themes[k].name == name) return k;
  }
  return themes.size() - 1;
}

}  // namespace lumvik
