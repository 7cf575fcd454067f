// A RowView for tests: the items as a vector of plain structs. A position
// that names no item fails the test.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "document/row_view.h"

namespace lumvik::testing {

struct MemoryRow {
  std::string text;
  std::int32_t depth = 0;
  int icon = -1;                      // -1: never set
  int state_index = 0;                // 0: no progress picture
  std::optional<RowColours> colours;  // nothing: the tree's own colours
  bool selected = false;
  bool expanded = false;
  bool hidden = false;
  bool operator==(const MemoryRow&) const = default;
};

class MemoryRowView : public RowView {
 public:
  int Count() const override { return static_cast<int>(rows_.size()); }

  void Insert(int position, const std::string& text, std::int32_t depth) override {
    if (position < 0 || position > Count()) {
      ADD_FAILURE() << "insert at " << position << " of " << Count();
      return;
    }
    MemoryRow row;
    row.text = text;
    row.depth = depth;
    rows_.insert(rows_.begin() + position, row);
  }

  void Remove(int position) override {
    if (!Check(position)) return;
    auto end = rows_.begin() + position + 1;
    while (end != rows_.end() && end->depth > rows_[position].depth) ++end;
    rows_.erase(rows_.begin() + position, end);
  }

  void Reorder(int from, std::span<const RowRun> runs) override { ReorderRuns(rows_, from, runs); }
  void Clear() override { rows_.clear(); }

  void SetText(int position, const std::string& text) override {
    if (Check(position)) rows_[position].text = text;
  }
  void SetIcon(int position, int picture) override {
    if (Check(position)) rows_[position].icon = picture;
  }
  void SetStateImage(int position, int index) override {
    if (Check(position)) rows_[position].state_index = index;
  }
  void SetColours(int position, RowColours colours) override {
    if (Check(position)) rows_[position].colours = colours;
  }
  void ClearColours(int position) override {
    if (Check(position)) rows_[position].colours.reset();
  }

  bool Shown(int position) const override { return Check(position) && !rows_[position].hidden; }
  // Hides the row and the rows under it, as a filter of the view would.
  void Hide(int position) {
    if (!Check(position)) return;
    rows_[position].hidden = true;
    for (int below = position + 1; below < Count() && rows_[below].depth > rows_[position].depth;
         ++below) {
      rows_[below].hidden = true;
    }
  }

  void Select(int position) override {
    if (!Check(position)) return;
    for (MemoryRow& row : rows_) row.selected = false;
    rows_[position].selected = true;
  }
  void Expand(int position) override {
    if (Check(position)) rows_[position].expanded = true;
  }
  int Selection() const override {
    for (int i = 0; i < Count(); ++i) {
      if (rows_[i].selected) return i;
    }
    return -1;
  }

  const std::vector<MemoryRow>& rows() const { return rows_; }

 private:
  bool Check(int position) const {
    if (position >= 0 && position < Count()) return true;
    ADD_FAILURE() << "no item " << position << " of " << Count();
    return false;
  }

  std::vector<MemoryRow> rows_;
};

}  // namespace lumvik::testing
