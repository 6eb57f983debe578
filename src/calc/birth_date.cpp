#include "calc/birth_date.h"

#include "storage/number_text.h"

namespace quillora {

namespace {

// a - b on arbitrary numbers read from texts: wraps instead of overflowing.
std::int64_t WrappingDifference(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}

// The day on which the birthday falls in `year` (see NextBirthday).
CalendarDay BirthdayIn(std::int64_t year, const BirthDate& date) {
    if (date.month < 1) return {year, 1, 1};
    if (date.month > 12) return {year + 1, 1, 1};
    const auto month = static_cast<int>(date.month);
    if (date.day < 1) return {year, month, 1};
    if (date.day <= DaysInMonth(year, month)) return {year, month, static_cast<int>(date.day)};
    if (IsLeapDay(date)) return {year, 2, 28};
    return month == 12 ? CalendarDay{year + 1, 1, 1} : CalendarDay{year, month + 1, 1};
}

// An age is shown only for a year and when it is 0 or more.
std::optional<std::int64_t> Shown(const BirthDate& date, std::int64_t age) {
    if (!HasYear(date) || age < 0) return std::nullopt;
    return age;
}

}  // namespace

BirthDate BirthDateOf(const BirthdayEntry& entry) {
    return {NumberFromText(entry.Day), NumberFromText(entry.Month), NumberFromText(entry.Year)};
}

bool HasYear(const BirthDate& date) {
    return date.year >= 1;
}

bool IsRealDayOfYear(const BirthDate& date) {
    // A leap year holds every day and month there is.
    return date.day >= 1 && date.day <= DaysInMonth(2000, date.month);
}

bool IsLeapDay(const BirthDate& date) {
    return date.day == 29 && date.month == 2;
}

std::optional<BirthDate> KnownDate(const BirthDate& date) {
    if (!IsRealDayOfYear(date)) return std::nullopt;
    return BirthDate{date.day, date.month, RealDay(date) ? date.year : NoYear};
}

std::optional<CalendarDay> RealDay(const BirthDate& date) {
    if (!IsRealDate(date.year, date.month, date.day)) return std::nullopt;
    return CalendarDay{date.year, static_cast<int>(date.month), static_cast<int>(date.day)};
}

CalendarDay NextBirthday(const BirthDate& date, CalendarDay today) {
    // Last year's birthday can fall on 1 January of this year (a month after
    // December), so the search starts there. Next year's birthday always lies
    // ahead, so the loop always returns.
    for (std::int64_t year = today.year - 1;; ++year) {
        const CalendarDay birthday = BirthdayIn(year, date);
        if (DaysBetween(today, birthday) >= 0) return birthday;
    }
}

std::int64_t DaysToBirthday(const BirthDate& date, CalendarDay today) {
    return DaysBetween(today, NextBirthday(date, today));
}

std::int64_t AgeOn(const BirthDate& date, CalendarDay today) {
    const std::int64_t dd = WrappingDifference(today.day, date.day);
    const std::int64_t mm = WrappingDifference(WrappingDifference(today.month, date.month), dd < 0 ? 1 : 0);
    return WrappingDifference(WrappingDifference(today.year, date.year), mm < 0 ? 1 : 0);
}

std::optional<std::int64_t> ShownAge(const BirthDate& date, CalendarDay today) {
    return Shown(date, AgeOn(date, today));
}

std::optional<std::int64_t> ShownAgeAtBirthday(const BirthDate& date, std::int64_t birthdayYear) {
    return Shown(date, WrappingDifference(birthdayYear, date.year));
}

std::string AgeText(std::optional<std::int64_t> age) {
    return age ? NumberToText(*age) : std::string();
}

}  // namespace quillora
