#include "export/document_export.h"

#include <gtest/gtest.h>

#include "export/ical_export.h"
#include "export/table_export.h"

namespace lumvik {
namespace {

Document Sample() {
  Document document;
  document.categories = {{"Home", "", 0}};
  document.tasks = {{"Paint", "Blue", "01/05/2026", "02/05/2026", 3, 2, 5}};
  document.rows = {{kCategoryRow, 0, 0}, {kTaskRow, 0, 1}};
  return document;
}

TEST(ExportDocument, WritesTheChosenFormat) {
  const TextTable texts(kLumvikTextCount);
  const UtcTime now{2026, 12, 31, 23, 59, 58};
  const std::vector<TableRow> table = DocumentTable(Sample(), texts);
  EXPECT_EQ(ExportDocument(Sample(), texts, ExportFormat::Csv, now),
            FormatTable(table, TableFormat::Csv));
  EXPECT_EQ(ExportDocument(Sample(), texts, ExportFormat::Markdown, now),
            FormatTable(table, TableFormat::Markdown));
  EXPECT_EQ(ExportDocument(Sample(), texts, ExportFormat::Html, now),
            FormatTable(table, TableFormat::Html));
  const std::string calendar = ExportDocument(Sample(), texts, ExportFormat::ICalendar, now);
  EXPECT_EQ(calendar, ICalendarOf(Sample(), now));
  EXPECT_NE(calendar.find("\r\nDTSTAMP:20261231T235958Z\r\n"), std::string::npos);
}

TEST(UtcTimeOf, GivesTheCalendarTimeOfAMoment) {
  using namespace std::chrono;
  const auto moment = sys_days{year{2024} / February / 29} + hours{13} + minutes{4} + seconds{5} +
                      milliseconds{999};
  const UtcTime time = UtcTimeOf(moment);
  EXPECT_EQ(time.year, 2024);
  EXPECT_EQ(time.month, 2);
  EXPECT_EQ(time.day, 29);
  EXPECT_EQ(time.hour, 13);
  EXPECT_EQ(time.minute, 4);
  EXPECT_EQ(time.second, 5);
  const UtcTime before_1970 = UtcTimeOf(sys_days{year{1969} / December / 31} + seconds{86399});
  EXPECT_EQ(before_1970.year, 1969);
  EXPECT_EQ(before_1970.day, 31);
  EXPECT_EQ(before_1970.second, 59);
}

}  // namespace
}  // namespace lumvik
