// What every edit works on: the document, the tree that shows it, and the
// urgency colours that task rows are drawn in.
#pragma once

#include <cstddef>

#include "document/document.h"
#include "document/row_view.h"

namespace lumvik {

struct EditTarget {
  Document& document;
  RowView& view;
  const UrgencyColours& colours;
};

// The selection a command receives may be -1 or stale; every edit checks it.
inline bool IsRowPosition(const Document& document, int position) {
  return position >= 0 && static_cast<std::size_t>(position) < document.rows.size();
}

}  // namespace lumvik
