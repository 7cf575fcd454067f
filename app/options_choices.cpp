#include "app/options_choices.h"

#include "platform/text.h"
#include "theme/theme_file.h"

namespace lumvik {

namespace {

std::optional<std::size_t> FirstWhere(const std::vector<std::string>& entries, auto matches) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (matches(LowerLatin1(entries[i]))) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> FirstIgnoringCase(const std::vector<std::string>& entries,
                                             std::string_view name) {
  const std::string wanted = LowerLatin1(name);
  return FirstWhere(entries, [&](const std::string& entry) { return entry == wanted; });
}

}  // namespace

std::vector<std::string> SkinEntries(const std::vector<std::string>& folder_names) {
  std::vector<std::string> entries;
  for (const std::string& name : folder_names) entries.push_back(CapitalisedLatin1(name));
  return entries;
}

std::vector<std::string> ThemeEntries(const std::vector<std::string>& file_names) {
  std::vector<std::string> entries;
  for (std::string_view name : file_names) {
    if (!name.ends_with(kThemeExtension)) continue;
    entries.push_back(CapitalisedLatin1(name.substr(0, name.size() - kThemeExtension.size())));
  }
  return entries;
}

std::optional<std::size_t> SelectedLanguage(const std::vector<std::string>& entries,
                                            std::string_view langage) {
  return FirstIgnoringCase(entries, langage);
}

std::optional<std::size_t> SelectedSkin(const std::vector<std::string>& entries,
                                        std::string_view icone_skin) {
  const std::optional<std::size_t> found = FirstIgnoringCase(entries, icone_skin);
  if (found || entries.empty()) return found;
  return 0;
}

std::optional<std::size_t> SelectedTheme(const std::vector<std::string>& entries,
                                         std::string_view current_theme) {
  if (const std::optional<std::size_t> exact =
          FirstWhere(entries, [&](const std::string& entry) { return entry == current_theme; })) {
    return exact;
  }
  return FirstIgnoringCase(entries, current_theme);
}

std::string StoredChoice(const std::vector<std::string>& entries,
                         std::optional<std::size_t> selected) {
  if (!selected || *selected >= entries.size()) return {};
  return LowerLatin1(entries[*selected]);
}

}  // namespace lumvik
