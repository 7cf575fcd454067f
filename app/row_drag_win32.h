// Dragging a row of the tree with the mouse: a picture of the row follows
// the pointer, the row it would be dropped on is highlighted, and letting
// go says which row went onto which.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <optional>

#include "app/tree_view_win32.h"
#include "theme/gdi_owners_win32.h"

namespace lumvik {

struct RowDrop {
  int row = -1;   // the dragged row
  int onto = -1;  // the row it was let go on
  bool operator==(const RowDrop&) const = default;
};

class RowDrag {
 public:
  // `owner` holds the mouse while a row is dragged.
  RowDrag(HWND owner, TreeRowView& rows) : owner_(owner), rows_(rows) {}
  ~RowDrag() { Cancel(); }
  RowDrag(const RowDrag&) = delete;
  RowDrag& operator=(const RowDrag&) = delete;

  // The tree's TVN_BEGINDRAG: the row under the pointer starts moving.
  void Begin(const NMTREEVIEWA& start);
  bool dragging() const { return row_ >= 0; }
  // The pointer at `screen` while the button is held.
  void Move(POINT screen);
  // The button let go at `screen`: the drop, when it was on a row.
  std::optional<RowDrop> Finish(POINT screen);
  // The mouse taken away (another window, Escape...): nothing is dropped.
  void Cancel();

 private:
  // The row under a point of the screen, anywhere across its line; -1 off the rows.
  int RowAt(POINT screen) const;
  // Scrolls the tree a row when the pointer is within a row of its top or
  // bottom edge.
  void ScrollNearEdge(POINT screen);
  // A point of the screen relative to the tree window's corner, as the drag
  // picture is placed.
  POINT InTreeWindow(POINT screen) const;
  void Highlight(int row);

  HWND owner_;
  TreeRowView& rows_;
  UniqueImageList picture_;
  int row_ = -1;
  int highlighted_ = -1;
};

}  // namespace lumvik
