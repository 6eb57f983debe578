#include "calc/day_change.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

constexpr std::int64_t Hour = 3600;

// A moment given by its UTC fields; the calendar's date values count the
// same seconds.
std::int64_t Utc(int year, int month, int day, int hour, int minute = 0, int second = 0) {
    return MakeDate(year, month, day, hour, minute, second);
}

// A zone whose offset from UTC is `before` until the moment `change` and
// `after` from then on.
LocalClockAt ZoneChangingAt(std::int64_t change, std::int64_t before, std::int64_t after) {
    return [=](std::int64_t utc) { return utc + (utc < change ? before : after); };
}

LocalClockAt FixedZone(std::int64_t offset) {
    return [=](std::int64_t utc) { return utc + offset; };
}

TEST(NextLocalMidnight, IsTheStartOfTheNextLocalDay) {
    const struct {
        std::int64_t now;
        std::int64_t offset;
        std::int64_t expected;
    } cases[] = {
        // In UTC+1 a quarter past three in the afternoon: midnight is 23:00 UTC.
        {Utc(2026, 12, 6, 14, 15), Hour, Utc(2026, 12, 6, 23)},
        // Month and year ends, a minute and a second before.
        {Utc(2026, 1, 31, 23, 59), 0, Utc(2026, 2, 1, 0)},
        {Utc(2026, 4, 30, 12), 0, Utc(2026, 5, 1, 0)},
        {Utc(2026, 12, 31, 23, 59, 59), 0, Utc(2027, 1, 1, 0)},
        // 29 February is a day of its own in leap years only.
        {Utc(2028, 2, 28, 10), 0, Utc(2028, 2, 29, 0)},
        {Utc(2028, 2, 29, 10), 0, Utc(2028, 3, 1, 0)},
        {Utc(2027, 2, 28, 10), 0, Utc(2027, 3, 1, 0)},
        // Exactly at midnight the next one is a whole day away.
        {Utc(2026, 12, 7, 0), 0, Utc(2026, 12, 8, 0)},
        // West of Greenwich the local day ends after the UTC one: UTC-5.
        {Utc(2026, 12, 31, 20), -5 * Hour, Utc(2027, 1, 1, 5)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextLocalMidnight(c.now, FixedZone(c.offset)), c.expected) << c.now;
    }
}

// Central Europe: summer time ends 25 October 2026 at 01:00 UTC (03:00 back
// to 02:00) and begins 29 March 2026 at 01:00 UTC (02:00 on to 03:00).
TEST(NextLocalMidnight, FollowsTheClockOnTheDaysOfADaylightSavingChange) {
    const LocalClockAt autumn = ZoneChangingAt(Utc(2026, 10, 25, 1), 2 * Hour, Hour);
    // 00:30 local on the 25-hour day: midnight is 23:00 UTC, not 22:00.
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 10, 24, 22, 30), autumn), Utc(2026, 10, 25, 23));
    // The evening before: still the change-free midnight.
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 10, 24, 12), autumn), Utc(2026, 10, 24, 22));

    const LocalClockAt spring = ZoneChangingAt(Utc(2026, 3, 29, 1), Hour, 2 * Hour);
    // 00:30 local on the 23-hour day: midnight is 22:00 UTC, not 23:00.
    EXPECT_EQ(NextLocalMidnight(Utc(2026, 3, 28, 23, 30), spring), Utc(2026, 3, 29, 22));
}

// Some zones moved their clocks at midnight itself.
TEST(NextLocalMidnight, FindsTheNewDayWhenTheClockJumpsOverMidnight) {
    // At 03:00 UTC local midnight (UTC-3) jumps to 01:00 (UTC-2): the new
    // day starts at that moment, an hour into it.
    const LocalClockAt forward = ZoneChangingAt(Utc(2018, 11, 4, 3), -3 * Hour, -2 * Hour);
    EXPECT_EQ(NextLocalMidnight(Utc(2018, 11, 3, 20), forward), Utc(2018, 11, 4, 3));
    // Back from midnight to 23:00: the last hour of the day comes twice, and
    // the new day starts after the second one.
    const LocalClockAt back = ZoneChangingAt(Utc(2019, 2, 17, 2), -2 * Hour, -3 * Hour);
    EXPECT_EQ(NextLocalMidnight(Utc(2019, 2, 16, 20), back), Utc(2019, 2, 17, 3));
}

}  // namespace
}  // namespace quillora
