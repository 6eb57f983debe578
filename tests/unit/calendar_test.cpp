#include "storage/calendar.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

TEST(MakeDate, AcceptsOnlyRealDatesAndTimes) {
    const struct {
        int year, month, day, hour, minute, second;
        DateValue value;
    } cases[] = {
        {1970, 1, 1, 0, 0, 0, 0},
        {1970, 1, 1, 1, 0, 0, 3'600},
        {1970, 1, 1, 23, 59, 59, 86'399},
        {2038, 1, 19, 3, 14, 8, 2'147'483'648},  // past the 32-bit limit
        {2024, 2, 29, 0, 0, 0, 1'709'164'800},
        {2023, 2, 29, 0, 0, 0, InvalidDate},
        {1900, 2, 29, 0, 0, 0, InvalidDate},
        {2024, 4, 31, 0, 0, 0, InvalidDate},
        {2024, 11, 31, 0, 0, 0, InvalidDate},
        {2024, 13, 1, 0, 0, 0, InvalidDate},
        {2024, 0, 1, 0, 0, 0, InvalidDate},
        {2024, 5, 0, 0, 0, 0, InvalidDate},
        {2024, 5, 32, 0, 0, 0, InvalidDate},
        {2024, 5, 1, 24, 0, 0, InvalidDate},
        {2024, 5, 1, 0, 60, 0, InvalidDate},
        {2024, 5, 1, 0, 0, -1, InvalidDate},
        {1969, 12, 31, 23, 59, 59, InvalidDate},
        {0, 1, 1, 0, 0, 0, InvalidDate},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeDate(c.year, c.month, c.day, c.hour, c.minute, c.second), c.value)
            << c.year << '-' << c.month << '-' << c.day << ' ' << c.hour << ':' << c.minute << ':'
            << c.second;
    }
}

// Walks day by day from 1970 to 2400 and checks the arithmetic against plain
// counting of month lengths.
TEST(Calendar, FieldsMatchDayByDayCounting) {
    int daysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::int64_t dayNumber = 0;
    for (int year = 1970; year <= 2400; ++year) {
        daysInMonth[1] = IsLeapYear(year) ? 29 : 28;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= daysInMonth[month - 1]; ++day, ++dayNumber) {
                const DateValue date = MakeDate(year, month, day, 12, 0, 0);
                ASSERT_EQ(date, dayNumber * SecondsPerDay + 43'200) << year << '-' << month << '-' << day;
                ASSERT_EQ(DaysBetween({1970, 1, 1}, {year, month, day}), dayNumber);
                ASSERT_EQ(ShiftedDay({1970, 1, 1}, dayNumber), (CalendarDay{year, month, day}));
                ASSERT_TRUE(IsRealDate(year, month, day));
            }
            ASSERT_EQ(DaysInMonth(year, month), daysInMonth[month - 1]) << year << '-' << month;
        }
    }
}

TEST(Calendar, ARealDateHasAYearFromOneTo9999AndADayThatExists) {
    EXPECT_TRUE(IsRealDate(1, 1, 1) && IsRealDate(9999, 12, 31) && IsRealDate(2000, 2, 29));
    EXPECT_FALSE(IsRealDate(0, 1, 1) || IsRealDate(10000, 1, 1) || IsRealDate(-4, 1, 1) ||
                 IsRealDate(2023, 2, 29) || IsRealDate(2024, 4, 31) || IsRealDate(2024, 13, 1) ||
                 IsRealDate(2024, 1, 0));
}

// Days count on past the last year an int holds.
TEST(Calendar, DaysCountPastTheYearsOfAnInt) {
    constexpr std::int64_t last = 2'147'483'647;
    EXPECT_EQ(ShiftedDay({last, 12, 31}, 1), (CalendarDay{last + 1, 1, 1}));
    EXPECT_EQ(DaysBetween({last, 12, 31}, {last + 1, 1, 1}), 1);
    EXPECT_EQ(FormatDate("%yyyy-%mm-%dd", {last + 1, 1, 1}), "2147483648-01-01");
}

TEST(FormatDate, ReplacesTheThreeCodesInAnyCase) {
    const CalendarDay march5{2026, 3, 5};
    EXPECT_EQ(FormatDate("%dd", march5), "05");
    EXPECT_EQ(FormatDate("%mm", march5), "03");
    EXPECT_EQ(FormatDate("%yyyy", march5), "2026");
    EXPECT_EQ(FormatDate("%DD/%Mm/%yYyY", march5), "05/03/2026");
    EXPECT_EQ(FormatDate("%y %yy %d %m 100%", march5), "%y %yy %d %m 100%");
    EXPECT_EQ(FormatDate("%%dd", march5), "%05");
    EXPECT_EQ(FormatDate("%yyyy", CalendarDay{12345, 1, 1}), "12345");
}

}  // namespace
}  // namespace quillora
