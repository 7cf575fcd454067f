#include "app/tree_view_win32.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/startup_trace_win32.h"
#include "theme/progress_images_win32.h"

namespace lumvik {

// What the view knows of one row; the item's lParam points here, so that a
// notification about an item finds its row at once.
struct TreeRowView::Row {
  HTREEITEM item = nullptr;
  Row* parent = nullptr;  // the row whose item holds this one, null at the top
  std::int32_t depth = 0;
  int position = 0;
  RowColours colours;
  bool coloured = false;
  // Whether the items of its children are made: at once for a row without
  // children, when it is first expanded for the others.
  bool populated = false;
  bool button = false;  // whether its item shows an expand button
  // Whether the user left it open; its item may be made closed meanwhile,
  // while a search narrows the tree.
  bool expanded = false;
  bool hidden = false;  // a view hides it: it has no item
  // What the row shows while it has no item; when its item went because
  // the row was hidden, the look is asked for again.
  bool look_lost = false;
  std::string held_text;
  int held_icon = -1;  // -1: none given
  int held_state_index = 0;
};

namespace {

COLORREF AsColorRef(std::int32_t colour) { return static_cast<COLORREF>(colour) & 0xFFFFFFu; }

constexpr UINT_PTR kLetGoTimer = 0x4C56;  // beyond the numbers of the tree's own timers
// How long each step of emptying a tree taken out of use may keep the
// program from answering.
constexpr DWORD kLetGoStepMs = 20;

// A tree view taken out of use is emptied in short steps at the pauses
// after its successor has painted (timers come after painting), then goes.
// Each step deletes leaves from the top down: those are the items the tree
// holds first, which Wine finds at once. After every deletion Wine also
// looks for the insert mark, the drop target and the first item in view
// among all the items; the top item carries all three, so that each search
// ends at once.
void CALLBACK LetGo(HWND tree, UINT, UINT_PTR, DWORD) {
  const DWORD start = ::GetTickCount();
  do {
    HTREEITEM top = TreeView_GetRoot(tree);
    if (top == nullptr) {
      ::DestroyWindow(tree);
      return;
    }
    if (TreeView_GetDropHilight(tree) != top) {
      TreeView_SetInsertMark(tree, top, FALSE);
      TreeView_SelectDropTarget(tree, top);
      TreeView_SelectSetFirstVisible(tree, top);
    }
    HTREEITEM leaf = top;
    while (HTREEITEM child = TreeView_GetChild(tree, leaf)) leaf = child;
    TreeView_DeleteItem(tree, leaf);
  } while (::GetTickCount() - start < kLetGoStepMs);
}

// A tree view like `tree` beside it, hidden and empty.
HWND NewTreeLike(HWND tree) {
  HWND parent = ::GetParent(tree);
  RECT place{};
  ::GetWindowRect(tree, &place);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  const auto style = static_cast<DWORD>(::GetWindowLongPtrA(tree, GWL_STYLE));
  HWND fresh = ::CreateWindowExA(
      static_cast<DWORD>(::GetWindowLongPtrA(tree, GWL_EXSTYLE)), WC_TREEVIEWA, "",
      style & ~WS_VISIBLE, place.left, place.top, place.right - place.left,
      place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(::GetDlgCtrlID(tree))),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(tree, GWLP_HINSTANCE)), nullptr);
  if (fresh == nullptr) return nullptr;
  ::SendMessageA(fresh, WM_SETFONT, ::SendMessageA(tree, WM_GETFONT, 0, 0), FALSE);
  for (const WPARAM pictures : {TVSIL_NORMAL, TVSIL_STATE}) {
    ::SendMessageA(fresh, TVM_SETIMAGELIST, pictures,
                   ::SendMessageA(tree, TVM_GETIMAGELIST, pictures, 0));
  }
  // Next to the old one in the order of the window's controls.
  ::SetWindowPos(fresh, tree, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return fresh;
}

}  // namespace

TreeRowView::TreeRowView(HWND tree) : tree_(tree) {}

TreeRowView::~TreeRowView() = default;

int TreeRowView::Count() const { return static_cast<int>(rows_.size()); }

bool TreeRowView::Valid(int position) const { return position >= 0 && position < Count(); }

