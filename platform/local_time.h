// A local date and time as the system clock gives it.
#pragma once

#include <ctime>
#include <optional>

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

// The moment of the system clock that a local time names (the earlier one
// where a daylight-saving change repeats it); nothing when it names none.
std::optional<std::time_t> MomentOf(const LocalDateTime& when);

}  // namespace lumvik
