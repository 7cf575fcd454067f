#include "tools/lvk/list_command.h"

#include <vector>

#include "export/row_texts.h"
#include "platform/codepage.h"

namespace lumvik {

std::optional<ViewFilter> FilterOf(const LvkOptions& options) {
  ViewFilter filter;
  filter.hide_finished = options.contains("hide-finished");
  filter.only_due = options.contains("due");
  filter.only_urgent = options.contains("urgent");
  if (const auto match = options.find("match"); match != options.end()) {
    const std::optional<std::string> text = Cp1252FromUtf8(match->second);
    if (!text) return std::nullopt;
    filter.match = *text;
  }
  return filter;
}

std::string ListedRows(const Document& document, const TextTable& texts) {
  std::string listed;
  std::vector<std::int32_t> open_levels;  // the rows above the current one
  for (const TreeEntry& row : document.rows) {
    while (!open_levels.empty() && open_levels.back() >= row.level) open_levels.pop_back();
    std::string line(2 * open_levels.size(), ' ');
    open_levels.push_back(row.level);
    if (row.kind == kTaskRow) {
      const TaskRecord& task = document.tasks[row.index];
      line += TypedName(task.nom) + '\t' + StatusText(texts, task.statut) + '\t' +
              UrgencyText(texts, task.importance) + '\t' + task.dateecheance + '\t' +
              ProgressText(task.avancement);
    } else {
      const CategoryRecord& category = document.categories[row.index];
      line += TypedName(category.nom) + "\t\t\t\t" + ProgressText(category.avancement);
    }
    listed += Utf8FromCp1252(line) + '\n';
  }
  return listed;
}

}  // namespace lumvik
