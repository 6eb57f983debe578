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

}  // namespace
}  // namespace quillora
