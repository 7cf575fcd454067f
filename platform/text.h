// Byte-string helpers shared by the file readers: the programs hold every
// text as bytes of the ANSI code page, so nothing here decodes characters.
#pragma once

#include <cstdint>
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

bool IsBlank(char c);  // space or tab

// Without leading and trailing spaces and tabs.
std::string_view TrimBlanks(std::string_view text);

// Without leading and trailing spaces (character 32 only).
std::string_view TrimSpaces(std::string_view text);

// Position of the first CR or LF at or after `start`, or the text's size.
// A plain loop: the library's find_first_of costs a call per byte.
inline std::size_t LineEndAt(std::string_view text, std::size_t start) {
  while (start < text.size() && text[start] != '\r' && text[start] != '\n') ++start;
  return start;
}

// Splits at CR LF, CR or LF; a final line end does not start an empty line.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = LineEndAt(text, start);
    visit(text.substr(start, end - start));
    if (end == text.size()) return;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}

}  // namespace lumvik
