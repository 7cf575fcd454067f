// How the tree marks a task that falls due, without touching its urgency
// colours: the name of a task due soon is underlined; the name of an overdue
// task is underlined and followed by a small red round mark holding a white
// exclamation mark, which reads on the light and the dark themes alike.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include "document/due_dates.h"
#include "theme/gdi_owners_win32.h"

namespace lumvik {

class DueMarks {
 public:
  // The answer to CDDS_ITEMPREPAINT for a row in `state`, its font chosen
  // in `draw`'s device context; asks for CDDS_ITEMPOSTPAINT when the row
  // needs its mark.
  LRESULT BeforeRow(HWND tree, NMTVCUSTOMDRAW& draw, DueState state);
  // Draws the overdue mark after the row's label.
  void AfterRow(HWND tree, const NMTVCUSTOMDRAW& draw) const;

 private:
  HFONT UnderlinedFont(HWND tree);

  HFONT underlined_from_ = nullptr;  // the tree's font that `underlined_` copies
  UniqueFont underlined_;
};

}  // namespace lumvik
