#include "ui/fonts_win.h"

namespace quillora {
namespace {

UniqueFont CreateArial(int points, bool underlined) {
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    const int height = -MulDiv(points, dotsPerInch, 72);
    return UniqueFont(CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, underlined ? TRUE : FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH, "Arial"));
}

}  // namespace

SharedFonts CreateSharedFonts() {
    return SharedFonts{CreateArial(15, true), CreateArial(8, false)};
}

}  // namespace quillora
