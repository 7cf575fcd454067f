#include <vector>

#include "document/document_file.h"
#include "document/progress_mean.h"
#include "document/row_records.h"

namespace lumvik {

namespace {

// A row whose run of descendants is still open while the rows are read in
// order. Its children have levels that never rise, and when its run closes
// its value is the one computed at its last child: the mean over the
// children at that child's level, taking the final values of the earlier
// ones and the value the last child had before its own children were seen.
struct OpenRow {
  int position = 0;
  bool has_child = false;
  std::int32_t child_level = 0;
  std::int64_t earlier_sum = 0;  // final values of the earlier children at child_level
  std::int64_t earlier_count = 0;
  int last_child = 0;
  std::int16_t last_child_value = 0;  // as it was when the last child was reached
};

std::int16_t ProgressOf(const Document& document, int position) {
  return RecordProgress(document, document.rows[position]);
}

// Only a category takes the mean of its children; a task under which a file
// put deeper rows keeps its own progress.
void Close(Document& document, const OpenRow& open) {
  if (!open.has_child || document.rows[open.position].kind != kCategoryRow) return;
  EditRecordProgress(document, document.rows[open.position]) =
      FloorMean(open.earlier_sum + open.last_child_value, open.earlier_count + 1);
}

void AddChild(Document& document, OpenRow& parent, int child) {
  const std::int32_t level = document.rows[child].level;
  if (parent.has_child && level == parent.child_level) {
    // The previous child's run closed when this child was reached.
    parent.earlier_sum += ProgressOf(document, parent.last_child);
    ++parent.earlier_count;
  } else {
    parent.child_level = level;
    parent.earlier_sum = 0;
    parent.earlier_count = 0;
  }
  parent.has_child = true;
  parent.last_child = child;
  parent.last_child_value = ProgressOf(document, child);
}

}  // namespace

void RecomputeLoadedProgress(Document& document) {
  std::vector<OpenRow> open;
  const int row_count = static_cast<int>(document.rows.size());
  for (int row = 0; row < row_count; ++row) {
    const std::int32_t level = document.rows[row].level;
    while (!open.empty() && document.rows[open.back().position].level >= level) {
      Close(document, open.back());
      open.pop_back();
    }
    if (!open.empty()) AddChild(document, open.back(), row);
    open.push_back({row});
  }
  for (auto it = open.rbegin(); it != open.rend(); ++it) Close(document, *it);
}

}  // namespace lumvik
