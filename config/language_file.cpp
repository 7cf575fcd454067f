#include "config/language_file.h"

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
  std::string name =
      LowerLatin1(header_line.substr(1, header_line.size() >= 2 ? header_line.size() - 2 : 0));
  if (!name.empty()) name.front() = UpperLatin1(name.front());
  return name;
}

}  // namespace

void LoadTexts(const std::string& program_folder, std::string_view language, std::int32_t last_text,
               TextTable& texts, IniReader reader) {
  const std::optional<std::string> bytes = ReadWholeFile(LanguageFilePath(program_folder));
  if (!bytes) return;
  const IniFile file = IniFile::Parse(*bytes, reader);
  const auto table_size = static_cast<std::int64_t>(texts.size());
  for (std::int64_t number = 0; number <= last_text && number < table_size; ++number) {
    texts.Set(static_cast<int>(number), file.ReadString(language, std::to_string(number), ""));
  }
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
