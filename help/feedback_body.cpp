#include "help/feedback_body.h"

#include <cstdint>
#include <utility>

#include "document/format_version.h"
#include "platform/codepage.h"

namespace lumvik {

namespace {

// Windows-1252 decoded through the code page's UTF-8 form, so that the page's
// one table also gives the character references.
char32_t CodePointOf(char byte) {
  const std::string utf8 = Utf8FromCp1252(std::string_view(&byte, 1));
  char32_t cp = static_cast<unsigned char>(utf8[0]) & (utf8.size() == 2 ? 0x1F : 0x0F);
  for (std::size_t k = 1; k < utf8.size(); ++k) {
    cp = (cp << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3F);
  }
  return cp;
}

// One byte of the body as quoted-printable text.
std::string Encoded(char c) {
  if (c >= ' ' && c <= '~' && c != '=') return std::string(1, c);
  constexpr char kHex[] = "0123456789ABCDEF";
  const auto byte = static_cast<unsigned char>(c);
  return {'=', kHex[byte >> 4], kHex[byte & 0x0F]};
}

}  // namespace

std::string HtmlFromText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    switch (const char c = text[i]) {
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "<br>";
        break;
      case '\n':
        out += "<br>";
        break;
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x80) {
          out += c;
        } else {
          out += "&#" + std::to_string(static_cast<std::uint32_t>(CodePointOf(c))) + ";";
        }
    }
  }
  return out;
}

std::string FeedbackBody(std::string_view name, std::string_view langage,
                         std::string_view message) {
  return "<b>De : " + HtmlFromText(name) + "</b><p><u>Langage :</u>  " + HtmlFromText(langage) +
         "<p><u>Version :</u>  " + std::string(kFormatVersion) +
         "<p><u>Message :</u><br>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;" + HtmlFromText(message);
}

std::vector<std::string> MailBodyLines(std::string_view body) {
  std::vector<std::string> lines;
  std::string line;
  const auto end_line = [&lines, &line] {
    const bool dotted = line.starts_with('.');
    lines.push_back((dotted ? "." : "") + std::exchange(line, {}) + "=");
  };
  for (char c : body) {
    const std::string piece = Encoded(c);
    // An encoded byte stays whole on its line, with room for the soft break.
    if (line.size() + piece.size() >= kMaxEncodedLine) end_line();
    line += piece;
  }
  if (!line.empty()) end_line();
  return lines;
}

}  // namespace lumvik
