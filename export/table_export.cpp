#include "export/table_export.h"

#include <array>
#include <string_view>

#include "document/stored_form.h"
#include "export/html_text.h"
#include "export/row_texts.h"
#include "platform/codepage.h"

namespace lumvik {

std::vector<TableRow> DocumentTable(const Document& document, const TextTable& texts) {
  std::vector<TableRow> table;
  table.reserve(document.rows.size());
  RowAncestry ancestry;
  for (const TreeEntry& row : document.rows) {
    TableRow line;
    line.path = ancestry.PathTo(row.level);
    if (row.kind == kTaskRow) {
      const TaskRecord& task = document.tasks[static_cast<std::size_t>(row.index)];
      line.kind = "task";
      line.name = TypedName(task.nom);
      line.status = StatusText(texts, task.statut);
      line.importance = UrgencyText(texts, task.importance);
      line.start = task.datedebut;
      line.due = task.dateecheance;
      line.progress = ProgressText(task.avancement);
      line.description = DesignationFromStoredForm(task.designation);
    } else {
      const CategoryRecord& category = document.categories[static_cast<std::size_t>(row.index)];
      line.kind = "categorie";
      line.name = TypedName(category.nom);
      line.progress = ProgressText(category.avancement);
      line.description = DesignationFromStoredForm(category.designation);
    }
    ancestry.Add(row.level, line.name);
    table.push_back(std::move(line));
  }
  return table;
}

namespace {

using Cells = std::array<std::string_view, 9>;

Cells CellsOf(const TableRow& row) {
  return {row.path,  row.kind, row.name,     row.status,     row.importance,
          row.start, row.due,  row.progress, row.description};
}

const Cells kHeadings = {"path",  "kind", "name",     "status",     "importance",
                         "start", "due",  "progress", "description"};

// A cell with a separator, a quote or a line break is quoted; its line
// breaks stay as they are, which CSV readers take as part of the cell.
std::string CsvCell(std::string_view ansi) {
  const std::string text = Utf8FromCp1252(ansi);
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string cell = "\"";
  for (char c : text) {
    if (c == '"') cell += '"';
    cell += c;
  }
  return cell + "\"";
}

// Markdown gives meaning to these characters inside a table cell (emphasis,
// code, links, strike-through, raw HTML and entities, the cell separator);
// a backslash makes each stand for itself. A table cell is one line, so a
// line break becomes the <br> that table renderers show as one.
bool MarkdownSpecial(char c) {
  return std::string_view("\\`*_[]<>&|~").find(c) != std::string_view::npos;
}

std::string MarkdownCell(std::string_view ansi) {
  const std::string text = Utf8FromCp1252(ansi);
  std::string cell;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      cell += "<br>";
      continue;
    }
    if (MarkdownSpecial(c)) cell += '\\';
    cell += c;
  }
  return cell;
}

template <typename Escape>
std::string Line(const Cells& cells, std::string_view open, std::string_view between,
                 std::string_view close, Escape escape) {
  std::string line(open);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += between;
    line += escape(cells[i]);
  }
  line += close;
  return line;
}

std::string MarkdownRule() {
  std::string rule = "|";
  for (std::size_t i = 0; i < kHeadings.size(); ++i) rule += "---|";
  return rule + "\n";
}

}  // namespace

std::string FormatTable(const std::vector<TableRow>& rows, TableFormat format,
                        const std::string& title_note) {
  std::string out;
  switch (format) {
    case TableFormat::Csv:
      out += Line(kHeadings, "", ",", "\n", CsvCell);
      for (const TableRow& row : rows) out += Line(CellsOf(row), "", ",", "\n", CsvCell);
      break;
    case TableFormat::Markdown:
      out += Line(kHeadings, "| ", " | ", " |\n", MarkdownCell);
      out += MarkdownRule();
      for (const TableRow& row : rows) out += Line(CellsOf(row), "| ", " | ", " |\n", MarkdownCell);
      break;
    case TableFormat::Html:
      out += "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" +
             HtmlText(TitleWithNote("Lumvik", title_note)) +
             "</title>\n"
             "<style>td{white-space:pre-wrap}</style></head>\n"
             "<body><table>\n";
      out += Line(kHeadings, "<tr><th>", "</th><th>", "</th></tr>\n", HtmlText);
      for (const TableRow& row : rows) {
        out += Line(CellsOf(row), "<tr><td>", "</td><td>", "</td></tr>\n", HtmlText);
      }
      out += "</table></body></html>\n";
      break;
  }
  return out;
}

}  // namespace lumvik
