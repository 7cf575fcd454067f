// Arbitrary bytes as a theme file with both readers: the 17 values written
// into it read back, the rest of the file stays, and a second write of the
// same record gives the same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "config/ini_file.h"
#include "fuzz/ini_fuzz_checks.h"
#include "platform/text.h"
#include "theme/theme_file.h"

namespace lumvik {
namespace {

// A record whose numbers and font names come from the input.
ThemeRecord RecordFrom(std::string_view bytes) {
  ThemeRecord theme;
  std::int32_t* numbers[] = {&theme.avancement_fgc, &theme.avancement_bgc, &theme.avancement_tc,
                             &theme.police_size,    &theme.urg_1_bc,       &theme.urg_1_tc,
                             &theme.urg_2_bc,       &theme.urg_2_tc,       &theme.urg_3_bc,
                             &theme.urg_3_tc,       &theme.urg_4_bc,       &theme.urg_4_tc,
                             &theme.urg_5_bc,       &theme.urg_5_tc};
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    std::uint32_t value = 0;
    const std::size_t at = (i * 4) % (bytes.size() + 1);
    if (at < bytes.size()) {
      std::memcpy(&value, bytes.data() + at, std::min<std::size_t>(4, bytes.size() - at));
    }
    *numbers[i] = static_cast<std::int32_t>(value);
  }
  const std::size_t third = bytes.size() / 3;
  theme.police = bytes.substr(0, third);
  theme.police_nom = bytes.substr(third, third);
  theme.police_design = bytes.substr(2 * third);
  return theme;
}

void Exercise(std::string_view bytes, IniReader reader) {
  IniFile file = IniFile::Parse(bytes, reader);
  ThemeRecord read;
  ReadThemeKeys(file, read);

  const ThemeRecord written = RecordFrom(bytes);
  const std::size_t lines_before = file.lines().size();
  WriteThemeKeys(file, written);
  Check(file.lines().size() <= lines_before + 18);
  const std::string first = file.Serialize();

  IniFile reread = IniFile::Parse(first, reader);
  ThemeRecord back;
  ReadThemeKeys(reread, back);
  ThemeRecord expected = written;
  expected.police = ReadBack(written.police, reader);
  expected.police_nom = ReadBack(written.police_nom, reader);
  expected.police_design = ReadBack(written.police_design, reader);
  Check(back == expected);

  WriteThemeKeys(reread, written);
  Check(reread.Serialize() == first);
}

}  // namespace
}  // namespace lumvik

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumvik::WithBothReaders(data, size, lumvik::Exercise);
  return 0;
}
