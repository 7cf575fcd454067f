#include "platform/local_time.h"

#include <ctime>

namespace lumvik {

LocalDateTime LocalNow() {
  const std::time_t moment = std::time(nullptr);
  std::tm parts{};
#ifdef _WIN32
  ::localtime_s(&parts, &moment);
#else
  ::localtime_r(&moment, &parts);
#endif
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::optional<std::time_t> MomentOf(const LocalDateTime& when) {
  std::tm parts{};
  parts.tm_year = when.year - 1900;
  parts.tm_mon = when.month - 1;
  parts.tm_mday = when.day;
  parts.tm_hour = when.hour;
  parts.tm_min = when.minute;
  parts.tm_sec = when.second;
  parts.tm_isdst = -1;  // the system tells whether daylight saving applies
  const std::time_t moment = std::mktime(&parts);
  if (moment == static_cast<std::time_t>(-1)) return std::nullopt;
  return moment;
}

}  // namespace lumvik
