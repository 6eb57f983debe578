#include "ui/theme_win.h"

namespace quillora {
namespace {

UniqueFont CreateFontOf(const char* face, int points, int weight, bool underlined, int dpi) {
    return UniqueFont(CreateFontA(-MulDiv(points, dpi, 72), 0, 0, 0, weight, FALSE, underlined ? TRUE : FALSE,
                                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH, face));
}

}  // namespace

UniqueFont CreateGuiFont(int dpi) {
    LOGFONTA stock{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
    return CreateFontOf(stock.lfFaceName, 8, stock.lfWeight, false, dpi);
}

Theme::Theme(int dpi)
    : dpi_(dpi),
      gui_(dpi == DesignDpi ? UniqueFont() : CreateGuiFont(dpi)),
      title_(CreateFontOf("Arial", 15, FW_BOLD, true, dpi)),
      caption_(CreateFontOf("Arial", 8, FW_BOLD, false, dpi)),
      black_(CreateSolidBrush(Colour::Black)),
      darkGrey_(CreateSolidBrush(Colour::DarkGrey)),
      grey_(CreateSolidBrush(Colour::Grey)) {}

HFONT Theme::Font(FontRole role) const {
    switch (role) {
        case FontRole::Title:
            return title_.Get();
        case FontRole::Caption:
            return caption_.Get();
        case FontRole::Gui:
            break;
    }
    return gui_ ? gui_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HBRUSH Theme::ColourStatic(HDC dc, StaticLook look) const {
    struct Colours {
        COLORREF text;
        COLORREF background;
        HBRUSH brush;
    };
    Colours colours{};
    switch (look) {
        case StaticLook::Title:
            colours = {Colour::White, Colour::Black, black_.Get()};
            break;
        case StaticLook::Heading:
            colours = {Colour::White, Colour::DarkGrey, darkGrey_.Get()};
            break;
        case StaticLook::Body:
            colours = {Colour::Black, Colour::Grey, grey_.Get()};
            break;
        case StaticLook::Plain:
            return nullptr;
    }
    if (!colours.brush) return nullptr;
    SetTextColor(dc, colours.text);
    SetBkColor(dc, colours.background);
    return colours.brush;
}

int SystemDpi() {
    const WindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : DesignDpi;
    return dpi > 0 ? dpi : DesignDpi;
}

int DpiOfWindow(HWND window) {
    // Windows 10 (1607) and later know the DPI of each window; earlier ones
    // have one DPI for the whole system.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

}  // namespace quillora
