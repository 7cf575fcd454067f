#include "document/stored_form.h"

namespace lumvik {

std::string DesignationToStoredForm(std::string_view typed) {
  std::string stored;
  stored.reserve(typed.size());
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n') {
      stored += kStoredLineBreak;
      ++i;
    } else {
      stored += typed[i] == '"' ? kStoredQuote : typed[i];
    }
  }
  return stored;
}

std::string DesignationFromStoredForm(std::string_view stored) {
  std::string typed;
  typed.reserve(stored.size());
  for (const char c : stored) {
    if (c == kStoredLineBreak) {
      typed += "\r\n";
    } else {
      typed += c == kStoredQuote ? '"' : c;
    }
  }
  return typed;
}

}  // namespace lumvik
