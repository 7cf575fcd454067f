// The row view of the main tree view: row positions mapped to tree items in
// constant time, and the urgency colours drawn through custom draw. Items
// are made only for what can be opened to: the children of a category get
// theirs when it is first expanded, or when a row among them is selected.
// Rows that a narrowed view hides have no item at all.
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
  // The rows move without their items going: the tree puts the parent's
  // items in the rows' new order.
  void Reorder(int from, std::span<const RowRun> runs) override;
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
  bool Shown(int position) const override;

  // What the item of a row shows, asked when a row that a view hid is shown
  // again: its item went when it was hidden.
  struct RowLook {
    std::string text;
    int icon = -1;
    int state_index = 0;
  };
  void SetRowLook(std::function<RowLook(int position)> look) { look_ = std::move(look); }
  // Hides the rows whose flag is false and shows the others, a row beyond
  // the flags being shown. A shown row's parent must be shown too. Many
  // changes at once remake every item in one pass, each category open or
  // closed as it was, or closed when not `reopen` (its items then wait
  // until it is opened); a few change only their own items.
  void ShowRows(const std::vector<bool>& shown, bool reopen = true);
  // Every category shown closed, the items under it gone until it is
  // opened; the next ShowRows that reopens opens each as the user left it.
  void CloseCategories() { RemakeItems(false); }
  // The hidden row a command last asked to select, or -1, once: selecting
  // it waits until the view shows it.
  int TakeWantedRow();
  // The one row shown although the view hides it, drawn in grey; -1 for
  // none.
  void SetGreyedRow(int position);
  int GreyedRow() const;

  // The tree view showing the rows. Remaking every item puts a new one in
  // its place, with its number, style, font and pictures.
  HWND tree() const { return tree_; }
  // Told of the new tree view each time one takes the old one's place.
  void SetTreeReplaced(std::function<void(HWND tree)> replaced) { replaced_ = std::move(replaced); }
  // The row's item, or null when it has none yet: a row appended under a
  // RedrawHold of this view, or one in a category never expanded.
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
  // The answer to the tree's TVN_ITEMEXPANDING: the children get their items.
  void OnItemExpanding(const NMTREEVIEWA& change);
  // The answer to TVN_ITEMEXPANDED: the view keeps which rows are open, so
  // that remade items open as they were without asking the tree.
  void OnItemExpanded(const NMTREEVIEWA& change);

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
  // The order of two items of this view, by the positions of their rows.
  static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM);
  void Renumber(int from);
  bool HasChildren(const Row& row) const;
  // Whether a row under it is shown: then one of its children is.
  bool HasShownChildren(const Row& row) const;
  // The item of the nearest earlier sibling that has one, or TVI_FIRST.
  HTREEITEM ItemBefore(const Row* parent, int position) const;
  // The position after the row's last descendant.
  int SubtreeEnd(int position) const;
  // Whether the children of `parent` (the top level when null) have items.
  static bool ChildrenShown(const Row* parent);
  Placement PlaceAt(int position, std::int32_t depth) const;
  // `reopen`: a row last opened opens again, its children made right after.
  void MakeItem(Row& row, Placement place, bool reopen = false);
  // The items of rows turning hidden go, with those of the rows under them.
  void RemoveItemsOf(Row& row);
  // Every item made anew for the rows shown, in one pass in row order.
  void RemakeItems(bool reopen);
  // A new, empty tree view in the place of the current one, which goes once
  // the new one has painted; the current one emptied when none can be made.
  void ReplaceTree();
  void ShowButton(Row& row, bool shown);
  // Makes the items of the row's children, once.
  void Populate(Row& row);
  // Makes the items of the children of `opened`, rows whose children have
  // none, each the parent of the one before it, the last with an item.
  void MakeChildItems(const std::vector<Row*>& opened);
  // The row's item, made with those of the categories above it if need be.
  HTREEITEM ItemMadeFor(int position);
  int AdoptFollowingRows(int position);
  void CreateHeldItems();

  HWND tree_;
  std::function<DueState(int position)> due_;
  std::function<RowLook(int position)> look_;
  std::function<void(HWND tree)> replaced_;
  int hidden_count_ = 0;  // as the last ShowRows left it; 0 when no row is hidden
  Row* greyed_ = nullptr;
  Row* wanted_ = nullptr;
  bool closed_ = false;  // the categories were made closed, whatever the user left open
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
