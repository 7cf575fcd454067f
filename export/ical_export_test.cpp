#include "export/ical_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace lumvik {
namespace {

constexpr UtcTime kStamp{2026, 3, 4, 5, 6, 7};

// The content lines of a file: folds removed, CR LF line ends required.
std::vector<std::string> ContentLines(const std::string& file) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < file.size();) {
    const std::size_t end = file.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "the file does not end with CR LF";
      break;
    }
    const std::string line = file.substr(start, end - start);
    EXPECT_EQ(line.find('\n'), std::string::npos) << "a bare LF in " << line;
    if (line.starts_with(' ')) {
      EXPECT_FALSE(lines.empty());
      if (!lines.empty()) lines.back() += line.substr(1);
    } else {
      lines.push_back(line);
    }
    start = end + 2;
  }
  return lines;
}

// The properties of each to-do, by name with its parameters ("DUE;VALUE=DATE").
using Todo = std::map<std::string, std::string>;

std::vector<Todo> Todos(const std::string& file) {
  std::vector<Todo> todos;
  std::optional<Todo> open;
  for (const std::string& line : ContentLines(file)) {
    if (line == "BEGIN:VTODO") {
      open.emplace();
    } else if (line == "END:VTODO") {
      if (open) todos.push_back(*open);
      open.reset();
    } else if (open) {
      const std::size_t colon = line.find(':');
      EXPECT_TRUE(open->emplace(line.substr(0, colon), line.substr(colon + 1)).second) << line;
    }
  }
  return todos;
}

Document OneTask(TaskRecord task) {
  Document document;
  document.tasks = {std::move(task)};
  document.rows = {{kTaskRow, 0, 0}};
  return document;
}

Todo OnlyTodo(const TaskRecord& task) {
  const std::vector<Todo> todos = Todos(ICalendarOf(OneTask(task), kStamp));
  return todos.size() == 1 ? todos[0] : Todo{};
}

TEST(ICalendar, IsOneCalendarWithOneTodoPerTask) {
  Document document;
  document.categories = {{"Home, \x1Aold\x1A", "", 0}, {"Work", "", 0}};
  document.tasks = {{"Paint", "", "", "", 0, 1, 1}, {"Call", "", "", "", 0, 1, 1}};
  document.rows = {{kCategoryRow, 0, 0}, {kTaskRow, 1, 1}, {kCategoryRow, 1, 0}, {kTaskRow, 0, 1}};
  const std::string file = ICalendarOf(document, kStamp);
  const std::vector<std::string> lines = ContentLines(file);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "BEGIN:VCALENDAR");
  EXPECT_EQ(lines[1], "VERSION:2.0");
  EXPECT_TRUE(lines[2].starts_with("PRODID:"));
  EXPECT_EQ(lines.back(), "END:VCALENDAR");

  const std::vector<Todo> todos = Todos(file);
  ASSERT_EQ(todos.size(), 2u);
  EXPECT_EQ(todos[0].at("SUMMARY"), "Call");
  EXPECT_EQ(todos[0].at("CATEGORIES"), "Home\\, \"old\"");
  EXPECT_EQ(todos[1].at("SUMMARY"), "Paint");
  EXPECT_EQ(todos[1].at("CATEGORIES"), "Work");
  EXPECT_EQ(todos[0].at("DTSTAMP"), "20260304T050607Z");
  EXPECT_NE(todos[0].at("UID"), todos[1].at("UID"));
  // The same document gives the same file, identifiers included.
  EXPECT_EQ(ICalendarOf(document, kStamp), file);
}

TEST(ICalendar, IdentifiersStayUniqueWhenOneRecordShowsTwice) {
  Document document = OneTask({"Paint", "", "", "", 0, 1, 1});
  document.rows.push_back(document.rows[0]);
  const std::vector<Todo> todos = Todos(ICalendarOf(document, kStamp));
  ASSERT_EQ(todos.size(), 2u);
  EXPECT_NE(todos[0].at("UID"), todos[1].at("UID"));
}

