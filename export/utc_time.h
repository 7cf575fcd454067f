// The moment an export is made, in UTC to the second, passed in by the caller
// so that an export of the same document at the same moment is the same file.
#pragma once

#include <chrono>

namespace lumvik {

struct UtcTime {
  int year = 1970;
  int month = 1;   // 1 to 12
  int day = 1;     // 1 to 31
  int hour = 0;    // 0 to 23
  int minute = 0;  // 0 to 59
  int second = 0;  // 0 to 59
};

// The moment of the system clock (std::chrono::system_clock::now() for now).
UtcTime UtcTimeOf(std::chrono::system_clock::time_point moment);

}  // namespace lumvik
