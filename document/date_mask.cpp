#include "document/date_mask.h"

#include <chrono>
#include <cstdio>

namespace lumvik {

namespace {

// The number written by `length` decimal digits from `start`, or -1.
int DigitsAt(std::string_view text, std::size_t start, std::size_t length) {
  int value = 0;
  for (std::size_t i = start; i < start + length; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

std::optional<CalendarDate> ReadMaskedDate(std::string_view text) {
  if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
  const CalendarDate date{DigitsAt(text, 6, 4), DigitsAt(text, 3, 2), DigitsAt(text, 0, 2)};
  if (date.year < 1 || date.month < 0 || date.day < 0) return std::nullopt;
  const std::chrono::year_month_day calendar{std::chrono::year(date.year),
                                             std::chrono::month(static_cast<unsigned>(date.month)),
                                             std::chrono::day(static_cast<unsigned>(date.day))};
  if (!calendar.ok()) return std::nullopt;
  return date;
}

std::string WriteMaskedDate(const CalendarDate& date) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
  return text;
}

}  // namespace lumvik
