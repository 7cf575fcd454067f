#include "platform/local_time.h"

#include <ctime>

namespace lumvik {

LocalDateTime LocalNow() { return LocalDateTimeOf(std::time(nullptr)); }

LocalDateTime LocalDateTimeOf(std::time_t moment) {
  std::tm parts{};
#ifdef _WIN32
  ::localtime_s(&parts, &moment);
#else
  ::localtime_r(&moment, &parts);
#endif
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::int64_t SecondsOf(const LocalDateTime& when) {
  // Days from 1 March of year 0 in the proleptic Gregorian calendar, so that
  // the leap day ends each year.
  const std::int64_t year = when.year - (when.month <= 2 ? 1 : 0);
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t of_era = year - era * 400;
  const std::int64_t of_year = (153 * (when.month + (when.month > 2 ? -3 : 9)) + 2) / 5 + when.day - 1;
  const std::int64_t days = era * 146097 + of_era * 365 + of_era / 4 - of_era / 100 + of_year;
  return ((days * 24 + when.hour) * 60 + when.minute) * 60 + when.second;
}

}  // namespace lumvik
