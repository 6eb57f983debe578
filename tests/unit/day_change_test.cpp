#include "calc/day_change.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

// A moment given as a UTC wall-clock reading.
UtcSeconds Utc(int year, int month, int day, int hour, int minute = 0, int second = 0) {
    return MakeDate(year, month, day, hour, minute, second);
}

// A time zone `before` hours from UTC until `change`, `after` hours from it.
LocalClockAt Zone(int before, UtcSeconds change = 0, int after = 0) {
    return
        [=](UtcSeconds moment) { return moment + std::int64_t{3600} * (moment < change ? before : after); };
}

TEST(NextLocalMidnight, IsTheStartOfTheNextDayAcrossMonthAndYearEndsAndLeapDays) {
    const LocalClockAt utc = Zone(0, 0, 0);
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 1, 31, 13), utc), Utc(2026, 2, 1, 0));
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 12, 31, 23, 59, 59), utc), Utc(2027, 1, 1, 0));
    EXPECT_EQ(NextLocalMidnight(Utc(2028, 2, 28, 10), utc), Utc(2028, 2, 29, 0));
    EXPECT_EQ(NextLocalMidnight(Utc(2028, 2, 29, 0), utc), Utc(2028, 3, 1, 0));
    EXPECT_EQ(NextLocalMidnight(Utc(2027, 2, 28, 0, 0, 1), utc), Utc(2027, 3, 1, 0));
    // After 2038 too.
    EXPECT_EQ(NextLocalMidnight(Utc(2040, 6, 30, 18), utc), Utc(2040, 7, 1, 0));
}

TEST(NextLocalMidnight, CountsInTheLocalZone) {
    // Nine hours ahead of UTC: local midnight is 15:00 UTC the day before.
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 12, 31, 16), Zone(9, 0, 9)), Utc(2027, 1, 1, 15));
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 12, 31, 14), Zone(9, 0, 9)), Utc(2026, 12, 31, 15));
    // Five hours behind.
    EXPECT_EQ(NextLocalMidnight(Utc(2027, 1, 1, 2), Zone(-5, 0, -5)), Utc(2027, 1, 1, 5));
}

TEST(NextLocalMidnight, DaysWithAClockChange) {
    // Summer time begins at 01:00 UTC on 29 March (local 02:00 becomes 03:00):
    // that day lasts 23 hours.
    const LocalClockAt spring = Zone(1, Utc(2026, 3, 29, 1), 2);
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 3, 28, 12), spring), Utc(2026, 3, 28, 23));
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 3, 28, 23, 30), spring), Utc(2026, 3, 29, 22));
    // Summer time ends at 01:00 UTC on 25 October: a day of 25 hours.
    const LocalClockAt autumn = Zone(2, Utc(2026, 10, 25, 1), 1);
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 10, 24, 22, 30), autumn), Utc(2026, 10, 25, 23));
    // Clocks that jump from 00:00 to 01:00: the new day begins at 01:00.
    const LocalClockAt jumpOverMidnight = Zone(-3, Utc(2026, 11, 1, 3), -2);
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 10, 31, 20), jumpOverMidnight), Utc(2026, 11, 1, 3));
    // Clocks that go back from 00:00 to 23:00: the day ends an hour later.
    const LocalClockAt backOverMidnight = Zone(-2, Utc(2027, 2, 21, 2), -3);
    EXPECT_EQ(NextLocalMidnight(Utc(2027, 2, 20, 20), backOverMidnight), Utc(2027, 2, 21, 3));
}

TEST(NextLocalMidnight, AlwaysLaterAndNeverFarEvenForABrokenClock) {
    const UtcSeconds now = Utc(2026, 12, 7, 13);
    const UtcSeconds broken = NextLocalMidnight(now, [](UtcSeconds) { return InvalidDate; });
    EXPECT_GT(broken, now);
    EXPECT_LE(broken - now, 2 * SecondsPerDay + 3600);
    // The timer waits until a second after midnight.
    EXPECT_EQ(MillisecondsToNextLocalDay(Utc(2026, 12, 7, 23, 59, 0), Zone(0, 0, 0)), 61'000);
}

}  // namespace
}  // namespace quillora
