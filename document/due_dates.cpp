#include "document/due_dates.h"

#include <chrono>
#include <optional>
#include <tuple>

namespace lumvik {

namespace {

constexpr std::int16_t kFinished = 10;  // progress in tenths

bool Before(const CalendarDate& a, const CalendarDate& b) {
  return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

}  // namespace

DueState DueStateOf(const TaskRecord& task, const CalendarDate& today) {
  if (task.avancement >= kFinished) return DueState::None;
  const std::optional<CalendarDate> due = ReadMaskedDate(task.dateecheance);
  if (!due) return DueState::None;
  if (Before(*due, today)) return DueState::Overdue;
  if (*due == today || *due == NextDay(today)) return DueState::DueSoon;
  return DueState::None;
}

CalendarDate NextDay(const CalendarDate& date) {
  using namespace std::chrono;
  const year_month_day next{
      sys_days{year_month_day{year(date.year), month(static_cast<unsigned>(date.month)),
                              day(static_cast<unsigned>(date.day))}} +
      days{1}};
  return {static_cast<int>(next.year()), static_cast<int>(static_cast<unsigned>(next.month())),
          static_cast<int>(static_cast<unsigned>(next.day()))};
}

int NextOverdueRow(const Document& document, int from, const CalendarDate& today) {
  const auto count = static_cast<int>(document.rows.size());
  if (count == 0) return -1;
  const int start = from >= 0 && from < count ? from : count - 1;
  for (int step = 1; step <= count; ++step) {
    const int row = (start + step) % count;
    const TreeEntry& entry = document.rows[row];
    if (entry.kind == kTaskRow &&
        DueStateOf(document.tasks[entry.index], today) == DueState::Overdue) {
      return row;
    }
  }
  return -1;
}

}  // namespace lumvik
