#include "ui/theme_win.h"

namespace quillora {
namespace {

UniqueFont CreateFontOf(const char* face, int points, int weight, bool underlined, int dpi) {
    return UniqueFont(CreateFontA(-MulDiv(points, dpi, 72), 0, 0, 0, weight, FALSE, underlined ? TRUE : FALSE,
                                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH, face));
}

Rgb FromColorRef(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

}  // namespace

ColourScheme CurrentColourScheme() {
    HIGHCONTRASTA highContrast{};
    highContrast.cbSize = sizeof highContrast;
    const bool on = SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
                    (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    return ColourScheme{
        .window = FromColorRef(GetSysColor(COLOR_WINDOW)),
        .windowText = FromColorRef(GetSysColor(COLOR_WINDOWTEXT)),
        .highlight = FromColorRef(GetSysColor(COLOR_HIGHLIGHT)),
        .highlightText = FromColorRef(GetSysColor(COLOR_HIGHLIGHTTEXT)),
        .buttonFace = FromColorRef(GetSysColor(COLOR_BTNFACE)),
        .buttonText = FromColorRef(GetSysColor(COLOR_BTNTEXT)),
        .highContrast = on,
    };
}

UniqueFont CreateGuiFont(int dpi, bool bold) {
    LOGFONTA stock{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
    return CreateFontOf(stock.lfFaceName, 8, bold ? FW_BOLD : stock.lfWeight, false, dpi);
}

Theme::Theme(int dpi)
    : dpi_(dpi),
      gui_(dpi == DesignDpi ? UniqueFont() : CreateGuiFont(dpi)),
      guiBold_(CreateGuiFont(dpi, true)),
      title_(CreateFontOf("Arial", 15, FW_BOLD, true, dpi)),
      caption_(CreateFontOf("Arial", 8, FW_BOLD, false, dpi)),
      palette_(PaletteFor(CurrentColourScheme())) {
    MakeBrushes();
}

void Theme::MakeBrushes() {
    // The new brushes replace the old ones, which go with their owners; a
    // control paints with the brush it is given at WM_CTLCOLORSTATIC only.
    titleBrush_ = UniqueBrush(CreateSolidBrush(ToColorRef(palette_.title.background)));
    headingBrush_ = UniqueBrush(CreateSolidBrush(ToColorRef(palette_.heading.background)));
    bodyBrush_ = UniqueBrush(CreateSolidBrush(ToColorRef(palette_.body.background)));
}

bool Theme::RefreshColours() {
    const Palette now = PaletteFor(CurrentColourScheme());
    if (now == palette_) return false;
    palette_ = now;
    MakeBrushes();
    return true;
}

HFONT Theme::Font(FontRole role) const {
    switch (role) {
        case FontRole::GuiBold:
            if (guiBold_) return guiBold_.Get();
            break;
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
    const ColourPair* pair = nullptr;
    HBRUSH brush = nullptr;
    switch (look) {
        case StaticLook::Title:
            pair = &palette_.title;
            brush = titleBrush_.Get();
            break;
        case StaticLook::Heading:
            pair = &palette_.heading;
            brush = headingBrush_.Get();
            break;
        case StaticLook::Body:
            pair = &palette_.body;
            brush = bodyBrush_.Get();
            break;
        case StaticLook::Plain:
            return nullptr;
    }
    if (!brush) return nullptr;
    SetTextColor(dc, ToColorRef(pair->text));
    SetBkColor(dc, ToColorRef(pair->background));
    return brush;
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
