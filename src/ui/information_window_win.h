#pragma once
// The window with the program's version and credits, and a button to the
// maker's website.
#include <windows.h>

namespace quillora {

// Opens the window over `mainWindow`, disabled while it is open, and runs
// its own message loop until "CLOSE", "WEBSITE" or a close request.
void RunInformationWindow(HWND mainWindow);

}  // namespace quillora
