#include "config/language_file.h"

#include <algorithm>
#include <optional>

#include "platform/codepage.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace lumvik {

namespace {

std::string LanguageFilePath(const std::string& program_folder) {
  return program_folder + std::string(kLanguageFileName);
}

// "[deutsch] " shows as "Deutsch]": the line's last character goes, whatever it is.
std::string DisplayName(std::string_view header_line) {
  return CapitalisedLatin1(
      header_line.substr(1, header_line.size() >= 2 ? header_line.size() - 2 : 0));
}

}  // namespace

void LoadTexts(const std::string& program_folder, std::string_view language, std::int32_t last_text,
               TextTable& texts, IniReader reader) {
  const std::optional<std::string> bytes = ReadWholeFile(LanguageFilePath(program_folder));
  if (!bytes) return;
  const IniFile file = IniFile::Parse(*bytes, reader);
  const auto load = [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t number = first; number <= last; ++number) {
      texts.Set(static_cast<int>(number), file.ReadString(language, std::to_string(number), ""));
    }
  };
  const auto table_end = static_cast<std::int64_t>(texts.size()) - 1;
  load(0, std::min<std::int64_t>({last_text, kFirstAddedText - 1, table_end}));
  load(kFirstAddedText, table_end);
}

std::vector<std::string> ListLanguages(const std::string& program_folder) {
  std::vector<std::string> names;
  const std::optional<std::string> bytes = ReadWholeFile(LanguageFilePath(program_folder));
  if (!bytes) return names;
  std::string_view text = *bytes;
  // The options window belongs to Lumvik, whose reader takes a marked file as UTF-8.
  const bool utf8 = text.starts_with(kUtf8Mark);
  if (utf8) text.remove_prefix(kUtf8Mark.size());
  ForEachLine(text, [&](std::string_view line) {
    if (!line.starts_with('[')) return;
    names.push_back(DisplayName(utf8 ? AnsiFromUtf8(line) : std::string(line)));
  });
  return names;
}

}  // namespace lumvik
