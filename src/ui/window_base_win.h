#pragma once
// One small class per top-level window: the window procedure finds the
// object through the window's user data, stored at WM_NCCREATE, and hands the
// message to HandleMessage.
#include <windows.h>

#include "base/scoped_win.h"
#include "ui/scaling.h"
#include "ui/theme_win.h"

namespace quillora {

#ifndef WM_DPICHANGED
inline constexpr UINT WM_DPICHANGED = 0x02E0;
#endif

// The outer rectangle of a window whose client area has the given size,
// centred on the primary screen and cut to the screen first when larger.
RECT CentredWindowRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

// Registers a window class once per process (later calls do nothing).
void RegisterWindowClassOnce(const char* className, WNDPROC procedure, HBRUSH background, HICON icon);

template <typename Derived>
class WindowBase {
public:
    [[nodiscard]] HWND Window() const { return window_.Get(); }

    // Destroys the window now, its handlers seeing it go (WM_DESTROY).
    void Destroy() { window_.Reset(); }

protected:
    WindowBase() = default;
    // A window still open goes with its object. By then the derived parts
    // are gone, so the object is unhooked first and the messages of the
    // window's end get the default handling: what must happen when the
    // window goes is the job of an owner among the derived members, which go
    // before it.
    ~WindowBase() {
        if (!window_) return;
        SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, 0);
        window_.Reset();
    }
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // Creates a top-level window of its own class (registered on first use,
    // with the program's icon and the button-face background), no owner, its
    // client area of the given size, centred on the screen. False when the
    // window could not be made. The client size is given at 96 DPI and
    // scaled to the system's DPI.
    bool CreateCentred(const char* className, const char* title, DWORD style, DWORD exStyle, int clientWidth,
                       int clientHeight) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        RegisterWindowClassOnce(className, WindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                LoadIconA(instance, MAKEINTRESOURCEA(1)));
        const int dpi = SystemDpi();
        const RECT outer =
            CentredWindowRect(ScaleForDpi(clientWidth, dpi), ScaleForDpi(clientHeight, dpi), style, exStyle);
        CreateWindowExA(exStyle, className, title, style, outer.left, outer.top, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, instance, static_cast<Derived*>(this));
        return window_.Valid();
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->window_.Reset(window);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcA(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            // The window is gone by itself; nothing is left to destroy.
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->window_.Release();
            return DefWindowProcA(window, message, wParam, lParam);
        }
        return self->HandleMessage(message, wParam, lParam);
    }

    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(window_.Get(), message, wParam, lParam);
    }

private:
    UniqueWindow window_;
};

}  // namespace quillora
