// What the tree shows of the document while the user narrows the view:
// finished tasks hidden, only what falls due, only what is urgent, only
// what matches a search. A view never changes the document.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "document/date_mask.h"
#include "document/document.h"

namespace lumvik {

struct ViewFilter {
  bool hide_finished = false;
  bool only_due = false;
  bool only_urgent = false;
  // Text as typed in the find window; empty when the view does not narrow
  // to matching rows.
  std::string match;

  bool Active() const { return hide_finished || only_due || only_urgent || !match.empty(); }
  bool operator==(const ViewFilter&) const = default;
};

// Done or dropped (statuses 4 and 5), or at 100 %.
bool TaskFinished(const TaskRecord& task);

// One flag per row: whether the view shows it. A task shows when it passes
// every filter that is on. A row with a shown row under it shows too, so
// that a shown row's categories always show. A category with nothing shown
// under it shows only where no filter asks for tasks (due, urgent), where
// it matches the search if there is one, and, while finished tasks are
// hidden, when it holds no task at all. With no filter on, every row shows.
std::vector<bool> ShownRows(const Document& document, const ViewFilter& filter,
                            const CalendarDate& today);

struct TaskCount {
  int shown = 0;
  int total = 0;
  std::size_t rows_shown = 0;  // of every kind
};

// How many of the document's tasks the flags show, and how many rows.
TaskCount CountShownTasks(const Document& document, const std::vector<bool>& shown);

// The document as far as the flags show it, for an export or a printout:
// the rows shown, in their order and at their levels, over all the records.
Document ShownPart(const Document& document, const std::vector<bool>& shown);

}  // namespace lumvik
