// Copies that keep the user's list when a save cannot simply replace it: an
// unreadable list kept aside, a blocked save retried and then rescued, and
// the daily backups.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "driver.h"
#include "test_support.h"
#include "ui/ids.h"

namespace quillora::e2e {
namespace {

struct UnreadableCase {
    const char* name;
    std::string bytes;
    std::string loaded = "0\r\n";  // what the run loaded and wrote back
};

// Anna's list as an editor saves it "as Unicode": UTF-16 with its mark.
std::string Utf16List() {
    constexpr char bytes[] =
        "\xFF\xFE"
        "1\0\r\0\n\0A\0n\0n\0a\0\r\0\n\0";
    return std::string(bytes, sizeof bytes - 1);
}

class UnreadableList : public testing::TestWithParam<UnreadableCase> {};

TEST_P(UnreadableList, IsKeptAsideByteForByteAndTheUserToldOnce) {
    const Scenario scenario(CurrentTestName());
    scenario.GiveSettings(QuietSettings);
    scenario.GiveList(GetParam().bytes);

    Program program = scenario.Launch();
    const std::string aside = AcceptKeptAsideNotice(program, scenario);
    ASSERT_FALSE(aside.empty());
    HWND window = program.WaitForWindow(MainWindowTitle);
    ASSERT_NE(window, nullptr) << program.Describe();
    PostClose(window);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0)) << program.Describe();

    // The second start finds the list as the run wrote it and says nothing.
    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    EXPECT_EQ(ReadBytes(aside), GetParam().bytes);
    EXPECT_EQ(ReadBytes(scenario.ListFile()), GetParam().loaded);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableList,
    testing::Values(UnreadableCase{"Utf16", Utf16List()},
                    UnreadableCase{"LettersForTheCount", "two\r\nAnna\r\nBen\r\n14\r\n3\r\n2\r\n11"},
                    UnreadableCase{"NegativeCount", "-2\r\nAnna\r\nBen"},
                    UnreadableCase{"Garbage", std::string("\x01\x7F\xFF\xE9 $zz\n\x80\x9D\r\0\xC0", 14)},
                    // Ben added by hand without raising the count: the
                    // columns pair Anna with Ben's name as her day.
                    UnreadableCase{
                        "CountBelowTheLines",
                        "1\r\nAnna\r\nBen\r\n14\r\n3\r\n2\r\n11\r\n1980\r\n1975\r\n1\r\n0\r\n1\r\n1\r\n",
                        "1\r\nAnna\r\nBen\r\n14\r\n3\r\n2\r\n11"}),
    [](const testing::TestParamInfo<UnreadableCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------

using BlockedSave = ProgramOnList;

// A scanner or sync client holding the list for a moment (reading, without
// delete sharing) delays the save; a stale temporary file from an earlier
// crash is no obstacle either.
TEST_F(BlockedSave, AListHeldForASecondIsSaved) {
    ASSERT_NO_FATAL_FAILURE(StartAndDeleteBen());
    const std::string stale = scenario_->ListFile() + ".new";
    ASSERT_TRUE(WriteBytes(stale, "half a list"));
    SetFileAttributesA(stale.c_str(), FILE_ATTRIBUTE_READONLY);
    FileLock lock(scenario_->ListFile(), FILE_SHARE_READ);
    ASSERT_TRUE(lock.Held());
    PostCommand(main_, QuitCommand);
    EXPECT_FALSE(program_.WaitForExit(Millis(1000)).has_value());
    lock.Release();
    EXPECT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes({Anna}));
    EXPECT_FALSE(Exists(stale));
}

// Held through the whole quit, the list cannot be saved: the user is told,
// and the run's table is kept whole as a rescue copy in the settings folder.
TEST_F(BlockedSave, AListHeldThroughTheQuitEndsInARescueCopy) {
    ASSERT_NO_FATAL_FAILURE(StartAndDeleteBen());
    const FileLock lock(scenario_->ListFile(), FILE_SHARE_READ);
    ASSERT_TRUE(lock.Held());
    const DWORD start = GetTickCount();
    PostCommand(main_, QuitCommand);
    const std::optional<MessageBoxView> failed = program_.WaitForMessageBox();
    std::printf("the save was given up after %lu ms\n", static_cast<unsigned long>(GetTickCount() - start));
    ASSERT_NO_FATAL_FAILURE(ExpectErrorBox(failed, "COULDNT SAVE THE BIRTHDAY-LIST!", program_));
    PressDialogButton(failed->window, IDOK);
    EXPECT_EQ(ReadBytes(AcceptRescueNotice(program_, *scenario_, failed->window)), ListBytes({Anna}));
    EXPECT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
}

// ---------------------------------------------------------------------------

// The list as it was before the day's first save is kept; the backups of the
// fourteen newest days with saves stay, older ones go.
TEST(DailyBackups, KeepTheDaysFirstListAndRotateAtFourteen) {
    const Scenario scenario(CurrentTestName());
    scenario.GiveSettings(QuietSettings);
    scenario.GiveList(TwoEntryList());
    const std::string backups = scenario.ListFolder() + "\\Backups";
    const Day today = LocalToday();
    std::vector<std::string> expected{"list-" + DateText(today) + ".txt"};
    for (int daysAgo = 1; daysAgo <= 14; ++daysAgo) {
        const std::string name = "list-" + DateText(DaysFrom(today, -daysAgo)) + ".txt";
        ASSERT_TRUE(WriteBytes(backups + "\\" + name, "an older list " + name));
        if (daysAgo < 14) expected.push_back(name);
    }
    ASSERT_TRUE(WriteBytes(backups + "\\notes.txt", "mine"));
    expected.push_back("notes.txt");
    std::sort(expected.begin(), expected.end());

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    EXPECT_EQ(FolderEntries(backups), expected);
    EXPECT_EQ(ReadBytes(backups + "\\list-" + DateText(today) + ".txt"), TwoEntryList());

    // A later save of the same day keeps the day's first list.
    scenario.GiveList(ListBytes({Anna}));
    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    EXPECT_EQ(FolderEntries(backups), expected);
    EXPECT_EQ(ReadBytes(backups + "\\list-" + DateText(today) + ".txt"), TwoEntryList());
    EXPECT_EQ(ReadBytes(scenario.ListFile()), ListBytes({Anna}));
}

}  // namespace
}  // namespace quillora::e2e