HTREEITEM TreeRowView::Item(int position) const {
  return Valid(position) ? rows_[position]->item : nullptr;
}

int TreeRowView::PositionOf(HTREEITEM item) const {
  if (item == nullptr) return -1;
  TVITEMA read{};
  read.mask = TVIF_PARAM;
  read.hItem = item;
  if (!::SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read))) return -1;
  const auto* row = reinterpret_cast<const Row*>(read.lParam);
  if (row == nullptr || !Valid(row->position) || rows_[row->position].get() != row) return -1;
  return row->position;
}

void TreeRowView::Renumber(int from) {
  for (int position = from; position < Count(); ++position) rows_[position]->position = position;
}

bool TreeRowView::HasChildren(const Row& row) const {
  const int next = row.position + 1;
  return next < Count() && rows_[next]->depth > row.depth;
}

int TreeRowView::SubtreeEnd(int position) const {
  int end = position + 1;
  while (end < Count() && rows_[end]->depth > rows_[position]->depth) ++end;
  return end;
}

bool TreeRowView::HasShownChildren(const Row& row) const {
  if (!HasChildren(row)) return false;
  if (hidden_count_ == 0) return true;
  const int end = SubtreeEnd(row.position);
  for (int below = row.position + 1; below < end; ++below) {
    if (!rows_[below]->hidden) return true;
  }
  return false;
}

HTREEITEM TreeRowView::ItemBefore(const Row* parent, int position) const {
  const int first = parent != nullptr ? parent->position + 1 : 0;
  for (int earlier = position - 1; earlier >= first; --earlier) {
    const Row& row = *rows_[earlier];
    if (row.parent == parent && row.item != nullptr) return row.item;
  }
  return TVI_FIRST;
}

bool TreeRowView::ChildrenShown(const Row* parent) {
  return parent == nullptr || (parent->item != nullptr && parent->populated);
}

TreeRowView::Placement TreeRowView::PlaceAt(int position, std::int32_t depth) const {
  // The nearest earlier row with a smaller depth is the previous row or one
  // of its ancestors; the last row passed on the way up is the new row's
  // previous sibling.
  Row* sibling = nullptr;
  Row* parent = position > 0 ? rows_[position - 1].get() : nullptr;
  while (parent != nullptr && parent->depth >= depth) {
    sibling = parent;
    parent = parent->parent;
  }
  // A row appended at the end is its parent's last child; saying so spares
  // the tree a check of the sibling's handle.
  if (position == Count()) return {parent, TVI_LAST};
  if (sibling == nullptr) return {parent, TVI_FIRST};
  // A sibling the view hides has no item: the new one follows the last
  // sibling shown before it.
  return {parent, sibling->item != nullptr ? sibling->item : ItemBefore(parent, sibling->position)};
}

// The item shows what the row held; a row with children gets only its
// expand button, their items waiting until it is expanded.
void TreeRowView::MakeItem(Row& row, Placement place, bool reopen) {
  const bool children = HasShownChildren(row);
  if (row.look_lost && look_) {
    RowLook look = look_(row.position);
    row.held_text = std::move(look.text);
    row.held_icon = look.icon;
    row.held_state_index = look.state_index;
  }
  row.look_lost = false;
  // Remade, an open row opens again; its children are made next.
  const bool opened = reopen && children && row.expanded;
  TVINSERTSTRUCTA insert{};
  insert.hParent = place.parent != nullptr ? place.parent->item : TVI_ROOT;
  insert.hInsertAfter = place.after;
  TVITEMA& item = insert.item;
  item.mask = TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN | TVIF_PARAM;
  item.pszText = row.held_text.data();
  item.stateMask = TVIS_STATEIMAGEMASK | (opened ? TVIS_EXPANDED : 0);
  item.state = RowStateImageBits(row.held_state_index) | (opened ? TVIS_EXPANDED : 0);
  item.cChildren = children ? 1 : 0;
  item.lParam = reinterpret_cast<LPARAM>(&row);
  if (row.held_icon >= 0) {
    item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.iImage = row.held_icon;
    item.iSelectedImage = row.held_icon;
  }
  row.parent = place.parent;
  row.item = reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  row.populated = !children || opened;
  row.button = children;
  std::string().swap(row.held_text);
  if (place.parent != nullptr) ShowButton(*place.parent, true);
}

