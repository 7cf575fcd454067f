// Export of a whole document to another program's format: the one entry
// point of File > Export and of `lvk export`.
#pragma once

#include <string>

#include "config/text_table.h"
#include "document/document.h"
#include "export/utc_time.h"

namespace lumvik {

enum class ExportFormat { Csv, Markdown, Html, ICalendar };

// The file's bytes, UTF-8. The table formats hold every row with the path
// above it, status and urgency in the language's words, dates, progress and
// description; iCalendar holds the tasks, stamped with `now`. An HTML page
// carries `title_note` in its title: what part of the document a view showed.
std::string ExportDocument(const Document& document, const TextTable& texts, ExportFormat format,
                           const UtcTime& now, const std::string& title_note = {});

}  // namespace lumvik
