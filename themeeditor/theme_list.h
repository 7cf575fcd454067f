// The themes Skinwright edits: their names as the program folder's theme
// files give them, the change mark of the theme selector, and the current
// theme that the selector's text names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "theme/theme_file.h"

namespace lumvik {

// What the selector shows after a theme's name while it has unsaved changes.
constexpr std::string_view kChangeMark = " *";

// The theme name that a file name of the folder gives: the name without
// ".lvs", its first character in upper case and the rest in lower case.
// Nothing when the extension is not ".lvs" in exactly these small letters.
std::optional<std::string> ThemeNameOfFile(std::string_view file_name);

// One theme per listed file, in the order given, read from the files found.
std::vector<ThemeRecord> ReadThemeList(const std::string& program_folder,
                                       const std::vector<std::string>& file_names);

// The selector text with the change mark when it has none yet.
std::string WithChangeMark(std::string_view text);

// The selector text without its change mark: a text that ends with "*"
// loses its last two characters.
std::string WithoutChangeMark(std::string_view text);

// The position of the theme the selector's text names: the first theme of
// exactly that name, letter case included, else the last theme. Nothing
// when the list is empty.
std::optional<std::size_t> FindCurrentTheme(const std::vector<ThemeRecord>& themes,
                                            std::string_view selector_text);

}  // namespace lumvik
