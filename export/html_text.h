// Texts of the ANSI code page written into a UTF-8 HTML page as text only.
#pragma once

#include <string>
#include <string_view>

namespace lumvik {

// The text in UTF-8 with every character that could open markup or end an
// attribute written as a character reference, and each line break (CR LF,
// CR or LF) as LF: the page keeps it with white-space: pre-wrap, so that no
// element comes from what the user typed.
std::string HtmlText(std::string_view ansi);

}  // namespace lumvik
