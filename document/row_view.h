// The tree as the code that changes rows sees it: items by row position
// (0-based, the same number as in the row list), each with a text, a depth
// and its decorations. The window shows it through one adapter; tests use a
// vector of plain items.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "theme/row_colours.h"

namespace lumvik {

// One item of a run to insert.
struct RowItem {
  std::string text;
  std::int32_t depth = 0;
};

// A row with the rows under it, where it stood before a reorder.
struct RowRun {
  int first = 0;
  int count = 0;
};

// The elements from `from` on taken in the order of `runs`, which cover
// them, each run from where it stood.
template <typename T>
void ReorderRuns(std::vector<T>& elements, int from, std::span<const RowRun> runs) {
  std::vector<T> reordered;
  for (const RowRun& run : runs) {
    const auto first = elements.begin() + run.first;
    reordered.insert(reordered.end(), std::make_move_iterator(first),
                     std::make_move_iterator(first + run.count));
  }
  std::move(reordered.begin(), reordered.end(), elements.begin() + from);
}

class RowView {
 public:
  virtual ~RowView() = default;

  virtual int Count() const = 0;
  // The new item takes `position`; the item there and those after it move down.
  virtual void Insert(int position, const std::string& text, std::int32_t depth) = 0;
  // A row with the rows under it, inserted at `position` in their order as
  // Insert would one by one. A view may do it in one step.
  virtual void InsertRun(int position, std::span<const RowItem> items) {
    for (std::size_t k = 0; k < items.size(); ++k) {
      Insert(position + static_cast<int>(k), items[k].text, items[k].depth);
    }
  }
  // Removes the item with all its descendants.
  virtual void Remove(int position) = 0;
  // The items from `from` on shown in the order of `runs`, as a sort puts
  // them: each run a row with the rows under it, the runs children of one
  // parent, their items kept.
  virtual void Reorder(int from, std::span<const RowRun> runs) = 0;
  virtual void Clear() = 0;

  virtual void SetText(int position, const std::string& text) = 0;
  // The same picture of the icon list whether the item is selected or not.
  virtual void SetIcon(int position, int picture) = 0;
  // Picture `index` of the progress pictures; 0 shows none.
  virtual void SetStateImage(int position, int index) = 0;
  virtual void SetColours(int position, RowColours colours) = 0;
  // The tree's own colours again, as a new item has them.
  virtual void ClearColours(int position) = 0;

  // Whether the row is shown: a row the view hides has no item, nor have
  // the rows under it. Commands that go by what the user sees (the moves)
  // pass over hidden rows.
  virtual bool Shown(int /*position*/) const { return true; }

  virtual void Select(int position) = 0;
  virtual void Expand(int position) = 0;
  // The selected position, or -1 when nothing is selected.
  virtual int Selection() const = 0;
};

}  // namespace lumvik