void TreeRowView::ShowButton(Row& row, bool shown) {
  if (row.item == nullptr || row.button == shown) return;
  row.button = shown;
  TVITEMA item{};
  item.mask = TVIF_CHILDREN;
  item.hItem = row.item;
  item.cChildren = shown ? 1 : 0;
  ::SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TreeRowView::Populate(Row& row) {
  if (row.item == nullptr || row.populated) return;
  MakeChildItems({&row});
}

// One pass over the rows of the outermost, in row order: each item follows
// its siblings, and each opened row gets its item before its children do.
// Opening the rows one by one would go over the rows of each again, which
// a category 100 000 deep would make a wait of minutes.
void TreeRowView::MakeChildItems(const std::vector<Row*>& opened) {
  Row& outermost = *opened.back();
  const std::unordered_set<const Row*> parents(opened.begin(), opened.end());
  const int end = SubtreeEnd(outermost.position);
  for (int position = outermost.position + 1; position < end; ++position) {
    Row& row = *rows_[position];
    if (!row.hidden && parents.contains(row.parent)) MakeItem(row, {row.parent, TVI_LAST});
  }
  for (Row* row : opened) row->populated = true;
}

HTREEITEM TreeRowView::ItemMadeFor(int position) {
  if (!Valid(position) || rows_[position]->hidden) return nullptr;
  CreateHeldItems();
  std::vector<Row*> closed;  // the rows above it whose children have no items, nearest first
  for (Row* above = rows_[position]->parent; !ChildrenShown(above); above = above->parent) {
    if (above->hidden) return nullptr;
    closed.push_back(above);
  }
  if (!closed.empty()) MakeChildItems(closed);
  return rows_[position]->item;
}

void TreeRowView::OnItemExpanding(const NMTREEVIEWA& change) {
  if ((change.action & TVE_EXPAND) == 0) return;
  const int position = PositionOf(change.itemNew.hItem);
  if (position >= 0) Populate(*rows_[position]);
}

void TreeRowView::OnItemExpanded(const NMTREEVIEWA& change) {
  const int position = PositionOf(change.itemNew.hItem);
  if (position < 0) return;
  if ((change.action & TVE_EXPAND) != 0) rows_[position]->expanded = true;
  if ((change.action & TVE_COLLAPSE) != 0) rows_[position]->expanded = false;
}

void TreeRowView::Insert(int position, const std::string& text, std::int32_t depth) {
  if (position < 0 || position > Count()) return;
  const bool held = holds_ > 0 && position == Count();
  if (!held) CreateHeldItems();
  auto row = std::make_unique<Row>();
  row->depth = depth;
  row->position = position;
  row->held_text = text;
  Row& added = *row;
  const Placement place = PlaceAt(position, depth);
  added.parent = place.parent;
  // Under a row the view hides, the new one is hidden too.
  added.hidden = place.parent != nullptr && place.parent->hidden;
  hidden_count_ += added.hidden ? 1 : 0;
  rows_.insert(rows_.begin() + position, std::move(row));
  if (held) return;
  first_held_ = rows_.size();
  if (position + 1 < Count()) Renumber(position + 1);
  const int selected = AdoptFollowingRows(position);
  if (ChildrenShown(place.parent)) MakeItem(added, place);
  if (selected >= 0) Select(selected);
}

void TreeRowView::InsertRun(int position, std::span<const RowItem> items) {
  if (position < 0 || position > Count() || items.empty()) return;
  const std::int32_t head = items.front().depth;
  const bool subtree = std::all_of(items.begin() + 1, items.end(),
                                   [head](const RowItem& item) { return item.depth > head; });
  if (!subtree || (position < Count() && rows_[position]->depth > head)) {
    RowView::InsertRun(position, items);
    return;
  }
  CreateHeldItems();
  const Placement place = PlaceAt(position, head);
  std::vector<std::unique_ptr<Row>> added;
  added.reserve(items.size());
  for (const RowItem& item : items) {
    added.push_back(std::make_unique<Row>());
    added.back()->depth = item.depth;
    added.back()->held_text = item.text;
  }
  rows_.insert(rows_.begin() + position, std::make_move_iterator(added.begin()),
               std::make_move_iterator(added.end()));
  first_held_ = rows_.size();
  Renumber(position);
  // The head's item comes alone: the rows under it wait until it is expanded.
  rows_[position]->parent = place.parent;
  for (std::size_t k = 1; k < items.size(); ++k) {
    const int at = position + static_cast<int>(k);
    rows_[at]->parent = PlaceAt(at, items[k].depth).parent;
  }
  if (place.parent != nullptr && place.parent->hidden) {
    for (std::size_t k = 0; k < items.size(); ++k) rows_[position + k]->hidden = true;
    hidden_count_ += static_cast<int>(items.size());
  }
  if (ChildrenShown(place.parent)) MakeItem(*rows_[position], place);
}

// Appended rows come in row order, so each one's parent has its item by the
// time the row gets its own, and every item goes last under its parent.
void TreeRowView::CreateHeldItems() {
  for (; first_held_ < rows_.size(); ++first_held_) {
    Row& row = *rows_[first_held_];
    if (!row.hidden && ChildrenShown(row.parent)) MakeItem(row, {row.parent, TVI_LAST});
  }
}

namespace {

// What an item shows, read back so that it can be made again elsewhere.
struct ItemContents {
  std::string text;
  TVITEMA item{};
};

ItemContents ReadItem(HWND tree, HTREEITEM handle) {
  ItemContents contents;
  // The tree gives no text length; a text that fills the buffer may be longer.
  for (std::size_t size = 256;; size *= 2) {
    contents.text.assign(size, '\0');
    contents.item = {};
    contents.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
    contents.item.hItem = handle;
    contents.item.stateMask = TVIS_STATEIMAGEMASK;
    contents.item.pszText = contents.text.data();
    contents.item.cchTextMax = static_cast<int>(size);
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&contents.item));
    const std::size_t length = contents.text.find('\0');
    if (length + 1 < size) {
      contents.text.resize(length);
      break;
    }
  }
  return contents;
}

}  // namespace

