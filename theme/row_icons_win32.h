// The tree's icon list: the seven row icons of the skin, 16 by 16.
#pragma once

#include <windows.h>
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

}  // namespace lumvik
