#include "ui/colour_rule.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

// Windows' own colours of these schemes (Window, WindowText, Highlight,
// HighlightText, ButtonFace, ButtonText).
constexpr ColourScheme Default{{255, 255, 255}, {0, 0, 0},       {0, 120, 215},
                               {255, 255, 255}, {240, 240, 240}, {}};
constexpr ColourScheme HighContrastBlack{{}, {255, 255, 255}, {26, 235, 255}, {}, {}, {255, 255, 255}, true};
constexpr ColourScheme HighContrastWhite{{255, 255, 255}, {}, {55, 0, 110}, {255, 255, 255},
                                         {255, 255, 255}, {}, true};
constexpr ColourScheme Dark{{32, 32, 32},    {255, 255, 255}, {0, 120, 215},
                            {255, 255, 255}, {45, 45, 45},    {255, 255, 255}};

TEST(ContrastRatio, FollowsTheRelativeLuminanceOfTheAccessibilityGuidelines) {
    EXPECT_DOUBLE_EQ(ContrastRatio(Fixed::Black, Fixed::White), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Fixed::Grey, Fixed::Grey), 1.0);
    EXPECT_NEAR(ContrastRatio(Fixed::Black, Fixed::Turquoise), 9.4, 0.05);
    EXPECT_NEAR(ContrastRatio(Fixed::Turquoise, Fixed::White), 2.2, 0.05);
    // Dark channels lie on sRGB's straight segment.
    EXPECT_NEAR(RelativeLuminance({10, 10, 10}), 10 / 255.0 / 12.92, 1e-12);
}

TEST(PaletteFor, KeepsTheProgramsColoursInTheDefaultSchemeAndOnlyTodaysTextInADarkOne) {
    const Palette own{{{}, Fixed::Turquoise},
                      false,
                      {Fixed::White, Fixed::Black},
                      {Fixed::White, Fixed::DarkGrey},
                      {Fixed::Black, Fixed::Grey}};
    EXPECT_EQ(PaletteFor(Default), own);
    EXPECT_EQ(PaletteFor(Dark), own);  // white text would read 2.2:1 on the turquoise
}

TEST(PaletteFor, EveryPairIsReadableInEveryScheme) {
    for (const ColourScheme& scheme : {Default, HighContrastBlack, HighContrastWhite, Dark}) {
        const Palette palette = PaletteFor(scheme);
        for (const ColourPair& pair : {palette.todayRow, palette.title, palette.heading, palette.body})
            EXPECT_GE(ContrastRatio(pair.text, pair.background), ReadableContrast) << scheme.highContrast;
    }
    // Whatever the list's text colour, today's row reads, and keeps that
    // colour where it reads itself.
    for (int level = 0; level < 256; level += 5) {
        const auto value = static_cast<std::uint8_t>(level);
        for (const Rgb text :
             {Rgb{value, value, value}, Rgb{value, 0, static_cast<std::uint8_t>(255 - level)}}) {
            ColourScheme scheme = Default;
            scheme.windowText = text;
            const ColourPair today = PaletteFor(scheme).todayRow;
            EXPECT_GE(ContrastRatio(today.text, today.background), ReadableContrast) << level;
            EXPECT_TRUE(today.text == text || ContrastRatio(text, Fixed::Turquoise) < ReadableContrast)
                << level;
        }
    }
}

TEST(PaletteFor, HighContrastTakesTheSchemesPairsOnlyAndMarksTodayInBold) {
    // Colours none of the program's own equal, so a fixed colour left shows.
    const ColourScheme odd{{1, 2, 3}, {250, 251, 252}, {10, 20, 200}, {240, 230, 5},
                           {4, 5, 6}, {249, 248, 247}, true};
    const ColourPair window{odd.windowText, odd.window};
    EXPECT_EQ(
        PaletteFor(odd),
        (Palette{
            {odd.highlightText, odd.highlight}, true, window, {odd.buttonText, odd.buttonFace}, window}));
}

}  // namespace
}  // namespace quillora
