// The document as a table: one line per row with the path of categories
// above it, its name, status and importance by their texts, dates, progress
// and description.
#pragma once

#include <string>
#include <vector>

#include "config/text_table.h"
#include "document/document.h"

namespace lumvik {

enum class TableFormat { Csv, Markdown, Html };

struct TableRow {
  std::string path;  // names of the rows above the row, from the top, " / " between
  std::string kind;
  std::string name;         // as typed
  std::string status;       // tasks only
  std::string importance;   // tasks only
  std::string start;        // tasks only
  std::string due;          // tasks only
  std::string progress;     // "70 %"
  std::string description;  // as typed, line breaks as CR LF
};

// The rows in document order; texts in the ANSI code page.
std::vector<TableRow> DocumentTable(const Document& document, const TextTable& texts);

// The table in the format, UTF-8 encoded, lines ending in LF. The columns
// keep their order as columns are added, new ones at the end, so that
// readers that pick columns by position go on reading the same ones. An
// HTML page is titled "Lumvik", followed by `title_note` in brackets when
// there is one (ANSI code page).
std::string FormatTable(const std::vector<TableRow>& rows, TableFormat format,
                        const std::string& title_note = {});

}  // namespace lumvik
