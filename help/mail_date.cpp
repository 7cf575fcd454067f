#include "help/mail_date.h"

#include <cstdio>

namespace lumvik {

std::string MailDateText(const LocalDateTime& when) {
  char text[80];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d @ %02d:%02d:%02d", when.day, when.month,
                when.year, when.hour, when.minute, when.second);
  return text;
}

}  // namespace lumvik
