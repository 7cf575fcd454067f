#include "export/printable_view.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "config/text_numbers.h"
#include "document/stored_form.h"
#include "export/html_text.h"
#include "export/row_texts.h"

namespace lumvik {

namespace {

// Deeper rows line up with this level, so that no tree pushes its names off
// the page.
constexpr std::int32_t kDeepestIndent = 16;

std::string CssColour(std::int32_t colour) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                (colour >> 16) & 0xFF);
  return text;
}

// Fixed column widths and wrapping anywhere keep long words and long dates
// inside a page or a narrow window. Header rows repeat on every printed page
// and a row is not cut in two between pages.
constexpr std::string_view kStyle =
    "body{font-family:Tahoma,Verdana,sans-serif;font-size:10pt;color:#000;background:#fff;"
    "margin:1em}\n"
    "*{-webkit-print-color-adjust:exact;print-color-adjust:exact}\n"
    "h1{font-size:14pt;overflow-wrap:anywhere}\n"
    "table{width:100%;max-width:100%;table-layout:fixed;border-collapse:collapse}\n"
    "col.name{width:40%}col.status,col.urgency{width:13%}col.start,col.due{width:12%}"
    "col.progress{width:10%}\n"
    "th,td{text-align:left;vertical-align:top;padding:.2em .4em;border-bottom:1px solid #ccc;"
    "overflow-wrap:anywhere;word-break:break-word}\n"
    "thead{display:table-header-group}\n"
    "tr{break-inside:avoid;page-break-inside:avoid}\n"
    "tr.category td{font-weight:bold}\n"
    ".description{font-weight:normal;white-space:pre-wrap;margin-top:.2em}\n"
    "@media print{body{margin:0;font-size:9pt}@page{margin:1.5cm}}\n";

std::string Style(const UrgencyColours& colours) {
  std::string style(kStyle);
  for (std::int32_t depth = 0; depth <= kDeepestIndent; ++depth) {
    const std::int32_t tenths = 4 + 15 * depth;  // 1.5em a level
    style += "tr.d" + std::to_string(depth) +
             " td.name{padding-left:" + std::to_string(tenths / 10) + "." +
             std::to_string(tenths % 10) + "em}\n";
  }
  for (std::size_t i = 0; i < colours.size(); ++i) {
    style += "tr.u" + std::to_string(i + 1) + " td{color:" + CssColour(colours[i].text) +
             ";background-color:" + CssColour(colours[i].background) + "}\n";
  }
  return style;
}

std::string HeadingRow(const TextTable& texts) {
  std::string row = "<thead><tr>";
  for (int number : {kTextHeadingName, kTextHeadingStatus, kTextHeadingUrgency, kTextHeadingStart,
                     kTextHeadingDue, kTextProgressCaption}) {
    row += "<th>" + HtmlText(texts[number]) + "</th>";
  }
  return row + "</tr></thead>\n";
}

// The name with its description under it, as the property panel shows them.
std::string NameCell(std::string_view stored_name, std::string_view stored_description) {
  std::string cell = "<td class=\"name\"><div>" + HtmlText(TypedName(stored_name)) + "</div>";
  if (!stored_description.empty()) {
    cell += "<div class=\"description\">" +
            HtmlText(DesignationFromStoredForm(stored_description)) + "</div>";
  }
  return cell + "</td>";
}

std::string RowOpening(std::string_view kind, std::int32_t level, int importance) {
  std::string opening = "<tr class=\"";
  opening += kind;
  if (importance >= 1 && importance <= 5) opening += " u" + std::to_string(importance);
  opening += " d" + std::to_string(std::clamp(level, 0, kDeepestIndent)) + "\">";
  return opening;
}

std::string Cell(std::string_view ansi) { return "<td>" + HtmlText(ansi) + "</td>"; }

std::string CategoryRow(const CategoryRecord& category, std::int32_t level) {
  return RowOpening("category", level, 0) + NameCell(category.nom, category.designation) +
         "<td></td><td></td><td></td><td></td>" + Cell(ProgressText(category.avancement)) +
         "</tr>\n";
}

std::string TaskRow(const TaskRecord& task, std::int32_t level, const TextTable& texts) {
  return RowOpening("task", level, task.importance) + NameCell(task.nom, task.designation) +
         Cell(StatusText(texts, task.statut)) + Cell(UrgencyText(texts, task.importance)) +
         Cell(task.datedebut) + Cell(task.dateecheance) + Cell(ProgressText(task.avancement)) +
         "</tr>\n";
}

}  // namespace

std::string PrintableView(const Document& document, const TextTable& texts,
                          const UrgencyColours& colours, const std::string& title) {
  const std::string html_title = HtmlText(title);
  std::string page =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>" + html_title +
      "</title>\n<style>\n" + Style(colours) + "</style>\n</head>\n<body>\n<h1>" + html_title +
      "</h1>\n<table>\n" +
      "<colgroup><col class=\"name\"><col class=\"status\"><col class=\"urgency\">"
      "<col class=\"start\"><col class=\"due\"><col class=\"progress\"></colgroup>\n" +
      HeadingRow(texts) + "<tbody>\n";
  for (const TreeEntry& row : document.rows) {
    const auto index = static_cast<std::size_t>(row.index);
    page += row.kind == kTaskRow ? TaskRow(document.tasks[index], row.level, texts)
                                 : CategoryRow(document.categories[index], row.level);
  }
  return page + "</tbody>\n</table>\n</body>\n</html>\n";
}

}  // namespace lumvik
