#include "export/table_export.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

Document Sample() {
  Document document;
  document.categories = {{"Home", "", 5}, {"Garden, back", "", 0}, {"Work", "", 10}};
  document.tasks = {{"Mow \"lawn\"", "", "01/05/2026", "02/05/2026", 3, 2, 5},
                    {"a<b & c|d", "", "", "", 10, 9, 1}};
  document.rows = {{kCategoryRow, 0, 0},
                   {kCategoryRow, 1, 1},
                   {kTaskRow, 0, 2},
                   {kTaskRow, 1, 1},
                   {kCategoryRow, 2, 0}};
  return document;
}

// One task whose name and description hold what users type into them.
Document TypedTask(std::string stored_name, std::string stored_description) {
  Document document;
  document.tasks = {{std::move(stored_name), std::move(stored_description), "", "", 0, 1, 1}};
  document.rows = {{kTaskRow, 0, 0}};
  return document;
}

// The line of the only row, after the heading (and in Markdown the rule).
std::string OnlyRow(const std::string& table, int skipped_lines) {
  std::size_t start = 0;
  for (int i = 0; i < skipped_lines; ++i) start = table.find('\n', start) + 1;
  return table.substr(start);
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

TEST(DocumentTable, GivesNamesAndDescriptionsAsTyped) {
  Document document = TypedTask("say \x1Ahi\x1A", "one\x1B\x1Atwo\x1A");
  document.categories = {{"The \x1Aplan\x1A", "top\x1Bnext", 0}};
  document.rows.insert(document.rows.begin(), {kCategoryRow, 0, 0});
  document.rows[1].level = 1;
  const std::vector<TableRow> table = DocumentTable(document, TextTable(kLumvikTextCount));
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].name, "The \"plan\"");
  EXPECT_EQ(table[0].description, "top\r\nnext");
  EXPECT_EQ(table[1].path, "The \"plan\"");
  EXPECT_EQ(table[1].name, "say \"hi\"");
  EXPECT_EQ(table[1].description, "one\r\n\"two\"");
}

TEST(FormatTable, QuotesAndEscapesForEachFormat) {
  TextTable texts(kLumvikTextCount);
  const std::vector<TableRow> table = DocumentTable(Sample(), texts);
  const std::string csv = FormatTable(table, TableFormat::Csv);
  // The description comes last, so that every earlier column keeps its place.
  EXPECT_EQ(csv.substr(0, csv.find('\n')),
            "path,kind,name,status,importance,start,due,progress,description");
  EXPECT_NE(csv.find("\"Home / Garden, back\",task,\"Mow \"\"lawn\"\"\",2,5,01/05/2026,02/05/2026,"
                     "30 %,\n"),
            std::string::npos);
  const std::string markdown = FormatTable(table, TableFormat::Markdown);
  EXPECT_NE(markdown.find("|---|---|---|---|---|---|---|---|---|\n"), std::string::npos);
  EXPECT_NE(markdown.find("| Home | task | a\\<b \\& c\\|d | 9 | 1 |  |  | 100 % |  |\n"),
            std::string::npos);
  const std::string html = FormatTable(table, TableFormat::Html);
  EXPECT_NE(html.find("<td>a&lt;b &amp; c|d</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>Mow &quot;lawn&quot;</td>"), std::string::npos);
  EXPECT_NE(html.find("<th>description</th></tr>"), std::string::npos);
}

TEST(FormatTable, KeepsTheLineBreaksOfDescriptions) {
  const std::vector<TableRow> table =
      DocumentTable(TypedTask("n", "one, \x1Aq\x1A\x1Btwo"), TextTable(kLumvikTextCount));
  // A CSV reader takes the line break inside the quotes as part of the cell.
  EXPECT_EQ(OnlyRow(FormatTable(table, TableFormat::Csv), 1),
            ",task,n,1,1,,,0 %,\"one, \"\"q\"\"\r\ntwo\"\n");
  EXPECT_EQ(OnlyRow(FormatTable(table, TableFormat::Markdown), 2),
            "|  | task | n | 1 | 1 |  |  | 0 % | one, \"q\"<br>two |\n");
  EXPECT_NE(FormatTable(table, TableFormat::Html).find("<td>one, &quot;q&quot;\ntwo</td></tr>"),
            std::string::npos);
}

TEST(FormatTable, MarkdownShowsTypedMarkupAsText) {
  const std::vector<TableRow> table =
      DocumentTable(TypedTask("<script>*x*</script>", "[link](y) `code` &amp; ~~gone~~ _e_ \\"),
                    TextTable(kLumvikTextCount));
  EXPECT_EQ(OnlyRow(FormatTable(table, TableFormat::Markdown), 2),
            "|  | task | \\<script\\>\\*x\\*\\</script\\> | 1 | 1 |  |  | 0 % | "
            "\\[link\\](y) \\`code\\` \\&amp; \\~\\~gone\\~\\~ \\_e\\_ \\\\ |\n");
}

TEST(FormatTable, WritesUtf8) {
  Document document;
  document.categories = {{"Caf\xE9", "\x80 5", 0}};
  document.rows = {{kCategoryRow, 0, 0}};
  const std::vector<TableRow> table = DocumentTable(document, TextTable(kLumvikTextCount));
  EXPECT_NE(FormatTable(table, TableFormat::Csv).find(",categorie,Caf\xC3\xA9,"),
            std::string::npos);
  EXPECT_NE(FormatTable(table, TableFormat::Html).find("<td>\xE2\x82\xAC 5</td>"),
            std::string::npos);
}

}  // namespace
}  // namespace lumvik
