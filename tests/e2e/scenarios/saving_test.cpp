// Quitting Quillora: what it writes into the list file and the settings
// file, byte for byte, for the files users and other tools really leave.
#include <gtest/gtest.h>

#include "driver.h"
#include "test_support.h"

namespace quillora::e2e {
namespace {

struct FileCase {
    const char* name;
    std::string given;
    std::string written;
    ListAtStart list = ListAtStart::Readable;
};

void PrintTo(const FileCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<FileCase> ListCases() {
    const std::string two = TwoEntryList();
    std::vector<Entry> oneNamed{NameOnly("Anna")};
    for (int i = 1; i < 102; ++i)
        oneNamed.push_back(NameOnly(""));
    const std::string blanks = ListBytes({{"  Anna", "1", "1", "2000", "0", "1"},
                                          {"Ben  ", "2", "2", "2001", "1", "1"},
                                          {"", "3", "3", "2002", "0", "1"},
                                          {" ", "", "", "", "", ""}});
    // Bytes of the ANSI code page, leading zeros, numbers out of range.
    const std::string asTyped = ListBytes({{"O'Brien-M\xFCller", "07", "012", "0", "5", "x"}});
    // (Empty, plain and LF-only lists come back in the start-up and quit scenarios.)
    return {
        {"CarriageReturnsOnly", WithLineEnd(two, "\r\n", "\r"), two},
        {"ZeroBytesAsLineEnds", WithLineEnd(two, "\r\n", std::string_view("\0", 1)), two},
        {"LineEndAfterTheLastLine", two + "\r\n", two},
        {"ByteOrderMark", "\xEF\xBB\xBF" + two, two},
        {"BlanksAroundNamesAndEmptyNames", blanks, blanks},
        {"TextsKeptAsTyped", asTyped, asTyped},
        // Lines that are not six per counted entry: kept aside at start-up
        // (see UnreadableList), then read as always.
        {"CountAboveTheLines", "3\r\nAnna\r\nBen",
         ListBytes({NameOnly("Anna"), NameOnly("Ben"), NameOnly("")}), ListAtStart::KeptAside},
        {"CountWithBlanksAndAWord", WithLineEnd(two, "2\r\nAnna", "  2 entries\r\nAnna"), two},
        // A count of letters or a negative one: see UnreadableList, the
        // file is kept aside before the save.
        {"LinesAfterTheLastBlock", two + "\r\nleft over\r\n7", two, ListAtStart::KeptAside},
        {"HundredAndFiftyEntries", ListBytes(ManyEntries(150)), ListBytes(ManyEntries(150))},
        // A count far beyond the file: no more rows than the table holds.
        {"HugeCountOnAShortFile", "1000000\r\nAnna", ListBytes(oneNamed), ListAtStart::KeptAside},
    };
}

class SavedList : public testing::TestWithParam<FileCase> {};

TEST_P(SavedList, QuittingWritesTheTableBack) {
    const Scenario scenario(CurrentTestName());
    scenario.GiveSettings(QuietSettings);
    scenario.GiveList(GetParam().given);
    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario, {}, GetParam().list));
    const std::optional<std::string> written = ReadBytes(scenario.ListFile());
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Files, SavedList, testing::ValuesIn(ListCases()),
                         [](const testing::TestParamInfo<FileCase>& info) { return info.param.name; });

TEST(SavedListFile, PreviousListIsKeptAsBackupAndNothingElseIsLeft) {
    const Scenario scenario(CurrentTestName());
    const std::string given = WithLineEnd(TwoEntryList(), "\r\n", "\n");
    scenario.GiveSettings(QuietSettings);
    scenario.GiveList(given);

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario, {}, ListAtStart::Readable, [&](HWND) {
        // Nothing is written while the program runs.
        EXPECT_EQ(ReadBytes(scenario.ListFile()), given);
        EXPECT_EQ(FolderEntries(scenario.ListFolder()), std::vector<std::string>{"list.txt"});
    }));
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
    EXPECT_EQ(ReadBytes(scenario.ListFile() + ".bak"), given);
    EXPECT_EQ(FolderEntries(scenario.ListFolder()),
              (std::vector<std::string>{"Backups", "list.txt", "list.txt.bak"}));
    EXPECT_EQ(FolderEntries(scenario.ListFolder() + "\\Backups").size(), 1u);
    EXPECT_EQ(FolderEntries(scenario.SettingsFolder()),
              (std::vector<std::string>{"config.txt", "list-shared-base.txt"}));
}

std::vector<FileCase> SettingsCases() {
    return {
        // (Three lines, with or without a last line end: the main window's quits.)
        {"FiveLines", "2\r\n1\r\n1\r\nfour\r\nfive", "2\r\n1\r\n1"},
        {"MoreThanFiveLines", "2\r\n1\r\n1\r\nfour\r\nfive\r\nsix\r\nseven", "2\r\n1\r\n1"},
        {"LineFeedsOnly", "4\n0\n1", "4\r\n0\r\n1"},
        {"TextsKeptAsTheyAre", "06\r\n 1\r\n1", "06\r\n 1\r\n1"},
        {"ByteOrderMark",
         "\xEF\xBB\xBF"
         "5\r\n1\r\n1",
         "5\r\n1\r\n1"},
    };
}

class SavedSettings : public testing::TestWithParam<FileCase> {};

TEST_P(SavedSettings, QuittingWritesThreeLines) {
    const Scenario scenario(CurrentTestName());
    scenario.GiveSettings(GetParam().given);
    scenario.GiveList("0\r\n");
    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    const std::optional<std::string> written = ReadBytes(scenario.SettingsFile());
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Files, SavedSettings, testing::ValuesIn(SettingsCases()),
                         [](const testing::TestParamInfo<FileCase>& info) { return info.param.name; });

}  // namespace
}  // namespace quillora::e2e
