#pragma once
// What the entry dialog and the information window share: their nested
// message loop and the way they close.
#include <windows.h>

#include <functional>

#include "ui/window_base_win.h"

namespace quillora {

// Runs the child window's own loop until `closed` becomes true, then enables
// the main window (before the child goes, so the focus returns to it) and
// destroys the child. The caller disabled the main window before. `keys`,
// when given, sees every key message first (see RunMessageLoop).
void RunChildWindowLoop(HWND mainWindow, HWND child, const bool& closed,
                        const std::function<bool(const MSG&)>& keys = {});

// The entry dialog and the information window: shown over the disabled
// main window and run in a loop of their own until they close, by their
// close box or Alt+F4 (WM_CLOSE) or by a button of theirs (Close()).
template <typename Derived>
class ChildWindow : public ThemedWindow<Derived> {
protected:
    void ShowCreated() {
        if (!this->Window()) return;
        ShowWindow(this->Window(), SW_SHOWNORMAL);
        UpdateWindow(this->Window());
    }
    void RunLoopOver(HWND mainWindow, const std::function<bool(const MSG&)>& keys = {}) {
        RunChildWindowLoop(mainWindow, this->Window(), closed_, keys);
    }
    void Close() { closed_ = true; }

    // WM_CLOSE, and what every themed window answers.
    LRESULT HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CLOSE) {
            Close();
            return 0;
        }
        return this->HandleThemeMessage(message, wParam, lParam);
    }

private:
    bool closed_ = false;
};

// The window of the main window's program that takes the user's input now:
// the main window itself, or, while it is disabled, the open child window or
// message box. Also for the main window of another process.
HWND WindowTakingInput(HWND mainWindow);
// Brings that window to the front, restoring it when it is minimised.
void BringToFront(HWND window);

}  // namespace quillora
