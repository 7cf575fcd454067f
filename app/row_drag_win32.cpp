#include "app/row_drag_win32.h"

#include <algorithm>
#include <cstring>

namespace lumvik {

namespace {

// The row's icon and name as the tree shows them, in a picture of their own.
UniqueImageList RowPicture(HWND tree, HTREEITEM item) {
  UniqueImageList made(reinterpret_cast<HIMAGELIST>(
      ::SendMessageA(tree, TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(item))));
  if (made && ::ImageList_GetImageCount(made.get()) > 0) return made;
  // Some tree views hand out an empty list: the picture is drawn here.
  char text[512] = {};
  TVITEMA read{};
  read.mask = TVIF_TEXT | TVIF_IMAGE;
  read.hItem = item;
  read.pszText = text;
  read.cchTextMax = sizeof text;
  if (!::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read))) return {};
  auto icons = reinterpret_cast<HIMAGELIST>(::SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  int icon_width = 0;
  int icon_height = 0;
  if (icons != nullptr) ::ImageList_GetIconSize(icons, &icon_width, &icon_height);
  const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  void* bits = nullptr;
  UniqueBitmap picture;
  SIZE size{};
  {
    const SavedDcState state(dc.get());
    ::SelectObject(dc.get(), reinterpret_cast<HFONT>(::SendMessageA(tree, WM_GETFONT, 0, 0)));
    const int length = static_cast<int>(std::strlen(text));
    ::GetTextExtentPoint32A(dc.get(), text, length, &size);
    size.cx += icon_width + 8;
    size.cy = std::max<LONG>(size.cy, icon_height) + 2;
    picture = CreateDib24(size.cx, size.cy, &bits);
    if (!picture) return {};
    ::SelectObject(dc.get(), picture.get());
    const RECT all{0, 0, size.cx, size.cy};
    ::FillRect(dc.get(), &all, ::GetSysColorBrush(COLOR_WINDOW));
    if (icons != nullptr) {
      ::ImageList_Draw(icons, read.iImage, dc.get(), 0, (size.cy - icon_height) / 2, ILD_NORMAL);
    }
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), ::GetSysColor(COLOR_WINDOWTEXT));
    ::TextOutA(dc.get(), icon_width + 4, 1, text, length);
  }
  made.reset(::ImageList_Create(size.cx, size.cy, ILC_COLOR24, 1, 0));
  if (made && ::ImageList_Add(made.get(), picture.get(), nullptr) < 0) made.reset();
  return made;
}

}  // namespace

void RowDrag::Begin(const NMTREEVIEWA& start) {
  Cancel();
  const int row = rows_.PositionOf(start.itemNew.hItem);
  if (row < 0) return;
  HWND tree = rows_.tree();
  // The dragged row is the selected one, as the panel and the history see it.
  rows_.Select(row);
  picture_ = RowPicture(tree, start.itemNew.hItem);
  row_ = row;
  POINT screen = start.ptDrag;
  ::ClientToScreen(tree, &screen);
  if (picture_) {
    const RECT label = ItemRect(tree, start.itemNew.hItem, true).value_or(RECT{});
    // The picture, its icon before the label, keeps its place under the
    // pointer as it moves.
    int icon_width = 0;
    int icon_height = 0;
    if (auto icons = reinterpret_cast<HIMAGELIST>(
            ::SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0))) {
      ::ImageList_GetIconSize(icons, &icon_width, &icon_height);
    }
    ::ImageList_BeginDrag(picture_.get(), 0, start.ptDrag.x - label.left + icon_width + 4,
                          start.ptDrag.y - label.top);
    const POINT at = InTreeWindow(screen);
    ::ImageList_DragEnter(tree, at.x, at.y);
  }
  ::SetCapture(owner_);
}

void RowDrag::Move(POINT screen) {
  if (!dragging()) return;
  ScrollNearEdge(screen);
  const POINT at = InTreeWindow(screen);
  if (picture_) ::ImageList_DragMove(at.x, at.y);
  Highlight(RowAt(screen));
}

std::optional<RowDrop> RowDrag::Finish(POINT screen) {
  if (!dragging()) return std::nullopt;
  const RowDrop drop{row_, RowAt(screen)};
  Cancel();
  if (drop.onto < 0) return std::nullopt;
  return drop;
}

void RowDrag::Cancel() {
  if (!dragging()) return;
  row_ = -1;
  Highlight(-1);
  if (picture_) {
    ::ImageList_DragLeave(rows_.tree());
    ::ImageList_EndDrag();
    picture_.reset();
  }
  if (::GetCapture() == owner_) ::ReleaseCapture();
}

int RowDrag::RowAt(POINT screen) const {
  TVHITTESTINFO hit{};
  hit.pt = screen;
  ::ScreenToClient(rows_.tree(), &hit.pt);
  ::SendMessageA(rows_.tree(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if ((hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT | TVHT_ONITEMBUTTON)) == 0) {
    return -1;
  }
  return rows_.PositionOf(hit.hItem);
}

void RowDrag::ScrollNearEdge(POINT screen) {
  HWND tree = rows_.tree();
  POINT inside = screen;
  ::ScreenToClient(tree, &inside);
  RECT client{};
  ::GetClientRect(tree, &client);
  const auto margin = static_cast<LONG>(::SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
  const bool up = inside.y < client.top + margin;
  if (!up && inside.y < client.bottom - margin) return;
  // Rows beyond the edge come into view while the row is held near it.
  if (picture_) ::ImageList_DragShowNolock(FALSE);
  ::SendMessageA(tree, WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN, 0);
  ::UpdateWindow(tree);
  if (picture_) ::ImageList_DragShowNolock(TRUE);
}

POINT RowDrag::InTreeWindow(POINT screen) const {
  RECT place{};
  ::GetWindowRect(rows_.tree(), &place);
  return {screen.x - place.left, screen.y - place.top};
}

void RowDrag::Highlight(int row) {
  if (row == highlighted_) return;
  highlighted_ = row;
  // The picture is hidden while the tree draws the highlight beneath it.
  if (picture_) ::ImageList_DragShowNolock(FALSE);
  ::SendMessageA(rows_.tree(), TVM_SELECTITEM, TVGN_DROPHILITE,
                 reinterpret_cast<LPARAM>(row >= 0 ? rows_.Item(row) : nullptr));
  if (picture_) ::ImageList_DragShowNolock(TRUE);
}

}  // namespace lumvik
