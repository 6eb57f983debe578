#pragma once
// The window with the program's version and credits, and a button to the
// maker's website.
#include <windows.h>

#include "ui/fonts_win.h"

namespace quillora {

// Opens the window and runs its own message loop until "CLOSE", "WEBSITE"
// or a close request; the caller has disabled `mainWindow`, which the window
// enables again before it goes.
void RunInformationWindow(HWND mainWindow, const SharedFonts& fonts);

}  // namespace quillora
