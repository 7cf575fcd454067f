// The row view of the main tree view: row positions mapped to tree items in
// constant time, and the urgency colours drawn through custom draw.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/row_view.h"

namespace lumvik {

class TreeRowView : public RowView {
 public:
  explicit TreeRowView(HWND tree);
  ~TreeRowView() override;
  TreeRowView(const TreeRowView&) = delete;
  TreeRowView& operator=(const TreeRowView&) = delete;

  int Count() const override;
  // An item whose depth is more than one below the item above it is shown as
  // a child of the nearest item above with a smaller depth.
  void Insert(int position, const std::string& text, std::int32_t depth) override;
  void Remove(int position) override;
  void Clear() override;
  void SetText(int position, const std::string& text) override;
  void SetIcon(int position, int picture) override;
  void SetStateImage(int position, int index) override;
  void SetColours(int position, RowColours colours) override;
  void Select(int position) override;
  void Expand(int position) override;
  int Selection() const override;

  HWND tree() const { return tree_; }
  HTREEITEM Item(int position) const;
  // The position of an item of this view, or -1.
  int PositionOf(HTREEITEM item) const;
  // The row under a point of the tree's client area when the point is on
  // its icon, label or state icon; -1 elsewhere.
  int PositionAt(POINT client_point) const;
  // Starts in-place editing of the item's label.
  void EditLabel(int position);

  // The answer to the tree's NM_CUSTOMDRAW notification: rows given colours
  // are drawn in them, the others in the tree's own colours.
  LRESULT OnCustomDraw(NMTVCUSTOMDRAW& draw) const;

 private:
  struct Row;
  bool Valid(int position) const;
  void Renumber(int from);

  HWND tree_;
  std::vector<std::unique_ptr<Row>> rows_;
};

// Holds off the tree's redrawing while many rows change, and redraws it once
// at the end.
class RedrawHold {
 public:
  explicit RedrawHold(HWND window);
  ~RedrawHold();
  RedrawHold(const RedrawHold&) = delete;
  RedrawHold& operator=(const RedrawHold&) = delete;

 private:
  HWND window_;
};

}  // namespace lumvik
