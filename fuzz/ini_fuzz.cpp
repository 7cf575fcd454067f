// Arbitrary bytes through both INI readers: reads, writes into what was read,
// and a rewrite that must read back as the lines it was made from.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "config/ini_file.h"
#include "fuzz/ini_fuzz_checks.h"
#include "platform/text.h"

namespace lumvik {
namespace {

// Same lines, except that Lumvik's reader trims the values written unchanged.
void CheckSameLines(const IniFile& written, const IniFile& reread, IniReader reader) {
  Check(written.lines().size() == reread.lines().size());
  for (std::size_t i = 0; i < written.lines().size(); ++i) {
    const IniLine& before = written.lines()[i];
    const IniLine& after = reread.lines()[i];
    Check(before.kind == after.kind && before.name == after.name);
    const bool trimmed = before.kind == IniLineKind::Entry && reader == IniReader::Lumvik;
    Check(after.text == (trimmed ? std::string(TrimBlanks(before.text)) : before.text));
  }
}

void Exercise(std::string_view bytes, IniReader reader) {
  IniFile file = IniFile::Parse(bytes, reader);
  Check(IniFile::Parse(file.Serialize(), reader).lines() == file.lines());

  constexpr std::string_view kGroups[] = {"", "Application", "theme", "francais"};
  constexpr std::string_view kKeys[] = {"droite", "skin", "0", "police"};
  for (std::string_view group : kGroups) {
    for (std::string_view key : kKeys) {
      const std::optional<std::string> value = file.Find(group, key);
      Check(file.ReadString(group, key, "\x01") == (value ? *value : "\x01"));
      Check(file.ReadInt32(group, key, 7) == (value ? ParseDecimal32(*value) : 7));
    }
  }

  const std::string_view value = bytes.substr(bytes.size() / 2);
  for (std::size_t i = 0; i < std::size(kKeys); ++i) file.Write(kGroups[i], kKeys[i], value);
  file.WriteInt("Application", "langagenb", static_cast<std::int64_t>(bytes.size()) - 100);

  const IniFile reread = IniFile::Parse(file.Serialize(), reader);
  CheckSameLines(file, reread, reader);
  for (std::size_t i = 0; i < std::size(kKeys); ++i) {
    Check(reread.ReadString(kGroups[i], kKeys[i], "\x01") == ReadBack(value, reader));
  }
  Check(reread.ReadInt32("Application", "langagenb", 7) ==
        static_cast<std::int32_t>(bytes.size()) - 100);
}

}  // namespace
}  // namespace lumvik

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumvik::WithBothReaders(data, size, lumvik::Exercise);
  return 0;
}
