#include "document/find.h"

#include <array>

#include "document/row_records.h"

namespace lumvik {

namespace {

struct Folding {
  int first;
  int last;
  char letter;
};

// Accented letters of Windows-1252, small and capital, and the stored
// forms of a description's quote and line break.
constexpr Folding kFoldings[] = {
    {0x8A, 0x8A, 's'},  {0x9A, 0x9A, 's'}, {0x8E, 0x8E, 'z'}, {0x9E, 0x9E, 'z'},
    {0x9F, 0x9F, 'y'},  {0xC0, 0xC5, 'a'}, {0xC7, 0xC7, 'c'}, {0xC8, 0xCB, 'e'},
    {0xCC, 0xCF, 'i'},  {0xD0, 0xD0, 'd'}, {0xD1, 0xD1, 'n'}, {0xD2, 0xD6, 'o'},
    {0xD8, 0xD8, 'o'},  {0xD9, 0xDC, 'u'}, {0xDD, 0xDD, 'y'}, {0xDE, 0xDE, '\xFE'},
    {0xE0, 0xE5, 'a'},  {0xE7, 0xE7, 'c'}, {0xE8, 0xEB, 'e'}, {0xEC, 0xEF, 'i'},
    {0xF0, 0xF0, 'd'},  {0xF1, 0xF1, 'n'}, {0xF2, 0xF6, 'o'}, {0xF8, 0xF8, 'o'},
    {0xF9, 0xFC, 'u'},  {0xFD, 0xFD, 'y'}, {0xFF, 0xFF, 'y'}, {0x1A, 0x1A, '"'},
    {0x1B, 0x1B, '\n'},
};

class FoldingTable {
 public:
  FoldingTable() {
    for (int byte = 0; byte < 256; ++byte) {
      letters_[byte] = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
    }
    for (const Folding& folding : kFoldings) {
      for (int byte = folding.first; byte <= folding.last; ++byte) letters_[byte] = folding.letter;
    }
  }

  void Append(char c, std::string& folded) const {
    switch (static_cast<unsigned char>(c)) {
      case 0x8C:  // the ligatures read as their two letters
      case 0x9C:
        folded += "oe";
        return;
      case 0xC6:
      case 0xE6:
        folded += "ae";
        return;
      case 0xDF:
        folded += "ss";
        return;
      default:
        folded += letters_[static_cast<unsigned char>(c)];
    }
  }

 private:
  std::array<char, 256> letters_{};
};

void FoldInto(std::string_view text, std::string& folded) {
  static const FoldingTable table;
  folded.clear();
  for (const char c : text) table.Append(c, folded);
}

}  // namespace

bool RowMatch::operator()(const Document& document, const TreeEntry& row) const {
  if (needle_.empty()) return false;
  FoldInto(RecordName(document, row), folded_);
  if (folded_.find(needle_) != std::string::npos) return true;
  const std::string& description = row.kind == kCategoryRow
                                       ? document.categories[row.index].designation
                                       : document.tasks[row.index].designation;
  FoldInto(description, folded_);
  return folded_.find(needle_) != std::string::npos;
}

std::string FoldedForFind(std::string_view text) {
  std::string folded;
  FoldInto(text, folded);
  return folded;
}

int FindRow(const Document& document, std::string_view needle, int from, bool forward) {
  const RowMatch holds(needle);
  const auto count = static_cast<int>(document.rows.size());
  if (holds.empty() || count == 0) return -1;
  const int start = from >= 0 && from < count ? from : (forward ? count - 1 : 0);
  for (int step = 1; step <= count; ++step) {
    const int row = forward ? (start + step) % count : ((start - step) % count + count) % count;
    if (holds(document, document.rows[row])) return row;
  }
  return -1;
}

}  // namespace lumvik
