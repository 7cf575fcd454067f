#include "export/printable_view.h"

#include <gtest/gtest.h>

#include "config/text_numbers.h"

namespace lumvik {
namespace {

// Each urgency in its own colours, with red, green and blue all different so
// that a swapped byte shows.
constexpr UrgencyColours kColours = {{{0x010203, 0x0A0B0C},
                                      {0x112233, 0x445566},
                                      {0x0000FF, 0x00FF00},
                                      {0x778899, 0xAABBCC},
                                      {0xFFFFFF, 0x800000}}};

Document Tree() {
  Document document;
  document.categories = {{"Home", "Rooms\x1Bnext to <b>garden</b>", 4}};
  document.tasks = {
      {"Paint \x1Aold\x1A door", "Blue\x1B\x1Bthen </td>", "01/05/2026", "02/05/2026", 3, 2, 3},
      {"Sweep", "", "", "", 10, 5, 7}};
  document.rows = {{kCategoryRow, 0, 0}, {kTaskRow, 0, 1}, {kTaskRow, 1, 40}};
  return document;
}

TextTable Texts() {
  TextTable texts(kLumvikTextCount);
  texts.Set(kTextHeadingName, "Name");
  texts.Set(kTextHeadingStatus, "Status");
  texts.Set(kTextHeadingUrgency, "Urgency");
  texts.Set(kTextHeadingStart, "Start");
  texts.Set(kTextHeadingDue, "Due <date>");
  texts.Set(kTextProgressCaption, "Progress");
  texts.Set(kTextStatusFirst + 1, "Started");
  texts.Set(kTextImportanceFirst + 2, "Soon & then");
  return texts;
}

// The row of the page that starts with `opening`, up to its end.
std::string RowOf(const std::string& page, const std::string& opening) {
  const std::size_t start = page.find(opening);
  if (start == std::string::npos) return "";
  return page.substr(start, page.find("</tr>", start) + 5 - start);
}

TEST(PrintableView, IsTitledByTheDocument) {
  const std::string page = PrintableView(Tree(), Texts(), kColours, "Caf\xE9 & co.lvk");
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"));
  EXPECT_NE(page.find("<title>Caf\xC3\xA9 &amp; co.lvk</title>"), std::string::npos);
  EXPECT_NE(page.find("<h1>Caf\xC3\xA9 &amp; co.lvk</h1>"), std::string::npos);
  EXPECT_NE(page.find("<thead><tr><th>Name</th><th>Status</th><th>Urgency</th><th>Start</th>"
                      "<th>Due &lt;date&gt;</th><th>Progress</th></tr></thead>"),
            std::string::npos);
}

TEST(PrintableView, ShowsEachRowWithItsValuesAndDescription) {
  const std::string page = PrintableView(Tree(), Texts(), kColours, "t");
  EXPECT_EQ(RowOf(page, "<tr class=\"category d0\">"),
            "<tr class=\"category d0\"><td class=\"name\"><div>Home</div>"
            "<div class=\"description\">Rooms\nnext to &lt;b&gt;garden&lt;/b&gt;</div></td>"
            "<td></td><td></td><td></td><td></td><td>40 %</td></tr>");
  EXPECT_EQ(RowOf(page, "<tr class=\"task u3 d1\">"),
            "<tr class=\"task u3 d1\"><td class=\"name\"><div>Paint &quot;old&quot; door</div>"
            "<div class=\"description\">Blue\n\nthen &lt;/td&gt;</div></td>"
            "<td>Started</td><td>Soon &amp; then</td><td>01/05/2026</td><td>02/05/2026</td>"
            "<td>30 %</td></tr>");
  // No urgency colours for an importance outside 1 to 5; deep rows line up.
  EXPECT_EQ(RowOf(page, "<tr class=\"task d16\">"),
            "<tr class=\"task d16\"><td class=\"name\"><div>Sweep</div></td><td>5</td><td>7</td>"
            "<td></td><td></td><td>100 %</td></tr>");
}

TEST(PrintableView, GivesEachUrgencyItsThemeColoursAndEachLevelItsIndent) {
  const std::string page = PrintableView(Tree(), Texts(), kColours, "t");
  EXPECT_NE(page.find("tr.u1 td{color:#030201;background-color:#0c0b0a}"), std::string::npos);
  EXPECT_NE(page.find("tr.u3 td{color:#ff0000;background-color:#00ff00}"), std::string::npos);
  EXPECT_NE(page.find("tr.u5 td{color:#ffffff;background-color:#000080}"), std::string::npos);
  EXPECT_NE(page.find("tr.d0 td.name{padding-left:0.4em}"), std::string::npos);
  EXPECT_NE(page.find("tr.d16 td.name{padding-left:24.4em}"), std::string::npos);
  EXPECT_NE(page.find("print-color-adjust:exact"), std::string::npos);
  EXPECT_NE(page.find("@media print"), std::string::npos);
}

TEST(PrintableView, IndentsRowsOfNegativeLevelsAsTopRows) {
  Document document = Tree();
  document.rows = {{kTaskRow, 1, -3}};
  EXPECT_NE(PrintableView(document, Texts(), kColours, "t").find("<tr class=\"task d0\">"),
            std::string::npos);
}

}  // namespace
}  // namespace lumvik
