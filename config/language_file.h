// The language file of the program folder: one group of numbered interface
// texts per language. Each `program_folder` ends with a separator, or is ""
// for the current directory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_file.h"
#include "config/text_table.h"

namespace lumvik {

constexpr std::string_view kLanguageFileName = "Lumvik.lng.ini";

// Stores texts 0 to `last_text` (at most 150) of the group `language` (the
// lines before the first group when the name is empty), then every text from
// 151 to the end of the table, each "" when its key is missing. Without the
// file the table stays as it was.
void LoadTexts(const std::string& program_folder, std::string_view language, std::int32_t last_text,
               TextTable& texts, IniReader reader);

// The options window's names of the groups, in file order: each line that
// starts with "[" without its first and last character, capitalised.
std::vector<std::string> ListLanguages(const std::string& program_folder);

}  // namespace lumvik
