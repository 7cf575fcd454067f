// Finding rows by what the user typed: in names and descriptions, without
// regard to letter case or to the accents of the Western code page.
#pragma once

#include <string>
#include <string_view>

#include "document/document.h"

namespace lumvik {

// `text` (Windows-1252, a description in its stored form) as a search
// compares it: small letters without their accents, "æ", "œ" and "ß" as
// "ae", "oe" and "ss", stored quotes and line breaks as typed.
std::string FoldedForFind(std::string_view text);

// The first row after `from` (before it, going back) whose name or
// description holds `needle`, going round at the ends and ending with `from`
// itself; -1 when no row holds it or `needle` is empty. With `from` -1
// (nothing selected) the search starts at the top, or at the bottom going
// back.
int FindRow(const Document& document, std::string_view needle, int from, bool forward);

}  // namespace lumvik
