#include "themeeditor/color_buttons_win32.h"

namespace lumvik {

namespace {

void Fill(HBITMAP picture, int width, int height, std::int32_t colour) {
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return;
  const SavedDcState restored(dc.get());  // takes the picture out of the DC again
  ::SelectObject(dc.get(), picture);
  UniqueBrush brush(::CreateSolidBrush(AsColorRef(colour)));
  const RECT all{0, 0, width, height};
  ::FillRect(dc.get(), &all, brush.get());
}

}  // namespace

COLORREF AsColorRef(std::int32_t colour) { return static_cast<COLORREF>(colour) & 0xFFFFFFu; }

HWND ColorButtons::CreateColorButton(HWND parent, int id, int x, int y, int width, int height,
                                     std::int32_t colour) {
  void* bits = nullptr;
  UniqueBitmap swatch = CreateDib24(width, height, &bits);
  if (!swatch) return nullptr;
  Fill(swatch.get(), width, height, colour);
  HWND button = ::CreateWindowExA(
      0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, x, y, width,
      height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  if (button == nullptr) return nullptr;
  // The record keeps the picture; the button only shows it.
  ::SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(swatch.get()));
  records_.push_back({id, std::move(swatch), colour, button});
  return button;
}

const ColorButtons::Record* ColorButtons::Find(int id) const {
  for (const Record& record : records_) {
    if (record.id == id) return &record;
  }
  return nullptr;
}

ColorButtons::Record* ColorButtons::Find(int id) {
  return const_cast<Record*>(static_cast<const ColorButtons&>(*this).Find(id));
}

std::int32_t ColorButtons::GetButtonColor(int id) const {
  const Record* record = Find(id);
  return record != nullptr ? record->colour : -1;
}

int ColorButtons::SetButtonColor(int id, std::int32_t colour) {
  Record* record = Find(id);
  if (record == nullptr) return -1;
  RECT now{};
  ::GetClientRect(record->button, &now);
  Fill(record->swatch.get(), now.right, now.bottom, colour);
  // Setting the picture again makes the button draw it anew.
  ::SendMessageA(record->button, BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(record->swatch.get()));
  record->colour = colour;
  return 0;
}

HBITMAP ColorButtons::Swatch(int id) const {
  const Record* record = Find(id);
  return record != nullptr ? record->swatch.get() : nullptr;
}

}  // namespace lumvik
