// Byte-string helpers shared by the file readers: the programs hold every
// text as bytes of the ANSI code page, so nothing here decodes characters.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace lumvik {

// Accumulates "[blanks][+|-]digits" in wrapping 64-bit arithmetic, stopping at
// the first other byte; no digits gives 0. Blanks are spaces and tabs.
std::int64_t ParseDecimal(std::string_view text);

// Low 16 bits of ParseDecimal as a signed value (70000 reads as 4464).
std::int16_t ParseDecimal16(std::string_view text);

// Low 32 bits of ParseDecimal as a signed value.
std::int32_t ParseDecimal32(std::string_view text);

// Folds A..Z and the Latin-1 capitals 0xC0..0xDE to lower case.
char LowerLatin1(char c);
std::string LowerLatin1(std::string_view text);

// Folds a..z and the Latin-1 small letters 0xE0..0xFE (but not 0xF7) up.
char UpperLatin1(char c);

// The first letter in upper case and the rest in lower case, as the options
// window shows names of languages, skins and themes.
std::string CapitalisedLatin1(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Space or tab; inline, as the reader asks it of every byte of a key.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Without leading and trailing spaces and tabs.
std::string_view TrimBlanks(std::string_view text);

// Without leading and trailing spaces (character 32 only).
std::string_view TrimSpaces(std::string_view text);

// The text with every "%1" replaced by `value`, as a text of the language
// file marks where a name goes; the value itself is not searched again.
std::string FillPlaceholder(std::string_view text, std::string_view value);
// The same for "%1" to "%9" and as many values; "%" before anything else
// stays as it is.
std::string FillPlaceholders(std::string_view text, std::span<const std::string> values);

// A count with its thousands set apart by a no-break space (Windows-1252
// 0xA0), which no line ever breaks at: "1\xA0204".
std::string GroupedNumber(long long count);

// Position of the first CR or LF at or after `start`, or the text's size.
// A plain loop: the library's find_first_of costs a call per byte.
inline std::size_t LineEndAt(std::string_view text, std::size_t start) {
  while (start < text.size() && text[start] != '\r' && text[start] != '\n') ++start;
  return start;
}

// Splits at CR LF, CR or LF; a final line end does not start an empty line.
// The next CR and the next LF are each found once with memchr and kept until
// the lines pass them, so a text is crossed once whatever its line ends.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  const char* const data = text.data();
  const std::size_t size = text.size();
  const auto next = [&](char c, std::size_t from) {
    const void* found = from < size ? std::memchr(data + from, c, size - from) : nullptr;
    return found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - data)
                            : size;
  };
  std::size_t next_cr = next('\r', 0);
  std::size_t next_lf = next('\n', 0);
  std::size_t start = 0;
  while (start < size) {
    if (next_cr < start) next_cr = next('\r', start);
    if (next_lf < start) next_lf = next('\n', start);
    const std::size_t end = std::min(next_cr, next_lf);
    visit(text.substr(start, end - start));
    if (end == size) return;
    start = end + ((data[end] == '\r' && end + 1 < size && data[end + 1] == '\n') ? 2 : 1);
  }
}

}  // namespace lumvik
