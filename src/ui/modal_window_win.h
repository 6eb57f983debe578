#pragma once
// What the program's modal windows share: the owner disabled while they are
// open, their nested message loop, the focus kept, and the way they close.
#include <windows.h>

#include <functional>

#include "ui/message_loop_win.h"
#include "ui/themed_window_win.h"

namespace quillora {

// The entry dialog, the information window and the import preview: each
// opened over the main window, which is disabled meanwhile, and run in a
// loop of its own until it closes, by its close box or Alt+F4 (WM_CLOSE) or
// by a button of its own (Close()). `Derived` makes its window and controls
// in Create() and hears its controls' commands in OnCommand(id).
template <typename Derived>
class ModalWindow : public ThemedWindow<Derived> {
public:
    // WM_COMMAND of the controls (the windows have no menu), WM_CLOSE,
    // WM_ACTIVATE, and what every themed window answers.
    LRESULT HandleModalMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_COMMAND:
                if (lParam != 0) static_cast<Derived*>(this)->OnCommand(LOWORD(wParam));
                return 0;
            case WM_CLOSE:
                Close();
                return 0;
            case WM_ACTIVATE:
                return OnActivate(wParam, lParam);
            default:
                return this->HandleThemeMessage(message, wParam, lParam);
        }
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return HandleModalMessage(message, wParam, lParam);
    }

protected:
    // Disables `owner`, makes and shows the window, then `shown` runs and
    // the loop runs until the window closes. The owner is enabled again
    // before the window goes, so that the focus returns to it rather than to
    // another program's window. `keys`, when given, sees every key message
    // first (see RunMessageLoop).
    void RunModal(HWND owner, const std::function<void()>& shown = {},
                  const std::function<bool(const MSG&)>& keys = {}) {
        EnableWindow(owner, FALSE);
        if (static_cast<Derived*>(this)->Create()) {
            ShowWindow(this->Window(), SW_SHOWNORMAL);
            UpdateWindow(this->Window());
            if (shown) shown();
            RunMessageLoop([this] { return closed_; }, keys);
        }
        EnableWindow(owner, TRUE);
        this->Destroy();
    }
    void Close() { closed_ = true; }

private:
    // A plain window forgets which control had the focus when it is
    // deactivated (by a message box of its own, say); it is given back.
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam) {
        HWND window = this->Window();
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window, focus)) lastFocus_ = focus;
        } else if (lastFocus_ && IsWindow(lastFocus_) && !IsIconic(window)) {
            SetFocus(lastFocus_);
            return 0;
        }
        return this->DefaultHandling(WM_ACTIVATE, wParam, lParam);
    }

    bool closed_ = false;
    HWND lastFocus_ = nullptr;
};

// The window of the main window's program that takes the user's input now:
// the main window itself, or, while it is disabled, the open child window or
// message box. Also for the main window of another process.
HWND WindowTakingInput(HWND mainWindow);
// Brings that window to the front, restoring it when it is minimised.
void BringToFront(HWND window);

}  // namespace quillora
