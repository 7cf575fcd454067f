// The date and time that the feedback mail's Date header carries, in the
// program's own day-first form rather than the mail standard's.
#pragma once

#include <string>

namespace lumvik {

// A local date and time as the system clock gives it.
struct LocalDateTime {
  int year = 1;
  int month = 1;   // 1 to 12
  int day = 1;     // 1 to 31
  int hour = 0;    // 0 to 23
  int minute = 0;  // 0 to 59
  int second = 0;  // 0 to 59
};

// "dd/mm/yyyy @ hh:ii:ss", every field zero-padded to its width.
std::string MailDateText(const LocalDateTime& when);

}  // namespace lumvik
