#pragma once
// The look of Quillora's windows in one place: its colours, its fonts made
// for a window's DPI, and the colours of its static controls.
#include <windows.h>

#include "base/scoped_win.h"
#include "ui/scaling.h"

namespace quillora {

namespace Colour {
inline constexpr COLORREF White = RGB(255, 255, 255);
inline constexpr COLORREF Black = RGB(0, 0, 0);
inline constexpr COLORREF DarkGrey = RGB(51, 51, 51);
inline constexpr COLORREF Grey = RGB(153, 153, 153);
// The background of a list row whose birthday is today.
inline constexpr COLORREF Today = RGB(0, 193, 193);
}  // namespace Colour

enum class FontRole {
    Gui,      // the system's dialog font (8 pt) of every other control
    Title,    // Arial 15 pt, bold, underlined: the title bars of the child windows
    Caption,  // Arial 8 pt, bold: headings and group captions
};

// How a static control is painted.
enum class StaticLook {
    Plain,    // the system's colours
    Title,    // white on black
    Heading,  // white on dark grey
    Body,     // black on grey
};

class Theme {
public:
    explicit Theme(int dpi = DesignDpi);

    [[nodiscard]] int Dpi() const { return dpi_; }
    [[nodiscard]] int Scale(int value) const { return ScaleForDpi(value, dpi_); }
    [[nodiscard]] HFONT Font(FontRole role) const;
    // For WM_CTLCOLORSTATIC: puts the look's colours into `dc` and returns
    // its background brush; null for Plain (the default handling applies).
    HBRUSH ColourStatic(HDC dc, StaticLook look) const;

private:
    int dpi_;
    UniqueFont gui_;  // null at 96 DPI, where the stock font itself is used
    UniqueFont title_;
    UniqueFont caption_;
    UniqueBrush black_;
    UniqueBrush darkGrey_;
    UniqueBrush grey_;
};

// The system's dialog font (its face at 8 points) made for `dpi`.
UniqueFont CreateGuiFont(int dpi);

// The DPI the system gives new windows, and the DPI of a window (the same
// where Windows has no DPI per window).
int SystemDpi();
int DpiOfWindow(HWND window);

}  // namespace quillora
