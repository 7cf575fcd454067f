// What every export shows of a row: the texts the user typed, the words of a
// task's status and urgency, its progress, and the categories above it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/text_table.h"

namespace lumvik {

// A name as the user typed it: a double quote is held as 0x1A.
std::string TypedName(std::string_view stored);

// The status or urgency in the language's words, or its number where the
// language file has no text for it (or the value lies outside 1 to 5).
std::string StatusText(const TextTable& texts, int statut);
std::string UrgencyText(const TextTable& texts, int importance);

// "70 %" for a progress of 7 tenths.
std::string ProgressText(int avancement);

// The words that say how many of the tasks a narrowed view shows, the
// numbers grouped by thousands.
std::string TasksShownText(const TextTable& texts, int shown, int total);

// A page's title followed by the note in brackets, or alone without one.
std::string TitleWithNote(const std::string& title, const std::string& note);

// The names of the rows that contain each row, followed through the rows in
// document order: a row contains the rows after it that stand deeper than it,
// up to the next row at its level or above.
class RowAncestry {
 public:
  // The names of the rows containing a row at `level` that comes next, from
  // the top, " / " between them.
  std::string PathTo(std::int32_t level);
  // The row just visited, which may contain the rows after it.
  void Add(std::int32_t level, std::string name);

 private:
  std::vector<std::int32_t> levels_;
  std::vector<std::string> names_;
};

}  // namespace lumvik
