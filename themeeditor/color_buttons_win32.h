// The colour buttons: push buttons whose face is a swatch of the colour they
// show, each with its own picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "theme/gdi_owners_win32.h"

namespace lumvik {

class ColorButtons {
 public:
  // A button at that place of `parent`, showing a swatch of its size in
  // `colour`. Null when the button cannot be made; it is then not listed.
  HWND CreateColorButton(HWND parent, int id, int x, int y, int width, int height,
                         std::int32_t colour);

  // The colour shown by the first button of that id, or -1 when none has it.
  std::int32_t GetButtonColor(int id) const;

  // Shows and records a new colour: 0, or -1 when no button has the id.
  int SetButtonColor(int id, std::int32_t colour);

  // The swatch on the button, for tests that read its pixels.
  HBITMAP Swatch(int id) const;

 private:
  struct Record {
    int id;
    UniqueBitmap swatch;
    std::int32_t colour;
    HWND button;
  };
  Record* Find(int id);
  const Record* Find(int id) const;

  std::vector<Record> records_;
};

// A colour of the themes as GDI takes it: the low 24 bits.
COLORREF AsColorRef(std::int32_t colour);

}  // namespace lumvik
