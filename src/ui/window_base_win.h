#pragma once
// One small class per top-level window: the window procedure finds the
// object through the window's user data, stored at WM_NCCREATE, and hands the
// message to HandleMessage.
#include <windows.h>

#include <vector>

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

// The controls of a window, each with its rectangle and font role at 96 DPI,
// placed for the theme's DPI and placed again when the DPI changes.
class ControlLayout {
public:
    // `theme` is the window's, replaced in place when the DPI changes.
    explicit ControlLayout(const Theme& theme) : theme_(theme) {}

    HWND Create(HWND parent, int id, const char* className, const char* text, DWORD style, DWORD exStyle,
                const Box& at96, FontRole font = FontRole::Gui);
    // Moves an existing control (one that sized itself, say) back to its
    // place and remembers it for later changes.
    void Place(HWND control, const Box& at96, FontRole font = FontRole::Gui);
    // Puts every control at its place and gives it its font for `theme`.
    void Apply(const Theme& theme) const;

private:
    struct Placed {
        HWND control;
        Box at96;
        FontRole font;
    };
    const Theme& theme_;
    std::vector<Placed> placed_;
};

// A window's WM_DPICHANGED: makes the theme for the new DPI, moves the
// window to the suggested rectangle and lays the controls out again; the
// old fonts go once no control uses them.
void ApplyDpiChange(HWND window, WPARAM wParam, LPARAM lParam, Theme& theme, const ControlLayout& layout);

// The theme and the layout of a window in the program's look. A base of its
// own, ahead of the window's owner, so that the fonts outlive the window and
// the controls that use them.
class WindowLook {
protected:
    Theme theme_;
    ControlLayout layout_{theme_};
};

// A window in the program's look: its theme for its DPI, the layout of its
// controls, and the messages every such window answers alike. The derived
// window says how each of its static controls looks (`LookOfStatic(id)`)
// and may add to a DPI change (`OnDpiChanged()`).
template <typename Derived>
class ThemedWindow : protected WindowLook, public WindowBase<Derived> {
protected:
    // The theme for the DPI of the window just created; the one made with
    // the object serves when the DPI is the same, rather than a second set
    // of fonts and brushes.
    void TakeWindowDpi() {
        const int dpi = DpiOfWindow(this->Window());
        if (dpi != theme_.Dpi()) theme_ = Theme(dpi);
    }

    // WM_CTLCOLORSTATIC and WM_DPICHANGED; any other message gets the
    // default handling.
    LRESULT HandleThemeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        auto& self = static_cast<Derived&>(*this);
        if (message == WM_CTLCOLORSTATIC) {
            const StaticLook look = self.LookOfStatic(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
            if (HBRUSH brush = theme_.ColourStatic(reinterpret_cast<HDC>(wParam), look)) {
                return reinterpret_cast<LRESULT>(brush);
            }
        } else if (message == WM_DPICHANGED) {
            ApplyDpiChange(this->Window(), wParam, lParam, theme_, layout_);
            self.OnDpiChanged();
            return 0;
        }
        return this->DefaultHandling(message, wParam, lParam);
    }

    void OnDpiChanged() {}
};

// Arms `window`'s timer `id` for the moment the local date next changes (a
// second late rather than early); a clock change or a resume arms it again.
void ArmNextDayTimer(HWND window, UINT_PTR id);

// Shows `menu` at the screen point for `owner` (TrackPopupMenu's `flags`)
// and gives back what TrackPopupMenu does: the command with TPM_RETURNCMD.
int ShowPopupMenuAt(HWND owner, HMENU menu, POINT screen, UINT flags);

}  // namespace quillora