// The rows after a row inserted in the middle that are deeper than it now
// belong under it. A tree item cannot change its parent, so their items go,
// what they showed kept, to be made again when the new row is expanded.
// Gives the selected row when it was one of them, else -1.
int TreeRowView::AdoptFollowingRows(int position) {
  Row& added = *rows_[position];
  const int end = SubtreeEnd(position);
  if (end == position + 1) return -1;
  const int selected = Selection();
  for (int moved = position + 1; moved < end; ++moved) {
    Row& row = *rows_[moved];
    if (row.item == nullptr) continue;
    ItemContents shown = ReadItem(tree_, row.item);
    row.held_text = std::move(shown.text);
    row.held_icon = shown.item.iImage;
    row.held_state_index = static_cast<int>((shown.item.state & TVIS_STATEIMAGEMASK) >> 12);
  }
  std::vector<Row*> left;  // the rows they were children of
  for (int moved = position + 1; moved < end; ++moved) {
    Row& row = *rows_[moved];
    if (row.parent == nullptr || row.parent->position < position) {
      // Deleting the outermost items of the run takes the others with them.
      if (row.item != nullptr) {
        ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(row.item));
      }
      if (row.parent != nullptr) left.push_back(row.parent);
      row.parent = &added;
    }
  }
  for (Row* parent : left) {
    if (!HasChildren(*parent)) {
      ShowButton(*parent, false);
      parent->populated = true;
    }
  }
  for (int moved = position + 1; moved < end; ++moved) {
    Row& row = *rows_[moved];
    row.item = nullptr;
    row.populated = false;
    row.button = false;
    row.expanded = false;
  }
  return selected > position && selected < end ? selected : -1;
}

