#pragma once
// The window with the program's version and credits, and a button to the
// maker's website.
#include <windows.h>

namespace quillora {

// Opens the window and runs its own message loop until "CLOSE", "WEBSITE"
// or a close request; the caller has disabled `mainWindow`, which the window
// enables again before it goes.
void RunInformationWindow(HWND mainWindow);

}  // namespace quillora
