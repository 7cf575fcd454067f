// The document as a page to print: the tree as Lumvik shows it, with each
// task in the colours of its urgency and its values in columns.
#pragma once

#include <string>

#include "config/text_table.h"
#include "document/document.h"
#include "theme/row_colours.h"

namespace lumvik {

// A UTF-8 HTML page titled `title` (in the ANSI code page, as the document's
// file name is): rows indented by level, categories in bold, tasks in the
// text and background colours of their importance (the page's own colours
// for an importance outside 1 to 5), each description under its name with
// its line breaks, and columns for status, urgency, start, due and progress
// headed by the language's texts. The colours print as they show.
std::string PrintableView(const Document& document, const TextTable& texts,
                          const UrgencyColours& colours, const std::string& title);

}  // namespace lumvik
