#include "storage/safekeeping.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

namespace quillora {
namespace {

TEST(UnreadableList, AFirstLineWithoutACountBeforeMoreLines) {
    // Saved as UTF-16 by an editor: the zero bytes end the first line early.
    constexpr char Utf16[] =
        "\xFF\xFE"
        "2\0\r\0\n\0A\0n\0n\0a\0";
    const std::string utf16(Utf16, sizeof Utf16 - 1);
    EXPECT_TRUE(IsUnreadableList(utf16));
    EXPECT_TRUE(IsUnreadableList("two\r\nAnna\r\n14"));
    EXPECT_TRUE(IsUnreadableList("-2\r\nAnna\r\nBen"));
    EXPECT_TRUE(IsUnreadableList("\r\nAnna"));
    EXPECT_TRUE(IsUnreadableList("$\r\nAnna"));
    EXPECT_TRUE(IsUnreadableList("- 2\r\nAnna"));
}

TEST(UnreadableList, OrdinaryListsAndFilesWithNothingToLose) {
    const std::string anna = "\r\nAnna\r\n14\r\n2\r\n1980\r\n1\r\n1";
    EXPECT_FALSE(IsUnreadableList(""));
    EXPECT_FALSE(IsUnreadableList("0\r\n"));
    EXPECT_FALSE(IsUnreadableList("0"));
    EXPECT_FALSE(IsUnreadableList("  1 entry" + anna));
    EXPECT_FALSE(IsUnreadableList("$1" + anna));
    EXPECT_FALSE(IsUnreadableList("%1" + anna));
    EXPECT_FALSE(IsUnreadableList("+1" + anna + "\r\n"));
    EXPECT_FALSE(
        IsUnreadableList("\xEF\xBB\xBF"
                         "1" +
                         anna));  // a UTF-8 mark is skipped
    // A single line holds no entry that could be lost.
    EXPECT_FALSE(IsUnreadableList("letters"));
    EXPECT_FALSE(IsUnreadableList("letters\r\n"));
    EXPECT_FALSE(IsUnreadableList("3\r\n"));
}

// Every count against every number of lines, with each kind of line end and
// with or without one after the last line: only six lines per counted entry
// read as meant, the last of them (an empty Mark) perhaps only a line end.
TEST(UnreadableList, LinesThatAreNotSixPerCountedEntry) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const std::string twoEnds = end + end;
        for (int count = 0; count <= 4; ++count) {
            for (int lines = 1; lines <= 30; ++lines) {
                std::string file = std::to_string(count);
                for (int line = 0; line < lines; ++line)
                    file.append(end).append("x").append(std::to_string(line));
                const auto kept = [&](int read, bool ended) {
                    return read != 6 * count && !(ended && read + 1 == 6 * count);
                };
                EXPECT_EQ(IsUnreadableList(file), kept(lines, false)) << count << " / " << lines;
                EXPECT_EQ(IsUnreadableList(file + end), kept(lines, true))
                    << count << " / " << lines << " ended";
                EXPECT_EQ(IsUnreadableList(file + twoEnds), kept(lines + 1, true))
                    << "an empty line is a line";
            }
        }
    }
    // Six times this count wraps around to 2 in 64 bits.
    EXPECT_TRUE(IsUnreadableList("3074457345618258603\r\nA\r\nB"));
}

TEST(CopyNames, CarryTheDateAndTimeWithLeadingZeros) {
    const LocalTime when{{2026, 3, 7}, 9, 5, 59};
    EXPECT_EQ(UnreadableCopyName(when), "list (unreadable 2026-03-07 0905).txt");
    EXPECT_EQ(OtherVersionCopyName(when), "list (other version 2026-03-07 0905).txt");
    EXPECT_EQ(RescueCopyName(when), "list-unsaved-2026-03-07-0905.txt");
    EXPECT_EQ(DailyBackupName(when), "list-2026-03-07.txt");
}

TEST(CopyNames, AFreeNameNeverReplacesAnotherFile) {
    std::set<std::string> existing;
    const auto taken = [&](const std::string& name) { return existing.count(name) > 0; };
    EXPECT_EQ(FreeName("list-unsaved-2026-12-07-1530.txt", taken), "list-unsaved-2026-12-07-1530.txt");
    existing = {"a.txt", "a (2).txt"};
    EXPECT_EQ(FreeName("a.txt", taken), "a (3).txt");
    existing = {"noext"};
    EXPECT_EQ(FreeName("noext", taken), "noext (2)");
}

TEST(DailyBackups, TheFourteenNewestDaysStayAndNothingElseIsRemoved) {
    std::vector<std::string> entries{"README.txt", "list-2026-1-07.txt", "list-2026-12-07.txt.tmp",
                                     "list (unreadable 2026-12-07 1530).txt"};
    for (int day = 1; day <= 15; ++day) {
        entries.push_back(DailyBackupName({{2026, 11, day}}));
    }
    entries.push_back(DailyBackupName({{2025, 12, 31}}));  // oldest, across a year end
    EXPECT_EQ(BackupsToRemove(entries),
              (std::vector<std::string>{"list-2025-12-31.txt", "list-2026-11-01.txt"}));
    entries.resize(entries.size() - 2);
    EXPECT_EQ(BackupsToRemove(entries), std::vector<std::string>{});
    EXPECT_EQ(BackupsToRemove(entries, 0).size(), 14u);
}

TEST(SaveRetries, GrowAndTakeAboutTwoSeconds) {
    const std::vector<int> pauses = SaveRetryPauses();
    ASSERT_FALSE(pauses.empty());
    EXPECT_TRUE(std::is_sorted(pauses.begin(), pauses.end()));
    EXPECT_LT(pauses.front(), pauses.back());
    const int total = std::accumulate(pauses.begin(), pauses.end(), 0);
    EXPECT_GE(total, 1500);
    EXPECT_LE(total, 2500);
}

}  // namespace
}  // namespace quillora
