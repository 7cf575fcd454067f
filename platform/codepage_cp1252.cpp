#include <array>
#include <cstdint>

#include "platform/codepage.h"

namespace lumvik {

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The Windows-1252 byte of a code point, or '?' when the page lacks it.
char Cp1252Of(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when invalid.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (lead >= 0xF5 || length == 0 || i + length > text.size()) return 0;
  cp = lead & (0x3F >> (length - 1));
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
  return overlong ? 0 : length;
}

}  // namespace

std::string Utf8FromCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8FromAnsi(std::string_view text) { return Utf8FromCp1252(text); }

std::string AnsiFromUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const std::size_t length =
        static_cast<unsigned char>(text[i]) < 0x80 ? 0 : DecodeUtf8(text, i, cp);
    if (length == 0) {
      out += text[i++];
    } else {
      out += Cp1252Of(cp);
      i += length;
    }
  }
  return out;
}

std::optional<std::string> Cp1252FromUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = static_cast<unsigned char>(text[i]);
    const std::size_t length = cp < 0x80 ? 1 : DecodeUtf8(text, i, cp);
    // '?' is the page's own only where the text has it.
    if (length == 0 || (Cp1252Of(cp) == '?' && cp != '?')) return std::nullopt;
    out += Cp1252Of(cp);
    i += length;
  }
  return out;
}

}  // namespace lumvik
