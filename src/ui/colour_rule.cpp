#include "ui/colour_rule.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace quillora {
namespace {

double LinearChannel(std::uint8_t value) {
    const double channel = value / 255.0;
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// The first candidate that is readable on `background`; when none is, the
// one that comes closest.
Rgb ReadableTextOn(Rgb background, std::initializer_list<Rgb> candidates) {
    Rgb best = *candidates.begin();
    for (const Rgb candidate : candidates) {
        if (ContrastRatio(candidate, background) >= ReadableContrast) return candidate;
        if (ContrastRatio(candidate, background) > ContrastRatio(best, background)) best = candidate;
    }
    return best;
}

}  // namespace

double RelativeLuminance(Rgb colour) {
    return 0.2126 * LinearChannel(colour.red) + 0.7152 * LinearChannel(colour.green) +
           0.0722 * LinearChannel(colour.blue);
}

double ContrastRatio(Rgb first, Rgb second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Palette PaletteFor(const ColourScheme& scheme) {
    if (scheme.highContrast) {
        // Today's row in the selection's pair: the one pair of a scheme
        // meant to stand out from the list. Bold tells it from a selected row.
        return Palette{
            .todayRow = {scheme.highlightText, scheme.highlight},
            .todayRowBold = true,
            .title = {scheme.windowText, scheme.window},
            .heading = {scheme.buttonText, scheme.buttonFace},
            .body = {scheme.windowText, scheme.window},
        };
    }
    // The list's own text colour where it reads on the turquoise (black in
    // the default scheme), so that only dark schemes see a change.
    return Palette{
        .todayRow = {ReadableTextOn(Fixed::Turquoise, {scheme.windowText, Fixed::Black, Fixed::White}),
                     Fixed::Turquoise},
        .todayRowBold = false,
        .title = {Fixed::White, Fixed::Black},
        .heading = {Fixed::White, Fixed::DarkGrey},
        .body = {Fixed::Black, Fixed::Grey},
    };
}

}  // namespace quillora
