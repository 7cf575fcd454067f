// `lvk list`: the rows of a document as Lumvik's tree shows them, narrowed
// by the same filters as its View menu and its find window.
#pragma once

#include <optional>
#include <string>

#include "config/text_table.h"
#include "document/document.h"
#include "document/view_filter.h"
#include "tools/lvk/write_commands.h"

namespace lumvik {

// The filters the options ask for: --hide-finished, --due, --urgent and
// --match TEXT (UTF-8). Nothing when the text has a character that no
// document can hold.
std::optional<ViewFilter> FilterOf(const LvkOptions& options);

// One line per row, UTF-8, indented by two blanks for each category above
// it: the name, then, tab-separated, the status and urgency in the
// language's words, the due date (tasks only) and the progress.
std::string ListedRows(const Document& document, const TextTable& texts);

}  // namespace lumvik
