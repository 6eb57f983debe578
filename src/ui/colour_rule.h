#pragma once
// Which colours Quillora paints its coloured things in, for the colour
// scheme the user runs. Outside high contrast the program's own colours,
// except that today's row takes a text colour that stays readable on its
// turquoise; with high contrast on, only the scheme's own pairs, as Windows
// asks of programs.
#include <cstdint>

namespace quillora {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// The program's own colours.
namespace Fixed {
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb DarkGrey{51, 51, 51};
inline constexpr Rgb Grey{153, 153, 153};
// The background of a list row whose birthday is today.
inline constexpr Rgb Turquoise{0, 193, 193};
}  // namespace Fixed

// The least contrast between a text and its background that the
// accessibility guidelines ask for ordinary text.
inline constexpr double ReadableContrast = 4.5;

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
[[nodiscard]] double RelativeLuminance(Rgb colour);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
[[nodiscard]] double ContrastRatio(Rgb first, Rgb second);

// The scheme's colours that the rule reads (the system colours of the same
// names), and whether high contrast is on.
struct ColourScheme {
    Rgb window;         // a list's and an edit's background
    Rgb windowText;     // a list's text
    Rgb highlight;      // the selection's background
    Rgb highlightText;  // the selection's text
    Rgb buttonFace;     // a dialog's background
    Rgb buttonText;     // a dialog's text
    bool highContrast = false;
};

struct ColourPair {
    Rgb text;
    Rgb background;
    friend constexpr bool operator==(const ColourPair&, const ColourPair&) = default;
};

// Everything Quillora colours itself.
struct Palette {
    ColourPair todayRow;  // a list row whose birthday is today
    bool todayRowBold;    // a second cue where the row's colours are the selection's too
    ColourPair title;     // the title line of a child window
    ColourPair heading;   // a heading of a child window
    ColourPair body;      // a body text of a child window
    friend constexpr bool operator==(const Palette&, const Palette&) = default;
};

[[nodiscard]] Palette PaletteFor(const ColourScheme& scheme);

}  // namespace quillora
