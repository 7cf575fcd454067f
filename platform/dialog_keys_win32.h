// Tab, Shift+Tab, Enter and Escape in the programs' windows, which are
// ordinary windows rather than dialog boxes: the keys move between the
// controls and press buttons as they do in any dialog box of Windows.
#pragma once

#include <windows.h>

namespace lumvik {

// Handles a key typed in a window of the program as a dialog box would, and
// says whether it did; other messages are left alone. Text boxes that take
// Tab as text (the descriptions) give the focus on with Ctrl+Tab, and back
// with Ctrl+Shift+Tab; elsewhere Ctrl+Tab shows the next page of the tab
// control around the focus. Enter and Escape reach the window holding the control
// as WM_COMMAND IDOK and IDCANCEL, unless it answers DM_GETDEFID.
bool HandleDialogKey(MSG& message);

// A box where text is typed: an edit box or a rich edit box.
bool IsTextBox(HWND window);

// The answer to DM_GETDEFID, the button that Enter presses in `window`: the
// push button that holds the focus, else the button `fallback` (0: none).
LRESULT DefaultButtonReply(HWND window, int fallback);

}  // namespace lumvik
