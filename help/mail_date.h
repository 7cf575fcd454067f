// The date and time that the feedback mail's Date header carries, in the
// program's own day-first form rather than the mail standard's.
#pragma once

#include <string>

#include "platform/local_time.h"

namespace lumvik {

// "dd/mm/yyyy @ hh:ii:ss", every field zero-padded to its width.
std::string MailDateText(const LocalDateTime& when);

}  // namespace lumvik
