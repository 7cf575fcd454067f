#include "app/export_choice.h"

#include <array>
#include <string_view>

#include "config/text_numbers.h"
#include "platform/text.h"

namespace lumvik {

namespace {

struct ExportType {
  int text;
  std::string_view extension;
  ExportFormat format;
};

// In the order of the dialog's list.
constexpr std::array<ExportType, 4> kTypes{{
    {kTextExportHtml, ".html", ExportFormat::Html},
    {kTextExportCsv, ".csv", ExportFormat::Csv},
    {kTextExportMarkdown, ".md", ExportFormat::Markdown},
    {kTextExportCalendar, ".ics", ExportFormat::ICalendar},
}};

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size()) return false;
  const std::string_view tail = text.substr(text.size() - ending.size());
  for (std::size_t i = 0; i < ending.size(); ++i) {
    if (LowerLatin1(tail[i]) != LowerLatin1(ending[i])) return false;
  }
  return true;
}

}  // namespace

FileQuestion ExportQuestion(const TextTable& texts, const std::string& document_path) {
  FileQuestion question;
  question.title = texts[kTextExportTitle];
  question.proposed_name = document_path;
  if (EndsWithIgnoringCase(question.proposed_name, ".lvk")) {
    question.proposed_name.resize(question.proposed_name.size() - 4);
  }
  for (const ExportType& type : kTypes) {
    if (!question.filter.empty()) question.filter += '|';
    const std::string pattern = "*" + std::string(type.extension);
    question.filter += texts[type.text] + " (" + pattern + ")|" + pattern;
  }
  return question;
}

ExportTarget ExportTargetOf(const TypedFileName& answer) {
  const bool listed = answer.type >= 1 && answer.type <= static_cast<int>(kTypes.size());
  const ExportType& type = kTypes[listed ? static_cast<std::size_t>(answer.type - 1) : 0];
  ExportTarget target{answer.path, type.format};
  if (!EndsWithIgnoringCase(target.path, type.extension)) target.path += type.extension;
  return target;
}

}  // namespace lumvik
