// The row view of the main tree view: row positions mapped to tree items in
// constant time, and the urgency colours drawn through custom draw.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/due_marks_win32.h"
#include "document/due_dates.h"
#include "document/row_view.h"

namespace lumvik {

// The rectangle of a tree item in the tree's client area, of its label
// alone or of its whole line; nothing when the item is not in view.
std::optional<RECT> ItemRect(HWND tree, HTREEITEM item, bool label_only);

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
  // In one step when the run is one row with deeper ones under it and the
  // row that follows is not deeper than its first: then no later row
  // changes its parent.
  void InsertRun(int position, std::span<const RowItem> items) override;
  void Remove(int position) override;
  void Clear() override;
  void SetText(int position, const std::string& text) override;
  void SetIcon(int position, int picture) override;
  void SetStateImage(int position, int index) override;
  void SetColours(int position, RowColours colours) override;
  void ClearColours(int position) override;
  void Select(int position) override;
  void Expand(int position) override;
  // Whether the row shows its children.
  bool Expanded(int position) const;
  int Selection() const override;

  HWND tree() const { return tree_; }
  // Null for a row appended under a RedrawHold of this view, whose item is
  // made when the hold ends.
  HTREEITEM Item(int position) const;
  // The position of an item of this view, or -1.
  int PositionOf(HTREEITEM item) const;
  // The row under a point of the tree's client area when the point is on
  // its icon, label or state icon; -1 elsewhere.
  int PositionAt(POINT client_point) const;
  // Draws the row again, as when what it shows beyond its item changed.
  void Repaint(int position);
  // Starts in-place editing of the item's label.
  void EditLabel(int position);

  // Whether the row at a position falls due, asked as the row is drawn, so
  // that the marks follow the clock and the rows without redecorating them.
  void SetDueLookup(std::function<DueState(int position)> lookup) { due_ = std::move(lookup); }

  // The answer to the tree's NM_CUSTOMDRAW notification: rows given colours
  // are drawn in them, the others in the tree's own colours; tasks that
  // fall due carry their marks.
  LRESULT OnCustomDraw(NMTVCUSTOMDRAW& draw);

 private:
  friend class RedrawHold;
  struct Row;
  // Where a new item goes: under `parent` (null at the top), after `after`.
  struct Placement {
    Row* parent;
    HTREEITEM after;
  };
  bool Valid(int position) const;
  void Renumber(int from);
  Placement PlaceAt(int position, std::int32_t depth) const;
  HTREEITEM CreateItem(Row& row, Placement place, TVITEMA item);
  void AdoptFollowingRows(int position);
  void CreateHeldItems();

  HWND tree_;
  std::function<DueState(int position)> due_;
  DueMarks due_marks_;
  std::vector<std::unique_ptr<Row>> rows_;
  int holds_ = 0;
  // Rows from here on were appended under a hold and have no item yet.
  std::size_t first_held_ = 0;
};

// Holds off the redrawing of a window while many rows change, and redraws it
// once at the end. Held on a view, it also holds back the items of the rows
// appended meanwhile and makes each with its icon and progress picture in
// one step at the end, which spares the tree a search through all its items
// for every later change of an item.
class RedrawHold {
 public:
  explicit RedrawHold(HWND window);
  explicit RedrawHold(TreeRowView& view);
  ~RedrawHold();
  RedrawHold(const RedrawHold&) = delete;
  RedrawHold& operator=(const RedrawHold&) = delete;

 private:
  HWND window_;
  TreeRowView* view_ = nullptr;
};

}  // namespace lumvik
