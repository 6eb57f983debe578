#include "ui/scaling.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

// The common scales: 100 %, 125 %, 150 %, 200 %. At 96 DPI every figure
// stays exactly as designed.
TEST(ScaleForDpi, RoundsToTheNearestPixelLikeMulDiv) {
    const struct {
        int value, dpi, scaled;
    } cases[] = {
        {177, 96, 177},   {177, 120, 221},  // 221.25
        {30, 120, 38},                      // 37.5: halves go up
        {15, 144, 23},    {571, 144, 857},  // 22.5, 856.5
        {551, 192, 1102}, {0, 144, 0},     {-15, 144, -23}, {1, 120, 1}, {10, 144, 15},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
    }
    EXPECT_EQ(ScaleForDpi(Box{15, 445, 120, 30}, 144), (Box{23, 668, 180, 45}));
    EXPECT_EQ(ScaleForDpi(Box{15, 445, 120, 30}, 96), (Box{15, 445, 120, 30}));
}

// A font whose letters are 7 px and spaces 3 px wide, as the date label's
// words at 96 DPI; at 150 % letters 10 px and spaces 5 px.
TEST(SpacedWords, StartsEachWordNearestItsPlace) {
    auto measure = [](int letter, int space) {
        return [=](const std::string& text) {
            int width = 0;
            for (char c : text)
                width += c == ' ' ? space : letter;
            return width;
        };
    };
    const std::vector<std::string> words = {"Day:", "Month:", "Year:"};
    // At 96 DPI the stored text itself: 19 and 20 spaces.
    const std::string at96 = "Day:" + std::string(19, ' ') + "Month:" + std::string(20, ' ') + "Year:";
    EXPECT_EQ(SpacedWords(words, {0, 85, 187}, measure(7, 3)), at96);
    // Scaled places, wider spaces: fewer of them, each word within half a
    // space of its place.
    const std::string at144 = SpacedWords(words, {0, 128, 281}, measure(10, 5));
    EXPECT_EQ(at144, "Day:" + std::string(18, ' ') + "Month:" + std::string(18, ' ') + "Year:");
    // Always one space at least, and nothing for missing places.
    EXPECT_EQ(SpacedWords(words, {0, 0, 0}, measure(7, 3)), "Day: Month: Year:");
    EXPECT_EQ(SpacedWords({"A"}, {}, measure(7, 3)), "A");
}

}  // namespace
}  // namespace quillora
