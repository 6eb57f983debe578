// Today's row as users of other colour schemes see it. This suite runs in
// the test prefix's default colours and once more in a copy whose scheme
// has the colours of High Contrast Black (scripts/in-colours.sh); Wine
// cannot switch high contrast itself, so only the scheme's colours change.
#include <windows.h>

#include <gtest/gtest.h>

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
    // A NAME cell, inside the margin where the list's own background shows:
    // the background, then the text (smoothed edges, if any, are fewer).
    auto coloursOfRow = [&](int row) {
        const RECT item = ListViewReader(List(AllTab)).ItemRect(row);
        return ColoursShown(List(AllTab), RECT{item.left + 4, item.top, item.left + 170, item.bottom});
    };
    const std::vector<COLORREF> todays = coloursOfRow(0);
    ASSERT_GE(todays.size(), 2u) << "no text in today's row";
    const Rgb background = RgbOf(todays[0]);
    const Rgb text = RgbOf(todays[1]);
    const Rgb windowText = RgbOf(GetSysColor(COLOR_WINDOWTEXT));
    SCOPED_TRACE(testing::Message() << "text " << int{text.red} << "," << int{text.green} << ","
                                    << int{text.blue} << ", the scheme's window text " << int{windowText.red}
                                    << "," << int{windowText.green} << "," << int{windowText.blue});
    EXPECT_EQ(background, Fixed::Turquoise);
    EXPECT_GE(ContrastRatio(text, background), ReadableContrast);
    EXPECT_EQ(text,
              ContrastRatio(windowText, Fixed::Turquoise) >= ReadableContrast ? windowText : Fixed::Black);
    // The other rows are in the scheme's colours: the scheme is the one
    // the program draws with.
    EXPECT_EQ(coloursOfRow(1).at(0), GetSysColor(COLOR_WINDOW));
    Quit();
}

}  // namespace
}  // namespace quillora::e2e
