// The tree's icon list: the seven row icons of the skin, 16 by 16; and
// icons put in image lists of any size.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <span>

#include "theme/gdi_owners_win32.h"

namespace lumvik {

constexpr int kRowIconSize = 16;

// Appends icon i as picture i and makes the list the normal image list of
// `tree` in place of the previous one. An empty slot (null icon) still takes
// its picture number, with a transparent picture, so that the other icons
// keep theirs. The caller keeps the list alive while the tree shows it.
UniqueImageList BuildRowIcons(HWND tree, std::span<const HICON> icons);

// Appends the icon's picture to `list`: its own bitmaps when they have the
// list's size, which costs far less than drawing the icon, else the icon
// drawn into a new cell. The picture's number, or -1.
int AppendIconPicture(HIMAGELIST list, HICON icon);

}  // namespace lumvik
