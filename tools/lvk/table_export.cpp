#include "tools/lvk/table_export.h"

#include <array>
#include <string_view>

#include "config/text_numbers.h"
#include "platform/codepage.h"

namespace lumvik {

namespace {

// A value's text, or its number where the language file has no text for it.
std::string ValueText(const TextTable& texts, int first_text, int value) {
  if (value >= 1 && value <= 5 && !texts[first_text + value - 1].empty()) {
    return texts[first_text + value - 1];
  }
  return std::to_string(value);
}

std::string PathOf(const std::vector<std::string>& ancestors) {
  std::string path;
  for (const std::string& name : ancestors) {
    if (!path.empty()) path += " / ";
    path += name;
  }
  return path;
}

}  // namespace

std::vector<TableRow> DocumentTable(const Document& document, const TextTable& texts) {
  std::vector<TableRow> table;
  table.reserve(document.rows.size());
  // Names and levels of the rows above the current one that contain it.
  std::vector<std::string> ancestor_names;
  std::vector<std::int32_t> ancestor_levels;
  for (const TreeEntry& row : document.rows) {
    while (!ancestor_levels.empty() && ancestor_levels.back() >= row.level) {
      ancestor_levels.pop_back();
      ancestor_names.pop_back();
    }
    TableRow line;
    line.path = PathOf(ancestor_names);
    if (row.kind == kTaskRow) {
      const TaskRecord& task = document.tasks[static_cast<std::size_t>(row.index)];
      line.kind = "task";
      line.name = task.nom;
      line.status = ValueText(texts, kTextStatusFirst, task.statut);
      line.importance = ValueText(texts, kTextImportanceFirst, task.importance);
      line.start = task.datedebut;
      line.due = task.dateecheance;
      line.progress = std::to_string(task.avancement * 10) + " %";
    } else {
      const CategoryRecord& category = document.categories[static_cast<std::size_t>(row.index)];
      line.kind = "categorie";
      line.name = category.nom;
      line.progress = std::to_string(category.avancement * 10) + " %";
    }
    ancestor_names.push_back(line.name);
    ancestor_levels.push_back(row.level);
    table.push_back(std::move(line));
  }
  return table;
}

namespace {

using Cells = std::array<std::string, 8>;

Cells CellsOf(const TableRow& row) {
  return {row.path,  row.kind,  row.name, row.status,
          row.importance, row.start, row.due,  row.progress};
}

const Cells kHeadings = {"path", "kind", "name", "status", "importance", "start", "due", "progress"};

std::string CsvCell(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string cell = "\"";
  for (char c : text) {
    if (c == '"') cell += '"';
    cell += c;
  }
  return cell + "\"";
}

std::string MarkdownCell(std::string_view text) {
  std::string cell;
  for (char c : text) {
    if (c == '|' || c == '\\' || c == '*' || c == '_' || c == '`') cell += '\\';
    cell += (c == '\r' || c == '\n') ? ' ' : c;
  }
  return cell;
}

std::string HtmlCell(std::string_view text) {
  std::string cell;
  for (char c : text) {
    switch (c) {
      case '&': cell += "&amp;"; break;
      case '<': cell += "&lt;"; break;
      case '>': cell += "&gt;"; break;
      case '"': cell += "&quot;"; break;
      default: cell += c;
    }
  }
  return cell;
}

template <typename Escape>
std::string Line(const Cells& cells, std::string_view open, std::string_view between,
                 std::string_view close, Escape escape) {
  std::string line(open);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += between;
    line += escape(Utf8FromCp1252(cells[i]));
  }
  line += close;
  return line;
}

}  // namespace

std::string FormatTable(const std::vector<TableRow>& rows, TableFormat format) {
  std::string out;
  switch (format) {
    case TableFormat::Csv:
      out += Line(kHeadings, "", ",", "\n", CsvCell);
      for (const TableRow& row : rows) out += Line(CellsOf(row), "", ",", "\n", CsvCell);
      break;
    case TableFormat::Markdown:
      out += Line(kHeadings, "| ", " | ", " |\n", MarkdownCell);
      out += "|---|---|---|---|---|---|---|---|\n";
      for (const TableRow& row : rows) out += Line(CellsOf(row), "| ", " | ", " |\n", MarkdownCell);
      break;
    case TableFormat::Html:
      out += "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Lumvik</title></head>\n"
             "<body><table>\n";
      out += Line(kHeadings, "<tr><th>", "</th><th>", "</th></tr>\n", HtmlCell);
      for (const TableRow& row : rows) {
        out += Line(CellsOf(row), "<tr><td>", "</td><td>", "</td></tr>\n", HtmlCell);
      }
      out += "</table></body></html>\n";
      break;
  }
  return out;
}

}  // namespace lumvik