void TreeRowView::Remove(int position) {
  if (!Valid(position)) return;
  CreateHeldItems();
  Row* parent = rows_[position]->parent;
  const int end = SubtreeEnd(position);
  if (TreeView_GetEditControl(tree_) != nullptr) {
    if (const int edited = Selection(); edited >= position && edited < end) {
      TreeView_EndEditLabelNow(tree_, TRUE);  // as Clear does
    }
  }
  if (HTREEITEM item = rows_[position]->item) {
    ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  }
  if (greyed_ != nullptr && greyed_->position >= position && greyed_->position < end) {
    greyed_ = nullptr;
  }
  if (wanted_ != nullptr && wanted_->position >= position && wanted_->position < end) {
    wanted_ = nullptr;
  }
  rows_.erase(rows_.begin() + position, rows_.begin() + end);
  first_held_ = rows_.size();
  Renumber(position);
  if (parent != nullptr && !HasChildren(*parent)) {
    ShowButton(*parent, false);
    parent->populated = true;
  } else if (parent != nullptr && !HasShownChildren(*parent)) {
    ShowButton(*parent, false);
  }
}

void TreeRowView::Clear() {
  // A name still being typed goes with its item: the tree would keep
  // editing an item it has freed.
  TreeView_EndEditLabelNow(tree_, TRUE);
  ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  rows_.clear();
  first_held_ = 0;
  hidden_count_ = 0;
  greyed_ = nullptr;
  wanted_ = nullptr;
}

bool TreeRowView::Shown(int position) const { return Valid(position) && !rows_[position]->hidden; }

void TreeRowView::Reorder(int from, std::span<const RowRun> runs) {
  if (runs.empty()) return;
  CreateHeldItems();
  ReorderRuns(rows_, from, runs);
  Renumber(from);
  const Row* parent = rows_[from]->parent;
  TVSORTCB sort{};
  sort.hParent = parent == nullptr ? TVI_ROOT : parent->item;
  sort.lpfnCompare = &TreeRowView::CompareRows;
  // Children not made yet are made in row order when they are.
  if (sort.hParent != nullptr) {
    ::SendMessageA(tree_, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
  }
}

int CALLBACK TreeRowView::CompareRows(LPARAM first, LPARAM second, LPARAM) {
  return reinterpret_cast<const Row*>(first)->position -
         reinterpret_cast<const Row*>(second)->position;
}

void TreeRowView::RemoveItemsOf(Row& row) {
  if (row.item == nullptr) return;  // nor have the rows under it
  ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(row.item));
  const int end = SubtreeEnd(row.position);
  for (int below = row.position; below < end; ++below) {
    Row& gone = *rows_[below];
    if (gone.item == nullptr) continue;
    gone.item = nullptr;
    gone.look_lost = true;
    gone.populated = false;
    gone.button = false;
  }
}

// Remaking every item costs about what a tree of the rows shown costs to
// fill; changing items one by one makes the tree search all its items for
// each, so that many changes are made in one pass instead.
void TreeRowView::ShowRows(const std::vector<bool>& shown, bool reopen) {
  constexpr std::size_t kRowsPerChangeMadeAlone = 8;
  std::vector<int> hiding;
  std::vector<int> showing;
  hidden_count_ = 0;
  for (int position = 0; position < Count(); ++position) {
    Row& row = *rows_[position];
    const bool hide = static_cast<std::size_t>(position) < shown.size() && !shown[position];
    hidden_count_ += hide ? 1 : 0;
    if (row.hidden == hide) continue;
    row.hidden = hide;
    (hide ? hiding : showing).push_back(position);
  }
  if ((closed_ && reopen) ||
      (hiding.size() + showing.size()) * kRowsPerChangeMadeAlone > rows_.size()) {
    RemakeItems(reopen);
    return;
  }
  for (const int position : hiding) {
    Row& row = *rows_[position];
    RemoveItemsOf(row);
    if (row.parent != nullptr && !HasShownChildren(*row.parent)) ShowButton(*row.parent, false);
  }
  // In row order, so that each row's parent and earlier siblings have
  // their items before it; rows appended under a hold get theirs at its end.
  for (const int position : showing) {
    Row& row = *rows_[position];
    if (static_cast<std::size_t>(position) >= first_held_) continue;
    if (row.parent != nullptr) ShowButton(*row.parent, true);
    if (row.item == nullptr && ChildrenShown(row.parent)) {
      MakeItem(row, {row.parent, ItemBefore(row.parent, position)}, reopen);
    }
  }
}

