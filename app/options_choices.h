// What the options window's lists offer and which entry each one selects
// when the window opens, decided from the names the program folder holds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvik {

// One entry per skin folder, in the order given, each capitalised.
std::vector<std::string> SkinEntries(const std::vector<std::string>& folder_names);

// One entry per theme file whose extension is ".lvs" in small letters
// exactly, the name without it, capitalised, in the order given.
std::vector<std::string> ThemeEntries(const std::vector<std::string>& file_names);

// The first entry whose lower-case text is the language's, in lower case.
std::optional<std::size_t> SelectedLanguage(const std::vector<std::string>& entries,
                                            std::string_view langage);

// The first entry whose lower-case text is the skin's, in lower case (a name
// typed with capitals into the settings file loads that skin at start-up,
// so its entry is chosen), else the first one.
std::optional<std::size_t> SelectedSkin(const std::vector<std::string>& entries,
                                        std::string_view icone_skin);

// The entry whose lower-case text is the current theme's name. A name that
// differs only in letter case (typed with capitals into the settings file)
// selects its theme rather than none, so that OK keeps the theme in use.
std::optional<std::size_t> SelectedTheme(const std::vector<std::string>& entries,
                                         std::string_view current_theme);

// What OK stores for a list: its selected entry in lower case, or nothing.
std::string StoredChoice(const std::vector<std::string>& entries,
                         std::optional<std::size_t> selected);

}  // namespace lumvik
