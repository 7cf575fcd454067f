// A local date and time as the system clock gives it.
#pragma once

#include <cstdint>
#include <ctime>

namespace lumvik {

struct LocalDateTime {
  int year = 1;
  int month = 1;   // 1 to 12
  int day = 1;     // 1 to 31
  int hour = 0;    // 0 to 23
  int minute = 0;  // 0 to 59
  int second = 0;  // 0 to 59
};

// Now, by the system clock.
LocalDateTime LocalNow();

// A moment of the system clock, in local time.
LocalDateTime LocalDateTimeOf(std::time_t moment);

// Seconds from a fixed day to `when`: how far apart two local times are.
std::int64_t SecondsOf(const LocalDateTime& when);

}  // namespace lumvik
