// The document as one JSON object, for scripts that read documents.
#pragma once

#include <optional>
#include <string>

#include "document/document.h"

namespace lumvik {

// Bytes of the ANSI code page (Windows-1252) as a JSON string literal.
std::string JsonString(std::string_view text);

// {"logiciel": ..., "rows": [...]}: one object per row with its record's
// fields; descriptions in their stored form.
std::string DocumentJson(const Document& document, const std::optional<std::string>& logiciel);

}  // namespace lumvik
