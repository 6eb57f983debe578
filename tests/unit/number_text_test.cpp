#include "storage/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace quillora {
namespace {

constexpr std::int64_t Min64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t Max64 = std::numeric_limits<std::int64_t>::max();

TEST(NumberFromText, ReadsTheNumberAtTheStartOfTheText) {
    const struct {
        std::string_view text;
        std::int64_t value;
    } cases[] = {
        {"", 0},     {"abc", 0},   {"07", 7},  {"  \t42x", 42}, {"3 word", 3}, {"-17", -17}, {"+5", 5},
        {"--5", 0},  {"- 5", 0},   {"\n5", 0}, {"$ff", 255},    {"$FfG", 255}, {"$", 0},     {"-$10", -16},
        {"%101", 5}, {"%1012", 5}, {"%", 0},   {"12.9", 12},    {"$-1", 0},    {" +%11", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberFromText(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberFromText, WrapsModulo2To64) {
    EXPECT_EQ(NumberFromText("9223372036854775807"), Max64);
    EXPECT_EQ(NumberFromText("9223372036854775808"), Min64);
    EXPECT_EQ(NumberFromText("-9223372036854775808"), Min64);
    EXPECT_EQ(NumberFromText("18446744073709551617"), 1);
    EXPECT_EQ(NumberFromText("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(NumberFromText("$10000000000000005"), 5);
}

TEST(NumberToText, WritesPlainDecimal) {
    EXPECT_EQ(NumberToText(0), "0");
    EXPECT_EQ(NumberToText(-4), "-4");
    EXPECT_EQ(NumberToText(Min64), "-9223372036854775808");
    EXPECT_EQ(NumberFromText(NumberToText(Min64)), Min64);
}

TEST(Low32, KeepsTheLowBitsAsSigned) {
    EXPECT_EQ(Low32(4'294'967'297), 1);
    EXPECT_EQ(Low32(2'147'483'648), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(Low32(-1), -1);
    EXPECT_EQ(Low32(Min64), 0);
}

}  // namespace
}  // namespace quillora
