// What File > Export asks and what the answer means: the save dialog's list
// of file types, each one a format, and the file name that follows from the
// type chosen.
#pragma once

#include <string>

#include "config/text_table.h"
#include "export/document_export.h"
#include "platform/prompt.h"

namespace lumvik {

// The dialog's question: its title, the document's own name without its
// extension, and the four types, the web page first.
FileQuestion ExportQuestion(const TextTable& texts, const std::string& document_path);

struct ExportTarget {
  std::string path;
  ExportFormat format = ExportFormat::Html;
  bool operator==(const ExportTarget&) const = default;
};

// The format of the type chosen, and the path with that type's extension
// added unless it already ends with it (in any letter case).
ExportTarget ExportTargetOf(const TypedFileName& answer);

}  // namespace lumvik
