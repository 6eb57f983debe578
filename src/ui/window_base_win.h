#pragma once
// One small class per top-level window: the window procedure finds the
// object through the window's user data, stored at WM_NCCREATE, and hands the
// message to HandleMessage.
#include <windows.h>

namespace quillora {

// The outer rectangle of a window whose client area has the given size,
// centred on the primary screen and cut to the screen first when larger.
RECT CentredWindowRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

// Registers a window class once per process (later calls do nothing).
void RegisterWindowClassOnce(const char* className, WNDPROC procedure, HBRUSH background, HICON icon);

template <typename Derived>
class WindowBase {
public:
    [[nodiscard]] HWND Window() const { return window_; }

protected:
    // Creates a top-level window of its own class (registered on first use,
    // with the program's icon and the button-face background), no owner, its
    // client area of the given size, centred on the screen. False when the
    // window could not be made.
    bool CreateCentred(const char* className, const char* title, DWORD style, DWORD exStyle, int clientWidth,
                       int clientHeight) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        RegisterWindowClassOnce(className, WindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                LoadIconA(instance, MAKEINTRESOURCEA(1)));
        const RECT outer = CentredWindowRect(clientWidth, clientHeight, style, exStyle);
        CreateWindowExA(exStyle, className, title, style, outer.left, outer.top, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, instance, static_cast<Derived*>(this));
        return window_ != nullptr;
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->window_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcA(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
            return DefWindowProcA(window, message, wParam, lParam);
        }
        return self->HandleMessage(message, wParam, lParam);
    }

    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(window_, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

// A child control with the default GUI font.
HWND CreateControl(HWND parent, int id, const char* className, const char* text, DWORD style, DWORD exStyle,
                   int x, int y, int width, int height);

}  // namespace quillora
