#include "ui/child_window_win.h"

#include "ui/message_loop_win.h"

namespace quillora {

void RunChildWindowLoop(HWND mainWindow, HWND child, const bool& closed) {
    if (child) RunMessageLoop([&closed] { return closed; });
    EnableWindow(mainWindow, TRUE);
    if (child && IsWindow(child)) DestroyWindow(child);
}

}  // namespace quillora
