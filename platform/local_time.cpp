#include "platform/local_time.h"

#include <ctime>

namespace lumvik {

LocalDateTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
#ifdef _WIN32
  ::localtime_s(&parts, &now);
#else
  ::localtime_r(&now, &parts);
#endif
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

}  // namespace lumvik