void TreeRowView::RemakeItems(bool reopen) {
  closed_ = !reopen;
  const int selected = Selection();
  for (const auto& row : rows_) row->look_lost = row->look_lost || row->item != nullptr;
  ReplaceTree();
  // Filled with its redrawing held, as the old one was, or as if it were.
  RedrawHold hold(*this);
  for (const auto& row : rows_) {
    row->item = nullptr;
    row->populated = false;
    row->button = false;
  }
  for (const auto& row : rows_) {
    if (!row->hidden && ChildrenShown(row->parent)) MakeItem(*row, {row->parent, TVI_LAST}, reopen);
  }
  first_held_ = rows_.size();
  if (selected >= 0) Select(selected);
}

// Wine's tree view frees each item in a time that grows with the number of
// items, so that emptying a tree of 100 000 takes most of a second: the new
// items go into a new tree, and the old one goes after the new has painted.
void TreeRowView::ReplaceTree() {
  HWND old = tree_;
  // A name still being typed is given up rather than left in the tree that
  // goes; ending it here could not make a change while the rows are remade.
  TreeView_EndEditLabelNow(old, TRUE);
  HWND fresh = NewTreeLike(old);
  if (fresh == nullptr) {
    ::SendMessageA(old, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    return;
  }
  tree_ = fresh;
  if (replaced_) replaced_(fresh);
  ::SetWindowLongPtrA(old, GWLP_ID, 0);
  // Shown whatever the old one's style says: holding its redraw may have
  // taken WS_VISIBLE from it.
  ::ShowWindow(fresh, SW_SHOWNA);
  if (::GetFocus() == old) ::SetFocus(fresh);
  ::ShowWindow(old, SW_HIDE);
  // Nothing selected, and nothing redrawn, while it empties.
  ::SendMessageA(old, WM_SETREDRAW, FALSE, 0);
  TreeView_SelectItem(old, nullptr);
  ::SetTimer(old, kLetGoTimer, USER_TIMER_MINIMUM, LetGo);
}

int TreeRowView::GreyedRow() const { return greyed_ != nullptr ? greyed_->position : -1; }

void TreeRowView::SetGreyedRow(int position) {
  Row* greyed = Valid(position) ? rows_[position].get() : nullptr;
  if (greyed == greyed_) return;
  if (greyed_ != nullptr) Repaint(greyed_->position);
  greyed_ = greyed;
  if (greyed_ != nullptr) Repaint(greyed_->position);
}

void TreeRowView::SetText(int position, const std::string& text) {
  if (!Valid(position)) return;
  Row& shown = *rows_[position];
  if (shown.item == nullptr) {
    shown.held_text = text;
    return;
  }
  TVITEMA row{};
  row.mask = TVIF_TEXT;
  row.hItem = shown.item;
  row.pszText = const_cast<char*>(text.c_str());
  ::SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&row));
}

void TreeRowView::SetIcon(int position, int picture) {
  if (!Valid(position)) return;
  Row& row = *rows_[position];
  if (row.item == nullptr) {
    row.held_icon = picture;
  } else {
    SetRowIcon(tree_, row.item, picture);
  }
}

void TreeRowView::SetStateImage(int position, int index) {
  if (!Valid(position)) return;
  Row& row = *rows_[position];
  if (row.item == nullptr) {
    row.held_state_index = index;
  } else {
    SetRowStateImage(tree_, row.item, index);
  }
}

void TreeRowView::SetColours(int position, RowColours colours) {
  if (!Valid(position)) return;
  Row& row = *rows_[position];
  if (row.coloured && row.colours == colours) return;
  row.colours = colours;
  row.coloured = true;
  // The tree draws the new colours at its next paint; a hold repaints it all
  // at its end anyway. Asking the tree for the item's rectangle instead would
  // cost a search through all its items.
  if (holds_ == 0 && row.item != nullptr) ::InvalidateRect(tree_, nullptr, FALSE);
}

void TreeRowView::ClearColours(int position) {
  if (!Valid(position) || !rows_[position]->coloured) return;
  rows_[position]->coloured = false;
  if (holds_ == 0 && rows_[position]->item != nullptr) ::InvalidateRect(tree_, nullptr, FALSE);
}

