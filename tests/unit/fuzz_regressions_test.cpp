// Inputs the fuzz targets found mishandled, kept as plain tests so that the
// unit runs (native, sanitized and under Wine) guard them too.
#include <gtest/gtest.h>

#include <string>

#include "storage/birthday_table.h"
#include "storage/line_reader.h"
#include "storage/settings.h"

namespace quillora {
namespace {

constexpr std::string_view Mark = "\xEF\xBB\xBF";

TEST(FuzzRegressions, EveryByteOrderMarkAtTheStartIsSkipped) {
    EXPECT_EQ(WithoutByteOrderMark(std::string(Mark) + std::string(Mark) + "1\r\n"), "1\r\n");
    EXPECT_EQ(WithoutByteOrderMark(std::string(Mark) + std::string(Mark) + std::string(Mark)), "");
    // Only whole marks: a broken second one stays.
    EXPECT_EQ(WithoutByteOrderMark(std::string(Mark) + "\xEF\xBB"
                                                       "1"),
              "\xEF\xBB"
              "1");
}

// A doubled mark used to stay in the first setting, which was then written
// back as the file's start and read as a different setting at the next load.
TEST(FuzzRegressions, SettingsWithADoubledMarkSurviveASaveAndALoad) {
    const std::string bytes = std::string(Mark) + std::string(Mark) + "3\r\n1\r\n0";
    const Settings loaded = ParseSettings(bytes);
    EXPECT_EQ(loaded.Get(DaysBeforeRemind), "3");
    EXPECT_EQ(SettingsToBytes(loaded), "3\r\n1\r\n0");
    EXPECT_EQ(ParseSettings(SettingsToBytes(loaded)).slots, loaded.slots);
}

// A doubled mark used to make the count unreadable, so the list loaded empty
// and was lost at the next save.
TEST(FuzzRegressions, ListWithADoubledMarkKeepsItsEntries) {
    const BirthdayTable loaded =
        ParseList(std::string(Mark) + std::string(Mark) + "1\r\nAnna\r\n14\r\n2\r\n1980\r\n1\r\n1");
    ASSERT_EQ(loaded.Count(), 1);
    EXPECT_EQ(loaded.Row(0), (BirthdayEntry{"Anna", "14", "2", "1980", "1", "1"}));
}

}  // namespace
}  // namespace quillora
