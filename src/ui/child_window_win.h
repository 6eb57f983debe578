#pragma once
// What the entry dialog and the information window share: their nested
// message loop and the way they close.
#include <windows.h>

namespace quillora {

// Runs the child window's own loop until `closed` becomes true, then enables
// the main window (before the child goes, so the focus returns to it) and
// destroys the child. The caller disabled the main window before.
void RunChildWindowLoop(HWND mainWindow, HWND child, const bool& closed);

// The window of the main window's program that takes the user's input now:
// the main window itself, or, while it is disabled, the open child window or
// message box. Also for the main window of another process.
HWND WindowTakingInput(HWND mainWindow);
// Brings that window to the front, restoring it when it is minimised.
void BringToFront(HWND window);

}  // namespace quillora
