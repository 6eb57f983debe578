#pragma once
// The rules of a birth date, in one place: the days of a month, which day
// and month name a real day of the year, the day a birthday falls on in a
// given year, and the age shown for an entry. The list, the reminder and the
// exports all ask here, so they agree about every birthday.
#include <cstdint>
#include <optional>

#include "calc/calendar.h"

namespace quillora {

// Days of `month` (1 to 12) in `year` of the Gregorian calendar, for any
// year (29 February in leap years); 0 for a number that names no month.
int DaysInMonth(std::int64_t year, std::int64_t month);

// Whether a day and month name a day of the calendar in some year:
// 29 February does, 31 April, day 0 and month 13 do not.
bool IsRealDayOfYear(std::int64_t day, std::int64_t month);

// Whether the entry's birthday is 29 February.
bool IsLeapDay(std::int64_t day, std::int64_t month);

// A day of the calendar with a year of any size.
struct BirthdayDay {
    std::int64_t year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const BirthdayDay&) const = default;
};

// The day on which the birthday of (day, month) falls in `year`:
// 29 February on 28 February in a common year; another pair that names no
// date on the first real date on or after it in calendar order (31 April on
// 1 May, day 0 on the 1st), or on 1 January of the next year when there is
// none (32 December, month 13).
BirthdayDay BirthdayIn(std::int64_t year, std::int64_t day, std::int64_t month);

// The first day from `today` on which the birthday falls (`today` itself on
// the birthday), and how many days away that is: 0 to 366.
BirthdayDay NextBirthday(std::int64_t day, std::int64_t month, CalendarDay today);
std::int64_t DaysToBirthday(std::int64_t day, std::int64_t month, CalendarDay today);

// Years completed on `today` by someone born on day/month/year, from the
// numbers alone (no date is built, so any numbers work, wrapping on
// overflow): the years between, less one while (month, day) is still ahead.
std::int64_t AgeOn(std::int64_t day, std::int64_t month, std::int64_t year, CalendarDay today);

// The age shown for an entry on `today`: only for a year from 1 on and an
// age of 0 or more (no year, year 0 or a year still to come show none).
std::optional<std::int64_t> ShownAge(std::int64_t day, std::int64_t month, std::int64_t year,
                                     CalendarDay today);

// The age shown for the birthday that falls in `birthdayYear`: the age that
// year brings (also when 29 February falls on 28 February), under the same
// rule as ShownAge.
std::optional<std::int64_t> ShownAgeAtBirthday(std::int64_t year, std::int64_t birthdayYear);

}  // namespace quillora