TEST(ICalendar, EscapesTextValues) {
  const Todo todo = OnlyTodo(
      {"a,b;c\\d\\n \x1Aq\x1A \xE9\x80", "one\x1Btwo\r\nthree\nfour\x07\tend", "", "", 0, 1, 1});
  // A typed backslash before "n" stays two characters, not a line break.
  EXPECT_EQ(todo.at("SUMMARY"), "a\\,b\\;c\\\\d\\\\n \"q\" \xC3\xA9\xE2\x82\xAC");
  // Control characters other than the tab have no place in a content line.
  EXPECT_EQ(todo.at("DESCRIPTION"), "one\\ntwo\\nthree\\nfour\tend");
  EXPECT_EQ(todo.count("CATEGORIES"), 0u);
}

TEST(ICalendar, LeavesOutAnEmptyDescription) {
  EXPECT_EQ(OnlyTodo({"Paint", "", "", "", 0, 1, 1}).count("DESCRIPTION"), 0u);
}

TEST(ICalendar, WritesOnlyValidDatesAndNoStartAfterTheDueDate) {
  struct Case {
    const char* start;
    const char* due;
    const char* ical_start;  // nullptr: left out
    const char* ical_due;
  };
  for (const Case& c :
       {Case{"01/05/2026", "02/05/2026", "20260501", "20260502"},
        Case{"02/05/2026", "02/05/2026", "20260502", "20260502"},
        Case{"03/05/2026", "02/05/2026", nullptr, "20260502"},
        Case{"29/02/2024", "", "20240229", nullptr}, Case{"", "31/12/2026", nullptr, "20261231"},
        Case{"31/04/2026", "29/02/2026", nullptr, nullptr},
        Case{"2026-05-01", "1/5/2026", nullptr, nullptr},
        Case{"03/05/2026", "bad", "20260503", nullptr}}) {
    SCOPED_TRACE(std::string(c.start) + " to " + c.due);
    const Todo todo = OnlyTodo({"Paint", "", c.start, c.due, 0, 1, 1});
    const auto start = todo.find("DTSTART;VALUE=DATE");
    const auto due = todo.find("DUE;VALUE=DATE");
    EXPECT_EQ(start == todo.end() ? "" : start->second, c.ical_start ? c.ical_start : "");
    EXPECT_EQ(due == todo.end() ? "" : due->second, c.ical_due ? c.ical_due : "");
    EXPECT_EQ(todo.count("DTSTART"), 0u);
    EXPECT_EQ(todo.count("DUE"), 0u);
  }
}

TEST(ICalendar, GivesProgressAndTheStateItMeans) {
  for (int tenths = -2; tenths <= 12; ++tenths) {
    SCOPED_TRACE(tenths);
    const Todo todo = OnlyTodo({"Paint", "", "", "", static_cast<std::int16_t>(tenths), 1, 1});
    const int percent = std::clamp(tenths, 0, 10) * 10;
    EXPECT_EQ(todo.at("PERCENT-COMPLETE"), std::to_string(percent));
    EXPECT_EQ(todo.at("STATUS"), percent == 100 ? "COMPLETED"
                                 : percent > 0  ? "IN-PROCESS"
                                                : "NEEDS-ACTION");
  }
}

TEST(ICalendar, FoldsLongLinesBetweenCharacters) {
  // Two-byte characters after a prefix of each length, so that a character
  // straddles every place where a line could be cut.
  for (std::size_t prefix = 0; prefix < 4; ++prefix) {
    SCOPED_TRACE(prefix);
    const std::string name = std::string(prefix, 'x') + std::string(200, '\xE9');
    const std::string file = ICalendarOf(OneTask({name, "", "", "", 0, 1, 1}), kStamp);
    for (std::size_t start = 0; start < file.size();) {
      const std::size_t end = file.find("\r\n", start);
      ASSERT_NE(end, std::string::npos);
      EXPECT_LE(end - start, 75u);
      // Neither side of a cut starts or ends inside a character.
      EXPECT_NE(static_cast<unsigned char>(file[end - 1]), 0xC3u);
      if (file[start] == ' ') {
        EXPECT_NE(static_cast<unsigned char>(file[start + 1]) & 0xC0, 0x80);
      }
      start = end + 2;
    }
    std::string typed = std::string(prefix, 'x');
    for (int i = 0; i < 200; ++i) typed += "\xC3\xA9";
    EXPECT_EQ(Todos(file).at(0).at("SUMMARY"), typed);
  }
}

}  // namespace
}  // namespace lumvik
