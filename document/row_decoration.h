// What each row shows beside its text: an icon for its kind and state, its
// progress picture, and for a task the colours of its urgency.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "document/row_view.h"
#include "theme/progress_pictures.h"
#include "theme/row_colours.h"

namespace lumvik {

// Icon 6 for a complete category (progress 10), else icon 1.
int CategoryIcon(const CategoryRecord& category);

// The icon of a task's status; a status outside 1 to 5 shows that of 1.
int TaskStatusIcon(const TaskRecord& task);

// Progress p shows picture p + 1; a progress whose picture does not exist
// shows none.
int ProgressStateIndex(std::int16_t avancement);

void ShowCategoryIcon(RowView& view, int position, const CategoryRecord& category);
void RefreshCategoryRow(RowView& view, int position, const CategoryRecord& category);

void ShowTaskStatus(RowView& view, int position, const TaskRecord& task);
void ShowTaskProgress(RowView& view, int position, const TaskRecord& task);
// An importance outside 1 to 5 leaves the item's colours as they are.
void ShowTaskColours(RowView& view, int position, const TaskRecord& task,
                     const UrgencyColours& colours);
void RefreshTaskRow(RowView& view, int position, const TaskRecord& task,
                    const UrgencyColours& colours);

// The icon and progress picture row `position` of the document shows.
struct RowPictures {
  int icon;
  int state_index;
};
RowPictures PicturesOf(const Document& document, int position);

// RefreshCategoryRow or RefreshTaskRow for row `position` of the document.
void RefreshRow(RowView& view, const Document& document, int position,
                const UrgencyColours& colours);

}  // namespace lumvik
