// The progress pictures drawn in the theme's progress colours.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include "theme/gdi_owners_win32.h"
#include "theme/progress_pictures.h"
#include "theme/theme_file.h"

namespace lumvik {

// Draws the picture for `tenths` (0 to 11) with its top left corner at 0, 0 of
// `dc`, touching nothing outside the picture and leaving the DC's state as it
// was. `label_font` may be null, and the DC's own font then draws the label.
void DrawProgressPicture(HDC dc, int tenths, const ThemeRecord& theme, HFONT label_font);

// Draws the thirteen pictures into a new list and makes it the state image list
// of `tree`. The caller keeps the list alive while the tree shows it, and may
// destroy the list this one replaces. When no list can be made, the tree is
// left with no state image list rather than with the replaced one.
UniqueImageList BuildProgressImages(HWND tree, const ThemeRecord& theme, HFONT label_font);

// The state bits 12 to 15 that show state image `index`. An index that these
// bits cannot hold (below 0 or above 15) shows no picture instead of wrapping
// round to another one.
UINT RowStateImageBits(int index);

// Sets the item's state image bits and no other state bit.
bool SetRowStateImage(HWND tree, HTREEITEM item, int index);

// Gives the item the icon `picture` of the normal image list, selected or not.
bool SetRowIcon(HWND tree, HTREEITEM item, int picture);

}  // namespace lumvik
