#pragma once
// An entry's birth date and its rules, in one place: its Day, Month and Year
// texts read once, which of them name a real day, the day a birthday falls
// on, and the age shown. The list, the reminder and the exports all ask
// here, so they agree about every birthday.
#include <cstdint>
#include <optional>
#include <string>

#include "storage/birthday_table.h"
#include "storage/calendar.h"

namespace quillora {

// A birth date as numbers, whatever they name: an entry's texts as read, or
// a date of a contact file. It becomes a CalendarDay only where a real date
// is needed (RealDay, NextBirthday).
struct BirthDate {
    std::int64_t day = 0;
    std::int64_t month = 0;
    std::int64_t year = 0;

    bool operator==(const BirthDate&) const = default;
};

// The year of a birth date whose year is not known, as the program writes it.
inline constexpr std::int64_t NoYear = 0;

// Whether the birth date has a year: one from 1 on. Every other (none, 0, a
// negative number, letters) is no year: no age is shown, the files carry the
// day and month alone, and any year of another date may be the same person's.
bool HasYear(const BirthDate& date);

// The entry's Day, Month and Year texts read as numbers; nothing else reads
// them.
BirthDate BirthDateOf(const BirthdayEntry& entry);

// Whether day and month name a day of the calendar in some year:
// 29 February does, 31 April, day 0 and month 13 do not.
bool IsRealDayOfYear(const BirthDate& date);

// Whether the birthday is 29 February.
bool IsLeapDay(const BirthDate& date);

// The date as the files carry it: nothing unless day and month name a real
// day of the year; the year kept only where the date is real in it
// (IsRealDate), NoYear otherwise.
std::optional<BirthDate> KnownDate(const BirthDate& date);

// The birth date as a day of the calendar, when it is a real date (IsRealDate).
std::optional<CalendarDay> RealDay(const BirthDate& date);

// The first day from `today` on which the birthday falls (`today` itself on
// the birthday): 29 February on 28 February in a common year; a day and
// month that name no date on the first real date on or after it in calendar
// order (31 April on 1 May, day 0 on the 1st), or on 1 January of the next
// year when there is none (32 December, month 13). And how many days away
// that is: 0 to 366.
CalendarDay NextBirthday(const BirthDate& date, CalendarDay today);
std::int64_t DaysToBirthday(const BirthDate& date, CalendarDay today);

// Years completed on `today`, from the numbers alone (no date is built, so
// any numbers work, wrapping on overflow): the years between, less one
// while (month, day) is still ahead.
std::int64_t AgeOn(const BirthDate& date, CalendarDay today);

// The age shown on `today`: only for a date with a year (HasYear) and an age
// of 0 or more (a year still to come shows none).
std::optional<std::int64_t> ShownAge(const BirthDate& date, CalendarDay today);

// The age shown for the birthday that falls in `birthdayYear`: the age that
// year brings (also when 29 February falls on 28 February), under the same
// rule as ShownAge.
std::optional<std::int64_t> ShownAgeAtBirthday(const BirthDate& date, std::int64_t birthdayYear);

// An age as the list and the reminder show it: the number, empty for none.
std::string AgeText(std::optional<std::int64_t> age);

}  // namespace quillora
