#include "ui/modal_window_win.h"

namespace quillora {

HWND WindowTakingInput(HWND mainWindow) {
    if (!mainWindow || IsWindowEnabled(mainWindow)) return mainWindow;
    struct Search {
        HWND mainWindow;
        HWND found;
    } search{mainWindow, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(mainWindow, nullptr),
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            if (window == s.mainWindow || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found ? search.found : mainWindow;
}

void BringToFront(HWND window) {
    if (!window) return;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

}  // namespace quillora
