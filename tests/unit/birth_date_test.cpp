#include "calc/birth_date.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillora {
namespace {

constexpr CalendarDay Dec6th2026{2026, 12, 6};

TEST(BirthDate, AgeAndDaysLeftAroundToday) {
    const struct {
        CalendarDay today;
        std::int64_t day, month, year;
        std::int64_t age, daysLeft;
    } cases[] = {
        {Dec6th2026, 6, 12, 2000, 26, 0},
        {Dec6th2026, 7, 12, 2000, 25, 1},
        {Dec6th2026, 5, 12, 2000, 26, 364},
        {Dec6th2026, 1, 1, 1990, 36, 26},
        {Dec6th2026, 1, 1, 2030, -4, 26},
        {Dec6th2026, 1, 1, 0, 2026, 26},
        {Dec6th2026, 31, 12, 0, 2025, 25},
        {{2026, 1, 1}, 31, 12, 2000, 25, 364},
        {{2026, 12, 31}, 1, 1, 2000, 26, 1},
        {{2023, 3, 15}, 15, 3, 2000, 23, 0},
        {{2023, 3, 15}, 14, 3, 2000, 23, 365},
        {{2023, 3, 15}, 16, 3, 2000, 22, 1},
        {{2024, 3, 15}, 14, 3, 2000, 24, 364},
        {{2024, 2, 29}, 1, 1, 2000, 24, 307},
        {{2024, 2, 29}, 29, 2, 2000, 24, 0},
        {{2028, 1, 1}, 29, 2, 2000, 27, 59},
        // 29 February in a common year: the count reaches 0 on 28 February
        // (as the reminder and the calendar export have it); the age by its
        // formula turns on 1 March.
        {{2023, 2, 27}, 29, 2, 2000, 22, 1},
        {{2023, 2, 28}, 29, 2, 2000, 22, 0},
        {{2023, 3, 1}, 29, 2, 2000, 23, 365},
        {{2100, 3, 1}, 29, 2, 2000, 100, 364},  // 2101 is common: 28 February 2101
        {{2099, 3, 1}, 29, 2, 2000, 99, 364},   // 2100 is common, not leap
        // Day and month naming no date count to the next real date.
        {Dec6th2026, 31, 4, 2000, 26, 146},  // 1 May
        {Dec6th2026, 0, 12, 2000, 26, 360},  // 1 December
        {Dec6th2026, 32, 12, 2000, 25, 26},  // 1 January
        {Dec6th2026, 1, 13, 2000, 25, 26},   // 1 January
        {Dec6th2026, 5, 0, 2000, 26, 26},    // 1 January
        {{2027, 1, 1}, 1, 13, 2000, 26, 0},
    };
    for (const auto& c : cases) {
        const std::string label = std::to_string(c.day) + "." + std::to_string(c.month) + " on " +
                                  std::to_string(c.today.day) + "." + std::to_string(c.today.month) + "." +
                                  std::to_string(c.today.year);
        EXPECT_EQ(AgeOn({c.day, c.month, c.year}, c.today), c.age) << label;
        EXPECT_EQ(DaysToBirthday({c.day, c.month}, c.today), c.daysLeft) << label;
    }
}

// Over three years, for every real and some odd day-month pairs: the figure
// stays within a year, counts down by one a day, and reaches 0 exactly on a
// day that AGE goes up; only 29 February of a common year reaches 0 a day
// before, on 28 February.
TEST(BirthDate, DaysLeftCountsDownToTheDayTheAgeChanges) {
    const std::pair<int, int> odd[] = {{0, 1}, {31, 4}, {32, 12}, {1, 13}, {-5, 0}, {99, 2}};
    std::vector<std::pair<int, int>> birthdays(std::begin(odd), std::end(odd));
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonth(2024, month); ++day)
            birthdays.emplace_back(day, month);
    }
    for (CalendarDay today{2023, 1, 1}; today.year <= 2025; today = ShiftedDay(today, 1)) {
        const CalendarDay yesterday = ShiftedDay(today, -1);
        const CalendarDay tomorrow = ShiftedDay(today, 1);
        for (const auto& [day, month] : birthdays) {
            const std::int64_t left = DaysToBirthday({day, month}, today);
            const bool early = day == 29 && month == 2 && !IsLeapYear(today.year);
            const CalendarDay ageDay = early ? tomorrow : today;
            const CalendarDay dayBefore = early ? today : yesterday;
            const bool ageChanges = AgeOn({day, month, 2000}, ageDay) != AgeOn({day, month, 2000}, dayBefore);
            const std::string label = std::to_string(day) + "." + std::to_string(month) + " on " +
                                      FormatDate("%yyyy-%mm-%dd", today);
            ASSERT_GE(left, 0) << label;
            ASSERT_LE(left, 366) << label;
            ASSERT_EQ(left == 0, ageChanges) << label;
            if (left > 0) {
                ASSERT_EQ(DaysToBirthday({day, month}, tomorrow), left - 1) << label;
            }
        }
    }
}

