#include "export/document_export.h"

#include "export/ical_export.h"
#include "export/table_export.h"

namespace lumvik {

std::string ExportDocument(const Document& document, const TextTable& texts, ExportFormat format,
                           const UtcTime& now, const std::string& title_note) {
  switch (format) {
    case ExportFormat::Csv:
      return FormatTable(DocumentTable(document, texts), TableFormat::Csv);
    case ExportFormat::Markdown:
      return FormatTable(DocumentTable(document, texts), TableFormat::Markdown);
    case ExportFormat::Html:
      return FormatTable(DocumentTable(document, texts), TableFormat::Html, title_note);
    case ExportFormat::ICalendar:
      break;
  }
  return ICalendarOf(document, now);
}

}  // namespace lumvik
