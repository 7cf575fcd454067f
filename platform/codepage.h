// Conversions between the ANSI code page that every text is held in and
// UTF-8, for files that carry a UTF-8 byte-order mark and for JSON output.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumvik {

// Windows-1252 to UTF-8; the five unassigned bytes become U+0081, U+008D,
// U+008F, U+0090 and U+009D.
std::string Utf8FromCp1252(std::string_view text);

// The ANSI code page, taken as Windows-1252 on every system so that files
// convert the same everywhere, to UTF-8 and back. Characters the code page lacks become '?'; bytes
// that are not valid UTF-8 are taken as they are.
std::string Utf8FromAnsi(std::string_view text);
std::string AnsiFromUtf8(std::string_view text);

// UTF-8 to Windows-1252, refusing what it cannot hold exactly: nothing when
// the text is not valid UTF-8 or has a character the code page lacks.
std::optional<std::string> Cp1252FromUtf8(std::string_view text);

}  // namespace lumvik
