#pragma once
// The look of Quillora's windows in one place: its colours, its fonts made
// for a window's DPI, and the colours of its static controls.
#include <windows.h>

#include "base/scoped_win.h"
#include "ui/colour_rule.h"
#include "ui/scaling.h"

namespace quillora {

[[nodiscard]] constexpr COLORREF ToColorRef(Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// The system's colours and high-contrast setting as they are now.
[[nodiscard]] ColourScheme CurrentColourScheme();

enum class FontRole {
    Gui,      // the system's dialog font (8 pt) of every other control
    GuiBold,  // the same in bold: today's rows where high contrast is on
    Title,    // Arial 15 pt, bold, underlined: the title bars of the child windows
    Caption,  // Arial 8 pt, bold: headings and group captions
};

// How a static control is painted.
enum class StaticLook {
    Plain,    // the system's colours
    Title,    // white on black, unless high contrast is on
    Heading,  // white on dark grey, unless high contrast is on
    Body,     // black on grey, unless high contrast is on
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
    // What the program colours, for the colour scheme of the last refresh.
    [[nodiscard]] const Palette& Colours() const { return palette_; }
    // Reads the colour scheme again and makes the brushes anew when the
    // colours changed; true when they did.
    bool RefreshColours();

private:
    void MakeBrushes();

    int dpi_;
    UniqueFont gui_;  // null at 96 DPI, where the stock font itself is used
    UniqueFont guiBold_;
    UniqueFont title_;
    UniqueFont caption_;
    Palette palette_;
    UniqueBrush titleBrush_;
    UniqueBrush headingBrush_;
    UniqueBrush bodyBrush_;
};

// The system's dialog font (its face at 8 points) made for `dpi`.
UniqueFont CreateGuiFont(int dpi, bool bold = false);

// The DPI the system gives new windows, and the DPI of a window (the same
// where Windows has no DPI per window).
int SystemDpi();
int DpiOfWindow(HWND window);

}  // namespace quillora
