#pragma once
// Quillora's own small calendar and its one reading of the local clock. A
// date is a CalendarDay; only the local wall clock, for the moment the day
// changes, is a date value: the seconds since 1970-01-01 00:00:00, every day
// 86,400 seconds long (no time zone, no daylight saving), 64 bits wide, so
// dates after 2038 work. The list's backups are named by the clock too, so the
// calendar lies below everything that stores, counts or shows a date.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillora {

using DateValue = std::int64_t;
inline constexpr DateValue InvalidDate = -1;
inline constexpr std::int64_t SecondsPerDay = 86'400;

bool IsLeapYear(std::int64_t year);

// -1 for any field out of range (no normalisation: 31 April is invalid, not
// 1 May) and for dates before 1970.
DateValue MakeDate(int year, int month, int day, int hour, int minute, int second);

// Days of `month` (1 to 12) in `year` of the Gregorian calendar, for any
// year (29 February in leap years); 0 for a number that names no month.
int DaysInMonth(std::int64_t year, std::int64_t month);

// Whether the numbers name a real date: a year from 1 to 9999 and a day
// that exists in it.
bool IsRealDate(std::int64_t year, std::int64_t month, std::int64_t day);

// A day of the calendar as plain numbers (today's D, M and Y). The year is
// wider than an int: the birthday after a last day an int can count still
// has a year.
struct CalendarDay {
    std::int64_t year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const CalendarDay&) const = default;
};

// The local wall clock to the second.
struct LocalTime {
    CalendarDay day;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The local date and time now (GetLocalTime on Windows): the program's one
// reading of the local clock, for today's figures and the copies' names alike.
LocalTime LocalNow();

// The local day now.
CalendarDay Today();

// Replaces "%yyyy", "%mm" and "%dd" (any letter case) by the year, month and
// day; every other character is copied.
std::string FormatDate(std::string_view mask, CalendarDay day);

// The day `days` after `day` (before it when negative), and the days from
// one day to another.
CalendarDay ShiftedDay(CalendarDay day, std::int64_t days);
std::int64_t DaysBetween(CalendarDay from, CalendarDay to);

// Seconds since 1970-01-01 00:00:00 UTC.
using UtcSeconds = std::int64_t;

// The system's clock for the moment the day changes: UTC now, and the local
// wall clock at any moment as a date value (on Windows from the system's time
// zone rules, so daylight saving is taken into account).
UtcSeconds UtcNow();
DateValue LocalClockOfSystem(UtcSeconds moment);

}  // namespace quillora
