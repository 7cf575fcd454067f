// When a task falls due, as the tree marks it. Only the due date and the
// progress count: what a status means lives in the language file.
#pragma once

#include "document/date_mask.h"
#include "document/document.h"

namespace lumvik {

enum class DueState {
  None,
  DueSoon,  // unfinished, due today or tomorrow
  Overdue,  // unfinished, due before today
};

// The state of `task` on `today`. A task at 100 % is never due; an empty due
// date, or one that is no date, never is either.
DueState DueStateOf(const TaskRecord& task, const CalendarDate& today);

// The day after `date`.
CalendarDate NextDay(const CalendarDate& date);

// The first row after `from` that shows an overdue task, going on from the
// top after the last row and ending with `from` itself; -1 when there is
// none. `from` may be -1 (nothing selected): the search starts at the top.
int NextOverdueRow(const Document& document, int from, const CalendarDate& today);

}  // namespace lumvik
