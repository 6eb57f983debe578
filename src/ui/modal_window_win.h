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
// by a button of its own (Close()).
template <typename Derived>
class ModalWindow : public ThemedWindow<Derived> {
protected:
    // Disables `owner`, then `open` makes and shows the window (false when
    // it could not), and the loop runs until the window closes. The owner is
    // enabled again before the window goes, so that the focus returns to it
    // rather than to another program's window. `keys`, when given, sees
    // every key message first (see RunMessageLoop).
    void RunModal(HWND owner, const std::function<bool()>& open,
                  const std::function<bool(const MSG&)>& keys = {}) {
        EnableWindow(owner, FALSE);
        if (open()) RunMessageLoop([this] { return closed_; }, keys);
        EnableWindow(owner, TRUE);
        this->Destroy();
    }
    void ShowCreated() {
        ShowWindow(this->Window(), SW_SHOWNORMAL);
        UpdateWindow(this->Window());
    }
    void Close() { closed_ = true; }

    // WM_CLOSE, WM_ACTIVATE, and what every themed window answers.
    LRESULT HandleModalMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CLOSE) {
            Close();
            return 0;
        }
        if (message == WM_ACTIVATE) return OnActivate(wParam, lParam);
        return this->HandleThemeMessage(message, wParam, lParam);
    }

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
