#include "export/ical_export.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>
#include <tuple>

#include "document/date_mask.h"
#include "document/stored_form.h"
#include "export/row_texts.h"
#include "platform/codepage.h"

namespace lumvik {

namespace {

// Calendar programs are free to cut lines longer than this many bytes.
constexpr std::size_t kLineOctets = 75;

bool ContinuesUtf8Sequence(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Appends one content line, folded into lines of at most 75 bytes: each
// continuation starts with a space, which unfolding removes, and no cut falls
// inside the bytes of one character.
void AppendLine(std::string& out, std::string_view line) {
  std::size_t room = kLineOctets;
  while (line.size() > room) {
    std::size_t cut = room;
    while (ContinuesUtf8Sequence(line[cut])) --cut;
    out.append(line.substr(0, cut)).append("\r\n ");
    line.remove_prefix(cut);
    room = kLineOctets - 1;
  }
  out.append(line).append("\r\n");
}

// A TEXT value in UTF-8: backslash, semicolon and comma escaped, each line
// break (CR LF, CR or LF) as "\n". The other control characters, which a
// content line cannot hold, are left out.
std::string TextValue(std::string_view ansi) {
  const std::string utf8 = Utf8FromCp1252(ansi);
  std::string value;
  value.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '\\' || c == ';' || c == ',') {
      value += '\\';
      value += c;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
      value += "\\n";
    } else if (c == '\t' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)) {
      value += c;
    }
  }
  return value;
}

std::string DateValue(const CalendarDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

std::string StampValue(const UtcTime& stamp) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", stamp.year, stamp.month, stamp.day,
                stamp.hour, stamp.minute, stamp.second);
  return text;
}

bool After(const CalendarDate& a, const CalendarDate& b) {
  return std::tie(a.year, a.month, a.day) > std::tie(b.year, b.month, b.day);
}

// Progress is held in tenths; a value outside 0 to 10 (from a damaged file)
// is taken as the nearest one, since a calendar accepts only 0 to 100 %.
int PercentComplete(const TaskRecord& task) { return std::clamp<int>(task.avancement, 0, 10) * 10; }

std::string_view StatusOf(int percent) {
  if (percent >= 100) return "COMPLETED";
  return percent > 0 ? "IN-PROCESS" : "NEEDS-ACTION";
}

struct TaskEntry {
  const TaskRecord& task;
  std::string uid;
  std::string path;
};

void AppendTodo(std::string& out, const TaskEntry& entry, const std::string& stamp) {
  const TaskRecord& task = entry.task;
  AppendLine(out, "BEGIN:VTODO");
  AppendLine(out, "UID:" + entry.uid);
  AppendLine(out, "DTSTAMP:" + stamp);
  AppendLine(out, "SUMMARY:" + TextValue(TypedName(task.nom)));
  const std::string description = DesignationFromStoredForm(task.designation);
  if (!description.empty()) AppendLine(out, "DESCRIPTION:" + TextValue(description));
  if (!entry.path.empty()) AppendLine(out, "CATEGORIES:" + TextValue(entry.path));
  const std::optional<CalendarDate> start = ReadMaskedDate(task.datedebut);
  const std::optional<CalendarDate> due = ReadMaskedDate(task.dateecheance);
  // A calendar refuses a to-do due before it starts; the due date is the one
  // that matters to the user.
  if (start && !(due && After(*start, *due))) {
    AppendLine(out, "DTSTART;VALUE=DATE:" + DateValue(*start));
  }
  if (due) AppendLine(out, "DUE;VALUE=DATE:" + DateValue(*due));
  const int percent = PercentComplete(task);
  AppendLine(out, "PERCENT-COMPLETE:" + std::to_string(percent));
  AppendLine(out, std::string("STATUS:").append(StatusOf(percent)));
  AppendLine(out, "END:VTODO");
}

}  // namespace

std::string ICalendarOf(const Document& document, const UtcTime& stamp) {
  const std::string stamp_value = StampValue(stamp);
  std::string out;
  AppendLine(out, "BEGIN:VCALENDAR");
  AppendLine(out, "VERSION:2.0");
  AppendLine(out, "PRODID:-//Lumvik//Lumvik//EN");
  RowAncestry ancestry;
  for (std::size_t position = 0; position < document.rows.size(); ++position) {
    const TreeEntry& row = document.rows[position];
    std::string path = ancestry.PathTo(row.level);
    if (row.kind == kTaskRow) {
      const TaskRecord& task = document.tasks[static_cast<std::size_t>(row.index)];
      // Row position and task index together name one task of one document:
      // the same document exported again gives each task the same identifier.
      const std::string uid =
          std::to_string(position) + "-" + std::to_string(row.index) + "-task@lumvik.invalid";
      AppendTodo(out, {task, uid, std::move(path)}, stamp_value);
      ancestry.Add(row.level, TypedName(task.nom));
    } else {
      ancestry.Add(row.level,
                   TypedName(document.categories[static_cast<std::size_t>(row.index)].nom));
    }
  }
  AppendLine(out, "END:VCALENDAR");
  return out;
}

}  // namespace lumvik
