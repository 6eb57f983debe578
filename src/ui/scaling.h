#pragma once
#include <functional>
#include <string>
#include <vector>

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

// A text whose words are lined up by runs of spaces, set again for another
// DPI: a space's width is rounded to whole pixels and does not grow in step
// with the letters, so each run is counted anew for word i to start as near
// as it can to starts[i] (pixels from the text's start). `width` measures a
// text in the font it is shown in.
std::string SpacedWords(const std::vector<std::string>& words, const std::vector<int>& starts,
                        const std::function<int(const std::string&)>& width);

}  // namespace quillora
