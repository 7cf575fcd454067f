// The document of New, and of a start without a document to open.
#pragma once

#include <cstdint>

#include "config/text_table.h"
#include "document/document.h"

namespace lumvik {

// One top-level category named by text 37, no file path, the saved flag given.
Document NewDocument(const TextTable& texts, std::int32_t saved);

}  // namespace lumvik
