// Today's row as users of other colour schemes see it. This suite runs in
// the test prefix's default colours and once more in a copy whose scheme
// has the colours of High Contrast Black (scripts/in-colours.sh); Wine
// cannot switch high contrast itself, so what changes is the scheme's
// colours only.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

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
    // The NAME cells, inside the margin where the list's own background
    // shows: the text and the background around it.
    auto pixelsOfRow = [&](int row) {
        const RECT item = reader.ItemRect(row);
        return ScreenPixels(List(AllTab), RECT{item.left + 4, item.top, item.left + 170, item.bottom});
    };
    // The colours of an area, the most frequent first.
    auto coloursOf = [](const std::vector<COLORREF>& pixels) {
        std::map<COLORREF, int> counts;
        for (COLORREF pixel : pixels)
            ++counts[pixel];
        std::vector<std::pair<int, COLORREF>> byCount;
        for (const auto& [colour, count] : counts)
            byCount.emplace_back(count, colour);
        std::sort(byCount.rbegin(), byCount.rend());
        std::vector<COLORREF> colours;
        for (const auto& [count, colour] : byCount)
            colours.push_back(colour);
        return colours;
    };
    // The background, then the text; smoothed edges of letters, if any,
    // are fewer than either.
    const std::vector<COLORREF> todays = coloursOf(pixelsOfRow(0));
    ASSERT_GE(todays.size(), 2u) << "no text in today's row";
    const Rgb background = RgbOf(todays[0]);
    const Rgb text = RgbOf(todays[1]);
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
    EXPECT_EQ(coloursOf(pixelsOfRow(1)).at(0), GetSysColor(COLOR_WINDOW));
    Quit();
}

}  // namespace
}  // namespace quillora::e2e
