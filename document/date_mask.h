// Task dates are held as text in the form "dd/mm/yyyy" and turned into a
// calendar date each time a calendar shows one or stores one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumvik {

struct CalendarDate {
  int year = 1;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to the length of the month
  bool operator==(const CalendarDate&) const = default;
};

// The date of a text of exactly two-digit day, two-digit month and
// four-digit year with "/" between them; nothing for any other text and for
// a day that no calendar has (31/02, 29/02 outside leap years, year 0000).
std::optional<CalendarDate> ReadMaskedDate(std::string_view text);

// The date in that form. Only a date that ReadMaskedDate accepts reads back:
// the calendars and the clock give no other.
std::string WriteMaskedDate(const CalendarDate& date);

}  // namespace lumvik
