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

// Tells whether a row's name or description holds what the user typed,
// compared as FindRow compares. Holds nothing when `needle` is empty.
class RowMatch {
 public:
  explicit RowMatch(std::string_view needle) : needle_(FoldedForFind(needle)) {}
  bool empty() const { return needle_.empty(); }
  bool operator()(const Document& document, const TreeEntry& row) const;

 private:
  std::string needle_;
  mutable std::string folded_;  // scratch, so that a search allocates once
};

// The first row after `from` (before it, going back) whose name or
// description holds `needle`, going round at the ends and ending with `from`
// itself; -1 when no row holds it or `needle` is empty. With `from` -1
// (nothing selected) the search starts at the top, or at the bottom going
// back.
int FindRow(const Document& document, std::string_view needle, int from, bool forward);

}  // namespace lumvik
