#pragma once
// Display scaling: every figure of the layout is given for 96 dots per inch
// (100 %) and scaled to the window's DPI here, in one place.
namespace quillora {

inline constexpr int DesignDpi = 96;

// `value` at 96 DPI scaled to `dpi`, rounded to the nearest pixel (halves
// away from zero), as Windows' MulDiv(value, dpi, 96) does.
int ScaleForDpi(int value, int dpi);

// A control's rectangle in its parent: left, top, width, height.
struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Box&) const = default;
};

Box ScaleForDpi(const Box& box, int dpi);

}  // namespace quillora