void TreeRowView::Select(int position) {
  wanted_ = Valid(position) && rows_[position]->hidden ? rows_[position].get() : nullptr;
  if (HTREEITEM item = ItemMadeFor(position)) {
    ::SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
}

int TreeRowView::TakeWantedRow() {
  const int wanted = wanted_ != nullptr ? wanted_->position : -1;
  wanted_ = nullptr;
  return wanted;
}

// The tree tells of an expansion it was asked for only the first time, so
// the children's items are made here rather than on its notice.
void TreeRowView::Expand(int position) {
  if (HTREEITEM item = ItemMadeFor(position)) {
    Populate(*rows_[position]);
    rows_[position]->expanded = true;
    ::SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  }
}

bool TreeRowView::Expanded(int position) const {
  HTREEITEM item = Item(position);
  return item != nullptr &&
         (TreeView_GetItemState(tree_, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

int TreeRowView::Selection() const {
  return PositionOf(
      reinterpret_cast<HTREEITEM>(::SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

int TreeRowView::PositionAt(POINT client_point) const {
  TVHITTESTINFO hit{};
  hit.pt = client_point;
  ::SendMessageA(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if ((hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)) == 0) return -1;
  return PositionOf(hit.hItem);
}

std::optional<RECT> ItemRect(HWND tree, HTREEITEM item, bool label_only) {
  RECT rect{};
  std::memcpy(&rect, &item, sizeof item);  // the item goes in where the rectangle comes back
  if (!::SendMessageA(tree, TVM_GETITEMRECT, label_only, reinterpret_cast<LPARAM>(&rect))) {
    return std::nullopt;
  }
  return rect;
}

void TreeRowView::Repaint(int position) {
  if (!Valid(position) || rows_[position]->item == nullptr) return;
  if (const std::optional<RECT> line = ItemRect(tree_, rows_[position]->item, false)) {
    ::InvalidateRect(tree_, &*line, TRUE);
  }
}

void TreeRowView::EditLabel(int position) {
  if (HTREEITEM item = ItemMadeFor(position)) {
    ::SendMessageA(tree_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
  }
}

LRESULT TreeRowView::OnCustomDraw(NMTVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_POSTPAINT:
      // The end of a paint of the tree: the first with rows ends the start.
      if (!rows_.empty()) StartupFinished("rows painted");
      return CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT: {
      const auto* row = reinterpret_cast<const Row*>(draw.nmcd.lItemlParam);
      if (row == nullptr) return CDRF_DODEFAULT;
      // The selected row keeps the selection's colours, so that it stays visible.
      const bool selected = (draw.nmcd.uItemState & CDIS_SELECTED) != 0;
      if (row->coloured && !selected) {
        draw.clrText = AsColorRef(row->colours.text);
        draw.clrTextBk = AsColorRef(row->colours.background);
      }
      // While the selection is shown without the focus (a search going on
      // in the find window), it keeps the colours it has with the focus:
      // the pale ones it would take are hard to see on every theme.
      const bool shown_always = (::GetWindowLongPtrA(tree_, GWL_STYLE) & TVS_SHOWSELALWAYS) != 0;
      if (selected && shown_always && ::GetFocus() != tree_) {
        draw.clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
      }
      // A row the view hides, still there for the user to see what became
      // of it, is greyed, and selected it keeps a background grey text reads on.
      if (row == greyed_) {
        draw.clrText = ::GetSysColor(COLOR_GRAYTEXT);
        if (selected) draw.clrTextBk = ::GetSysColor(COLOR_BTNFACE);
      }
      const DueState due = due_ && Valid(row->position) && rows_[row->position].get() == row
                               ? due_(row->position)
                               : DueState::None;
      return due_marks_.BeforeRow(tree_, draw, due);
    }
    case CDDS_ITEMPOSTPAINT:
      due_marks_.AfterRow(tree_, draw);
      return CDRF_DODEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}

RedrawHold::RedrawHold(HWND window) : window_(window) {
  ::SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
}

RedrawHold::RedrawHold(TreeRowView& view) : RedrawHold(view.tree()) {
  view_ = &view;
  ++view_->holds_;
}

RedrawHold::~RedrawHold() {
  if (view_ != nullptr) {
    if (--view_->holds_ > 0) return;  // the outermost hold redraws
    view_->CreateHeldItems();
    window_ = view_->tree();  // which may have been replaced meanwhile
  }
  ::SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace lumvik
