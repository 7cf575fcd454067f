#include "tools/lvk/table_export.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

Document Sample() {
  Document document;
  document.categories = {{"Home", "", 5}, {"Garden, back", "", 0}, {"Work", "", 10}};
  document.tasks = {{"Mow \"lawn\"", "", "01/05/2026", "02/05/2026", 3, 2, 5},
                    {"a<b & c|d", "", "", "", 10, 9, 1}};
  document.rows = {{kCategoryRow, 0, 0}, {kCategoryRow, 1, 1}, {kTaskRow, 0, 2},
                   {kTaskRow, 1, 1},     {kCategoryRow, 2, 0}};
  return document;
}

TEST(DocumentTable, GivesEachRowTheCategoriesAboveIt) {
  TextTable texts(kLumvikTextCount);
  texts.Set(17, "Started");
  texts.Set(25, "Urgent");
  const std::vector<TableRow> table = DocumentTable(Sample(), texts);
  ASSERT_EQ(table.size(), 5u);
  EXPECT_EQ(table[0].path, "");
  EXPECT_EQ(table[2].path, "Home / Garden, back");
  EXPECT_EQ(table[2].status, "Started");
  EXPECT_EQ(table[2].importance, "Urgent");
  EXPECT_EQ(table[2].progress, "30 %");
  EXPECT_EQ(table[3].path, "Home");
  // Without a text for the value (or for a value out of range) the number stands.
  EXPECT_EQ(table[3].status, "9");
  EXPECT_EQ(table[3].importance, "1");
  EXPECT_EQ(table[4].path, "");
  EXPECT_EQ(table[4].progress, "100 %");
  EXPECT_EQ(table[4].status, "");
}

TEST(FormatTable, QuotesAndEscapesForEachFormat) {
  TextTable texts(kLumvikTextCount);
  const std::vector<TableRow> table = DocumentTable(Sample(), texts);
  const std::string csv = FormatTable(table, TableFormat::Csv);
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "path,kind,name,status,importance,start,due,progress");
  EXPECT_NE(csv.find("\"Home / Garden, back\",task,\"Mow \"\"lawn\"\"\",2,5,01/05/2026,02/05/2026,30 %\n"),
            std::string::npos);
  const std::string markdown = FormatTable(table, TableFormat::Markdown);
  EXPECT_NE(markdown.find("| Home | task | a<b & c\\|d | 9 | 1 |  |  | 100 % |\n"), std::string::npos);
  const std::string html = FormatTable(table, TableFormat::Html);
  EXPECT_NE(html.find("<td>a&lt;b &amp; c|d</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>Mow &quot;lawn&quot;</td>"), std::string::npos);
}

TEST(FormatTable, WritesUtf8) {
  Document document;
  document.categories = {{"Caf\xE9", "", 0}};
  document.rows = {{kCategoryRow, 0, 0}};
  const std::string csv = FormatTable(DocumentTable(document, TextTable(kLumvikTextCount)),
                                      TableFormat::Csv);
  EXPECT_NE(csv.find(",categorie,Caf\xC3\xA9,"), std::string::npos);
}

}  // namespace
}  // namespace lumvik
