#include "document/new_document.h"

#include "config/text_numbers.h"

namespace lumvik {

Document NewDocument(const TextTable& texts, std::int32_t saved) {
  Document document;
  document.rows.push_back({kCategoryRow, 0, 0});
  document.categories.push_back({texts[kTextNewCategory], "", 0});
  document.saved = saved;
  return document;
}

}  // namespace lumvik
