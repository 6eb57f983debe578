// Today's row as users of other colour schemes see it. This suite runs in
// the test prefix's default colours and once more in a copy whose scheme
// has the colours of High Contrast Black (scripts/in-colours.sh); Wine
// cannot switch high contrast itself, so what changes is the scheme's
// colours only.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "driver.h"
#include "test_support.h"
#include "ui/colour_rule.h"

namespace quillora::e2e {
namespace {

Rgb RgbOf(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

class ColourSchemeTest : public ProgramOnList {};

TEST_F(ColourSchemeTest, TodaysRowReadsAtLeastFourAndAHalfToOne) {
    const Day today = LocalToday();
    const Day tomorrow = DaysFrom(today, 1);
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes({
        {"Birthday today", std::to_string(today.day), std::to_string(today.month), "2000", "1", "1"},
        {"Tomorrow", std::to_string(tomorrow.day), std::to_string(tomorrow.month), "1990", "1", "1"},
    })));
    const ListViewReader reader(List(AllTab));
    // The NAME cells: the text and the background around it.
    auto pixelsOfRow = [&](int row) {
        const RECT item = reader.ItemRect(row);
        return ScreenPixels(List(AllTab), RECT{item.left, item.top, item.left + 170, item.bottom});
    };
    auto backgroundOf = [](const std::vector<COLORREF>& pixels) {
        std::map<COLORREF, int> counts;
        for (COLORREF pixel : pixels)
            ++counts[pixel];
        COLORREF most = 0;
        for (const auto& [colour, count] : counts)
            if (count > counts[most]) most = colour;
        return most;
    };
    const std::vector<COLORREF> todays = pixelsOfRow(0);
    ASSERT_FALSE(todays.empty());
    const Rgb background = RgbOf(backgroundOf(todays));
    // The text's own colour is the one furthest from the background; the
    // others are its smoothed edges.
    Rgb text = background;
    for (COLORREF pixel : todays)
        if (ContrastRatio(RgbOf(pixel), background) > ContrastRatio(text, background)) text = RgbOf(pixel);
    const Rgb windowText = RgbOf(GetSysColor(COLOR_WINDOWTEXT));
    SCOPED_TRACE(testing::Message() << "text " << int{text.red} << "," << int{text.green} << ","
                                    << int{text.blue} << ", the scheme's window text " << int{windowText.red}
                                    << "," << int{windowText.green} << "," << int{windowText.blue});
    EXPECT_EQ(background, Fixed::Turquoise);
    EXPECT_GE(ContrastRatio(text, background), ReadableContrast);
    // The list's own text colour wherever it reads on the turquoise.
    EXPECT_EQ(text,
              ContrastRatio(windowText, Fixed::Turquoise) >= ReadableContrast ? windowText : Fixed::Black);
    // The other rows are in the scheme's colours, so the scheme is the one
    // the program draws with.
    EXPECT_EQ(backgroundOf(pixelsOfRow(1)), GetSysColor(COLOR_WINDOW));
    Quit();
}

}  // namespace
}  // namespace quillora::e2e
