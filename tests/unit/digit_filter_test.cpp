#include "ui/digit_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace quillora {
namespace {

TEST(StripNonDigits, KeepsOnlyAsciiDigits) {
    using namespace std::string_view_literals;
    const std::pair<std::string_view, std::string> cases[] = {
        {"", ""},
        {"2024", "2024"},
        {"abc", ""},
        {" 1-2.3a\t", "123"},
        {"1\0"
         "2"sv,
         "12"},
        {"\xD9\xA3\xEF\xBC\x95"
         "7",
         "7"},  // Arabic-Indic three and a full-width five are not ASCII digits
        {"\xFF"
         "9\x80",
         "9"},
    };
    for (const auto& [text, digits] : cases)
        EXPECT_EQ(StripNonDigits(text), digits) << testing::PrintToString(text);
}

TEST(StripNonDigits, HandlesLongTexts) {
    std::string text;
    std::string digits;
    for (int i = 0; i < 10'000; ++i) {
        text += "x" + std::to_string(i % 10) + "yz";
        digits += std::to_string(i % 10);
    }
    EXPECT_EQ(StripNonDigits(text), digits);
    EXPECT_EQ(StripNonDigits(digits), digits);
}

}  // namespace
}  // namespace quillora
