#include "app/due_marks_win32.h"

#include <algorithm>
#include <optional>

#include "app/tree_view_win32.h"

namespace lumvik {

namespace {

constexpr COLORREF kMarkColour = RGB(204, 0, 0);
constexpr COLORREF kSignColour = RGB(255, 255, 255);

}  // namespace

HFONT DueMarks::UnderlinedFont(HWND tree) {
  auto font = reinterpret_cast<HFONT>(::SendMessageA(tree, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  // A theme chosen in the options gives the tree another font.
  if (font != underlined_from_ || !underlined_) {
    LOGFONTA shape{};
    if (::GetObjectA(font, sizeof shape, &shape) == 0) return nullptr;
    shape.lfUnderline = TRUE;
    underlined_.reset(::CreateFontIndirectA(&shape));
    underlined_from_ = font;
  }
  return underlined_.get();
}

LRESULT DueMarks::BeforeRow(HWND tree, NMTVCUSTOMDRAW& draw, DueState state) {
  if (state == DueState::None) return CDRF_DODEFAULT;
  // Underlining keeps every letter's width, so the label fits its place.
  HFONT font = UnderlinedFont(tree);
  if (font == nullptr) return CDRF_DODEFAULT;
  ::SelectObject(draw.nmcd.hdc, font);
  return CDRF_NEWFONT | (state == DueState::Overdue ? CDRF_NOTIFYPOSTPAINT : 0);
}

void DueMarks::AfterRow(HWND tree, const NMTVCUSTOMDRAW& draw) const {
  const std::optional<RECT> shown =
      ItemRect(tree, reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec), true);
  if (!shown) return;
  const RECT& label = *shown;
  const int size = std::max(8, static_cast<int>(label.bottom - label.top) - 4);
  const int left = label.right + 3;
  const int top = label.top + (label.bottom - label.top - size) / 2;
  HDC dc = draw.nmcd.hdc;
  const UniqueBrush fill(::CreateSolidBrush(kMarkColour));
  const SavedDcState state(dc);  // given back before the brush goes
  ::SelectObject(dc, fill.get());
  ::SelectObject(dc, ::GetStockObject(NULL_PEN));
  ::Ellipse(dc, left, top, left + size + 1, top + size + 1);
  RECT sign{left, top, left + size, top + size};
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kSignColour);
  ::DrawTextA(dc, "!", 1, &sign, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace lumvik
