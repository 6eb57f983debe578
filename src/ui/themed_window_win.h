#pragma once
// Windows in the program's look: the controls of a window placed for its
// DPI and placed again when it changes, and the theme mix-in.
#include <windows.h>

#include <vector>

#include "ui/scaling.h"
#include "ui/theme_win.h"
#include "ui/window_base_win.h"

namespace quillora {

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

// A change of the colour scheme or of high contrast reaches a top-level
// window as one of these.
[[nodiscard]] constexpr bool IsColourChange(UINT message) {
    return message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE || message == WM_THEMECHANGED;
}

// Takes the new colours into the theme and repaints the window with all its
// controls. The common controls learn of new system colours only from
// their parent, so WM_SYSCOLORCHANGE is handed on to each of them.
void OnColourChange(HWND window, UINT message, Theme& theme);

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

    // WM_CTLCOLORSTATIC, WM_DPICHANGED and the changes of the colour
    // scheme; any other message gets the default handling.
    LRESULT HandleThemeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        auto& self = static_cast<Derived&>(*this);
        if (IsColourChange(message)) {
            OnColourChange(this->Window(), message, theme_);
        } else if (message == WM_CTLCOLORSTATIC) {
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

}  // namespace quillora
