#include "export/row_texts.h"

#include <algorithm>

#include "config/text_numbers.h"
#include "document/stored_form.h"
#include "platform/text.h"

namespace lumvik {

namespace {

std::string ValueText(const TextTable& texts, int first_text, int value) {
  if (value >= 1 && value <= 5 && !texts[first_text + value - 1].empty()) {
    return texts[first_text + value - 1];
  }
  return std::to_string(value);
}

}  // namespace

std::string TypedName(std::string_view stored) {
  std::string name(stored);
  std::replace(name.begin(), name.end(), kStoredQuote, '"');
  return name;
}

std::string StatusText(const TextTable& texts, int statut) {
  return ValueText(texts, kTextStatusFirst, statut);
}

std::string UrgencyText(const TextTable& texts, int importance) {
  return ValueText(texts, kTextImportanceFirst, importance);
}

std::string ProgressText(int avancement) { return std::to_string(avancement * 10) + " %"; }

std::string TasksShownText(const TextTable& texts, int shown, int total) {
  const std::string counts[] = {GroupedNumber(shown), GroupedNumber(total)};
  return FillPlaceholders(texts[kTextTasksShown], counts);
}

std::string TitleWithNote(const std::string& title, const std::string& note) {
  return note.empty() ? title : title + " (" + note + ")";
}

std::string RowAncestry::PathTo(std::int32_t level) {
  while (!levels_.empty() && levels_.back() >= level) {
    levels_.pop_back();
    names_.pop_back();
  }
  std::string path;
  for (const std::string& name : names_) {
    if (!path.empty()) path += " / ";
    path += name;
  }
  return path;
}

void RowAncestry::Add(std::int32_t level, std::string name) {
  levels_.push_back(level);
  names_.push_back(std::move(name));
}

}  // namespace lumvik
