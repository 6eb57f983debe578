#include "storage/safekeeping.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

namespace quillora {
namespace {

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
