#include "help/feedback_body.h"

#include <algorithm>
#include <cstdint>

#include "document/format_version.h"
#include "platform/codepage.h"
#include "platform/text.h"

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

// Where a line that must end inside `window` is best broken.
std::size_t BreakPoint(std::string_view window) {
  std::size_t best = 0;
  if (const auto br = window.rfind("<br>"); br != std::string_view::npos) best = br + 4;
  if (const auto blank = window.rfind(' '); blank != std::string_view::npos) {
    best = std::max(best, blank + 1);
  }
  if (best > 0) return best;
  // A tag or reference cut in two would show as text; these are a few bytes
  // long, so stepping back over an open one always leaves something.
  const auto open = window.find_last_of("&<");
  if (open != std::string_view::npos && open > 0 &&
      window.find_first_of(";>", open) == std::string_view::npos) {
    return open;
  }
  return window.size();
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
  ForEachLine(body, [&lines](std::string_view rest) {
    do {
      const bool dotted = !rest.empty() && rest.front() == '.';
      const std::size_t room = kMaxMailLine - (dotted ? 1 : 0);
      const std::size_t length =
          rest.size() <= room ? rest.size() : BreakPoint(rest.substr(0, room));
      lines.push_back((dotted ? "." : "") + std::string(rest.substr(0, length)));
      rest.remove_prefix(length);
    } while (!rest.empty());
  });
  return lines;
}

}  // namespace lumvik
