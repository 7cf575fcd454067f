// The record that a row names, whichever list it stands in.
#pragma once

#include <cstdint>
#include <string>

#include "document/document.h"

namespace lumvik {

inline const std::string& RecordName(const Document& document, const TreeEntry& row) {
  return row.kind == kCategoryRow ? document.categories[row.index].nom
                                  : document.tasks[row.index].nom;
}

inline std::int16_t RecordProgress(const Document& document, const TreeEntry& row) {
  return row.kind == kCategoryRow ? document.categories[row.index].avancement
                                  : document.tasks[row.index].avancement;
}

// The progress of the row's record, to be written: the record counts as
// changed for the edit history, so reading goes through RecordProgress.
inline std::int16_t& EditRecordProgress(Document& document, const TreeEntry& row) {
  return row.kind == kCategoryRow ? document.categories.Edit(row.index).avancement
                                  : document.tasks.Edit(row.index).avancement;
}

}  // namespace lumvik
