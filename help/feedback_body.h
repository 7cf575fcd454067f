// The feedback mail's text: the HTML body built from the form's fields, and
// its encoding into lines that any mail server carries unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumvik {

// The longest line of a quoted-printable body, its soft line break included.
inline constexpr std::size_t kMaxEncodedLine = 76;

// A typed text as HTML of 7-bit characters: & < > " ' escaped, each line
// break (CR LF, CR or LF) as "<br>", each byte above 127 as the numeric
// character reference of its Windows-1252 character.
std::string HtmlFromText(std::string_view text);

// The body the support mailbox reads: who wrote, in which language of the
// program, from which format version, and the message.
std::string FeedbackBody(std::string_view name, std::string_view langage, std::string_view message);

// The body as the lines that follow DATA, quoted-printable: "=" as "=3D",
// each byte outside printable ASCII as "=" and its two hexadecimal digits,
// and every line, at most kMaxEncodedLine long, ended by a soft line break
// ("=") that a mail reader removes, so that it shows the body unchanged, long
// words whole and no line break added at the end. A line that starts with
// "." gets a second one in front, which the server takes off again.
std::vector<std::string> MailBodyLines(std::string_view body);

}  // namespace lumvik
