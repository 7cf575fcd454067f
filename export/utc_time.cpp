#include "export/utc_time.h"

namespace lumvik {

UtcTime UtcTimeOf(std::chrono::system_clock::time_point moment) {
  using namespace std::chrono;
  const sys_seconds seconds = floor<std::chrono::seconds>(moment);
  const sys_days day = floor<days>(seconds);
  const year_month_day date(day);
  const hh_mm_ss<std::chrono::seconds> time(seconds - day);
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count()),
          static_cast<int>(time.seconds().count())};
}

}  // namespace lumvik
