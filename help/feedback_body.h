// The feedback mail's text: the HTML body built from the form's fields, and
// its cut into lines that any mail server carries unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumvik {

// The longest line a mail server must accept, without its CR LF.
inline constexpr std::size_t kMaxMailLine = 998;

// A typed text as HTML of 7-bit characters: & < > " ' escaped, each line
// break (CR LF, CR or LF) as "<br>", each byte above 127 as the numeric
// character reference of its Windows-1252 character.
std::string HtmlFromText(std::string_view text);

// The body the support mailbox reads: who wrote, in which language of the
// program, from which format version, and the message.
std::string FeedbackBody(std::string_view name, std::string_view langage, std::string_view message);

// The body as the lines that follow DATA: each at most kMaxMailLine bytes,
// broken after a "<br>" or a blank where there is one, else never inside a
// tag or character reference; a line that starts with "." gets a second one
// in front, which the server takes off again. Joined without line ends, the
// lines, with their added dots taken off, give the body back. A line end in
// the body (FeedbackBody makes none) ends a line too.
std::vector<std::string> MailBodyLines(std::string_view body);

}  // namespace lumvik
