#include "document/row_decoration.h"

namespace lumvik {

int CategoryIcon(const CategoryRecord& category) { return category.avancement == 10 ? 6 : 1; }

int TaskStatusIcon(const TaskRecord& task) {
  switch (task.statut) {
    case 2:
      return 4;
    case 3:
      return 5;
    case 4:
      return 0;
    case 5:
      return 2;
    default:
      return 3;
  }
}

int ProgressStateIndex(std::int16_t avancement) {
  const int index = avancement + 1;
  return index >= 0 && index < kProgressPictureCount ? index : 0;
}

void ShowCategoryIcon(RowView& view, int position, const CategoryRecord& category) {
  view.SetIcon(position, CategoryIcon(category));
}

void RefreshCategoryRow(RowView& view, int position, const CategoryRecord& category) {
  view.SetStateImage(position, ProgressStateIndex(category.avancement));
  ShowCategoryIcon(view, position, category);
}

void ShowTaskStatus(RowView& view, int position, const TaskRecord& task) {
  view.SetIcon(position, TaskStatusIcon(task));
}

void ShowTaskProgress(RowView& view, int position, const TaskRecord& task) {
  view.SetStateImage(position, ProgressStateIndex(task.avancement));
}

void ShowTaskColours(RowView& view, int position, const TaskRecord& task,
                     const UrgencyColours& colours) {
  if (task.importance >= 1 && task.importance <= 5) {
    view.SetColours(position, colours[task.importance - 1]);
  }
}

void RefreshTaskRow(RowView& view, int position, const TaskRecord& task,
                    const UrgencyColours& colours) {
  ShowTaskStatus(view, position, task);
  ShowTaskProgress(view, position, task);
  ShowTaskColours(view, position, task, colours);
}

RowPictures PicturesOf(const Document& document, int position) {
  const TreeEntry& row = document.rows[position];
  if (row.kind == kCategoryRow) {
    const CategoryRecord& category = document.categories[row.index];
    return {CategoryIcon(category), ProgressStateIndex(category.avancement)};
  }
  const TaskRecord& task = document.tasks[row.index];
  return {TaskStatusIcon(task), ProgressStateIndex(task.avancement)};
}

void RefreshRow(RowView& view, const Document& document, int position,
                const UrgencyColours& colours) {
  const TreeEntry& row = document.rows[position];
  if (row.kind == kCategoryRow) {
    RefreshCategoryRow(view, position, document.categories[row.index]);
  } else {
    RefreshTaskRow(view, position, document.tasks[row.index], colours);
  }
}

}  // namespace lumvik
