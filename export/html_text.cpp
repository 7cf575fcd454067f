#include "export/html_text.h"

#include "platform/codepage.h"

namespace lumvik {

std::string HtmlText(std::string_view ansi) {
  const std::string utf8 = Utf8FromCp1252(ansi);
  std::string html;
  html.reserve(utf8.size() + utf8.size() / 8);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    switch (utf8[i]) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      case '\'':
        html += "&#39;";
        break;
      case '\r':
        if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        html += '\n';
        break;
      default:
        html += utf8[i];
    }
  }
  return html;
}

}  // namespace lumvik
