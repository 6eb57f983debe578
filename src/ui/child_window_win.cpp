#include "ui/child_window_win.h"

#include "ui/message_loop_win.h"

namespace quillora {

void RunChildWindowLoop(HWND mainWindow, HWND child, const bool& closed,
                        const std::function<bool(const MSG&)>& keys) {
    if (child) RunMessageLoop([&closed] { return closed; }, keys);
    EnableWindow(mainWindow, TRUE);
    if (child && IsWindow(child)) DestroyWindow(child);
}

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
