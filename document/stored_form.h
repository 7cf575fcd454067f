// Descriptions are held in a stored form that fits between the double quotes
// of one file line: a line break is the byte 0x1B, a double quote 0x1A.
#pragma once

#include <string>
#include <string_view>

namespace lumvik {

constexpr char kStoredLineBreak = '\x1B';
constexpr char kStoredQuote = '\x1A';

// The description as the user typed it, turned into its stored form.
std::string DesignationToStoredForm(std::string_view typed);

// The stored form turned back into the text shown to the user.
std::string DesignationFromStoredForm(std::string_view stored);

}  // namespace lumvik