TEST(BirthDate, AgeOfArbitraryNumbersWrapsWithoutFaulting) {
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(AgeOn({0, 0, min}, Dec6th2026), min + 2026);
    EXPECT_EQ(AgeOn({max, max, -1}, Dec6th2026), 2026);
    EXPECT_EQ(DaysToBirthday({max, max}, Dec6th2026), 26);
    EXPECT_EQ(DaysToBirthday({min, min}, Dec6th2026), 26);
}

// The day after the last one an int can count still has a year: the
// next-birthday search once overflowed there (found by the fuzzer).
TEST(BirthDate, TheBirthdayAfterTheLastDayAnIntCountsHasItsYear) {
    constexpr std::int64_t last = INT_MAX;
    const CalendarDay lastDay{last, 12, 31};
    EXPECT_EQ(NextBirthday({1, 1}, lastDay), (CalendarDay{last + 1, 1, 1}));
    EXPECT_EQ(DaysToBirthday({1, 1}, lastDay), 1);
    EXPECT_EQ(DaysToBirthday({1, 13}, lastDay), 1);
    EXPECT_EQ(DaysToBirthday({31, 12}, lastDay), 0);
}

// Which numbers are a year, a real date, a day of the year; and what the
// files are given of each.
TEST(BirthDate, YearsRealDatesAndWhatTheFilesCarry) {
    const struct {
        BirthDate date;
        bool hasYear;
        std::optional<CalendarDay> realDay;
        std::optional<BirthDate> known;
    } cases[] = {
        {{14, 2, 1980}, true, CalendarDay{1980, 2, 14}, BirthDate{14, 2, 1980}},
        {{14, 2, NoYear}, false, std::nullopt, BirthDate{14, 2, NoYear}},
        {{14, 2, -3}, false, std::nullopt, BirthDate{14, 2, NoYear}},
        {{14, 2, 10000}, true, std::nullopt, BirthDate{14, 2, NoYear}},
        {{29, 2, 2000}, true, CalendarDay{2000, 2, 29}, BirthDate{29, 2, 2000}},
        {{29, 2, 1981}, true, std::nullopt, BirthDate{29, 2, NoYear}},
        {{31, 4, 1980}, true, std::nullopt, std::nullopt},
        {{0, 1, 1980}, true, std::nullopt, std::nullopt},
        {{1, 13, 1980}, true, std::nullopt, std::nullopt},
        {{1, std::int64_t{1} << 40, 1980}, true, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::string label = std::to_string(c.date.day) + "." + std::to_string(c.date.month) + "." +
                                  std::to_string(c.date.year);
        EXPECT_EQ(HasYear(c.date), c.hasYear) << label;
        EXPECT_EQ(RealDay(c.date), c.realDay) << label;
        EXPECT_EQ(KnownDate(c.date), c.known) << label;
        EXPECT_EQ(IsRealDayOfYear(c.date), c.known.has_value()) << label;
    }
}

}  // namespace
}  // namespace quillora
