#include "storage/settings.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

using Slots = std::array<std::string, SettingsSlotCount>;

TEST(ParseSettings, FillsOneSlotPerLine) {
    const struct {
        std::string_view bytes;
        Slots slots;
    } cases[] = {
        {"6\r\n1\r\n1", {"6", "1", "1", "", ""}},
        {"6\r\n1\r\n1\r\n", {"6", "1", "1", "", ""}},
        {"3\n1", {"3", "1", "", "", ""}},
        {"", {}},
        {"\xEF\xBB\xBF"
         "5\r\n0\r\n1",
         {"5", "0", "1", "", ""}},
        {"\r\n\r\n1", {"", "", "1", "", ""}},
        {"0\r\n1\r\n1\r\nfour\r\nfive\r\nsix\r\nseven", {"0", "1", "1", "four", "five"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSettings(c.bytes).slots, c.slots) << testing::PrintToString(c.bytes);
    }
}

TEST(SettingsToBytes, WritesTheFirstThreeSlotsOnly) {
    EXPECT_EQ(SettingsToBytes(ParseSettings("6\r\n1\r\n1\r\nfour\r\nfive")), "6\r\n1\r\n1");
    EXPECT_EQ(SettingsToBytes(Settings{}), "\r\n\r\n");
    EXPECT_EQ(SettingsToBytes(ParseSettings("0\r\n0")), "0\r\n0\r\n");
}

}  // namespace
}  // namespace quillora
