#include "ui/colour_rule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace quillora {
namespace {

// Windows' own colours of these schemes (Window, WindowText, Highlight,
// HighlightText, ButtonFace, ButtonText).
constexpr ColourScheme DefaultScheme{{255, 255, 255}, {0, 0, 0}, {0, 120, 215}, {255, 255, 255},
                                     {240, 240, 240}, {0, 0, 0}, false};
constexpr ColourScheme HighContrastBlack{
    {0, 0, 0}, {255, 255, 255}, {26, 235, 255}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}, true};
constexpr ColourScheme HighContrastWhite{{255, 255, 255}, {0, 0, 0}, {55, 0, 110}, {255, 255, 255},
                                         {255, 255, 255}, {0, 0, 0}, true};
constexpr ColourScheme DarkScheme{{32, 32, 32}, {255, 255, 255}, {0, 120, 215}, {255, 255, 255},
                                  {45, 45, 45}, {255, 255, 255}, false};

TEST(ContrastRatio, FollowsTheRelativeLuminanceOfTheAccessibilityGuidelines) {
    EXPECT_DOUBLE_EQ(ContrastRatio(Fixed::Black, Fixed::White), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Fixed::White, Fixed::Black), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Fixed::Grey, Fixed::Grey), 1.0);
    // Black on the turquoise reads well, white on it does not.
    EXPECT_NEAR(ContrastRatio(Fixed::Black, Fixed::Turquoise), 9.4, 0.05);
    EXPECT_NEAR(ContrastRatio(Fixed::White, Fixed::Turquoise), 2.2, 0.05);
    // Mid grey sits on the low-channel side of sRGB's curve at 10/255.
    EXPECT_NEAR(RelativeLuminance({10, 10, 10}), 10 / 255.0 / 12.92, 1e-12);
    EXPECT_NEAR(RelativeLuminance({0, 255, 0}), 0.7152, 1e-12);
}

TEST(PaletteFor, TheDefaultSchemeKeepsTheProgramsOwnColours) {
    const Palette palette = PaletteFor(DefaultScheme);
    EXPECT_EQ(palette.todayRow, (ColourPair{DefaultScheme.windowText, Fixed::Turquoise}));
    EXPECT_FALSE(palette.todayRowBold);
    EXPECT_EQ(palette.title, (ColourPair{Fixed::White, Fixed::Black}));
    EXPECT_EQ(palette.heading, (ColourPair{Fixed::White, Fixed::DarkGrey}));
    EXPECT_EQ(palette.body, (ColourPair{Fixed::Black, Fixed::Grey}));
    // A dark scheme changes only the text of today's row.
    const Palette dark = PaletteFor(DarkScheme);
    EXPECT_EQ(dark.todayRow, (ColourPair{Fixed::Black, Fixed::Turquoise}));
    EXPECT_EQ(dark.title, palette.title);
    EXPECT_EQ(dark.heading, palette.heading);
    EXPECT_EQ(dark.body, palette.body);
}

TEST(PaletteFor, EveryPairIsReadableInEveryScheme) {
    for (const ColourScheme& scheme : {DefaultScheme, HighContrastBlack, HighContrastWhite, DarkScheme}) {
        const Palette palette = PaletteFor(scheme);
        for (const ColourPair& pair : {palette.todayRow, palette.title, palette.heading, palette.body}) {
            EXPECT_GE(ContrastRatio(pair.text, pair.background), ReadableContrast)
                << "scheme with window text " << int{scheme.windowText.red} << ", high contrast "
                << scheme.highContrast;
        }
    }
    // Whatever text colour a list has, today's row stays readable, and a
    // readable text colour of the list is kept.
    for (int level = 0; level < 256; level += 5) {
        for (const Rgb text :
             {Rgb{static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(level),
                  static_cast<std::uint8_t>(level)},
              Rgb{static_cast<std::uint8_t>(level), 0, static_cast<std::uint8_t>(255 - level)}}) {
            ColourScheme scheme = DefaultScheme;
            scheme.windowText = text;
            const ColourPair today = PaletteFor(scheme).todayRow;
            EXPECT_GE(ContrastRatio(today.text, today.background), ReadableContrast) << level;
            if (ContrastRatio(text, Fixed::Turquoise) >= ReadableContrast) {
                EXPECT_EQ(today.text, text) << level;
            }
        }
    }
}

TEST(PaletteFor, HighContrastUsesTheSchemesPairsOnlyAndMarksTodayInBold) {
    // Colours that none of the program's own colours equal, so that any
    // fixed colour left over shows.
    const ColourScheme odd{{1, 2, 3}, {250, 251, 252}, {10, 20, 200}, {240, 230, 5},
                           {4, 5, 6}, {249, 248, 247}, true};
    const Palette palette = PaletteFor(odd);
    EXPECT_TRUE(palette.todayRowBold);
    EXPECT_EQ(palette.todayRow, (ColourPair{odd.highlightText, odd.highlight}));
    const std::vector<ColourPair> schemePairs = {{odd.windowText, odd.window},
                                                 {odd.buttonText, odd.buttonFace}};
    for (const ColourPair& pair : {palette.title, palette.heading, palette.body}) {
        EXPECT_NE(std::find(schemePairs.begin(), schemePairs.end(), pair), schemePairs.end());
    }
    for (const Rgb fixed : {Fixed::White, Fixed::Black, Fixed::DarkGrey, Fixed::Grey, Fixed::Turquoise}) {
        for (const ColourPair& pair : {palette.todayRow, palette.title, palette.heading, palette.body}) {
            EXPECT_NE(pair.text, fixed);
            EXPECT_NE(pair.background, fixed);
        }
    }
}

}  // namespace
}  // namespace quillora
