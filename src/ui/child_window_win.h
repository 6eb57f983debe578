#pragma once
// What the entry dialog and the information window share: their nested
// message loop and the way they close.
#include <windows.h>

namespace quillora {

// Runs the child window's own loop until `closed` becomes true, then enables
// the main window (before the child goes, so the focus returns to it) and
// destroys the child. The caller disabled the main window before.
void RunChildWindowLoop(HWND mainWindow, HWND child, const bool& closed);

}  // namespace quillora
