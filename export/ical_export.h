// The tasks of a document as an iCalendar file, for calendar and task programs.
#pragma once

#include <string>

#include "document/document.h"
#include "export/utc_time.h"

namespace lumvik {

// One to-do per task row, in document order, UTF-8 with CR LF line ends and
// long lines folded. Each to-do carries the task's name, description, valid
// dates (the start only when it is not after the due date), progress and the
// state that progress gives, and the path of the rows above it as its
// category; `stamp` is when the export was made. Categories are not to-dos.
std::string ICalendarOf(const Document& document, const UtcTime& stamp);

}  // namespace lumvik
