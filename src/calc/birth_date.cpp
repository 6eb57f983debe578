#include "calc/birth_date.h"

namespace quillora {

namespace {

// a - b on arbitrary numbers read from texts: wraps instead of overflowing.
std::int64_t WrappingDifference(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}

std::int64_t NumberOf(const BirthdayDay& day) {
    return DayNumber(day.year, day.month, day.day);
}

}  // namespace

int DaysInMonth(std::int64_t year, std::int64_t month) {
    constexpr int Lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : Lengths[month - 1];
}

bool IsRealDayOfYear(std::int64_t day, std::int64_t month) {
    // A leap year holds every day and month there is.
    return day >= 1 && day <= DaysInMonth(2000, month);
}

bool IsLeapDay(std::int64_t day, std::int64_t month) {
    return day == 29 && month == 2;
}

BirthdayDay BirthdayIn(std::int64_t year, std::int64_t day, std::int64_t month) {
    if (month < 1) return {year, 1, 1};
    if (month > 12) return {year + 1, 1, 1};
    const auto realMonth = static_cast<int>(month);
    if (day < 1) return {year, realMonth, 1};
    const int length = DaysInMonth(year, month);
    if (day <= length) return {year, realMonth, static_cast<int>(day)};
    if (IsLeapDay(day, month)) return {year, 2, 28};
    return realMonth == 12 ? BirthdayDay{year + 1, 1, 1} : BirthdayDay{year, realMonth + 1, 1};
}

BirthdayDay NextBirthday(std::int64_t day, std::int64_t month, CalendarDay today) {
    const std::int64_t todayNumber = DayNumber(today.year, today.month, today.day);
    // Last year's birthday can fall on 1 January of this year (a month after
    // December), so the search starts there. Next year's birthday always lies
    // ahead, so the loop always returns.
    for (std::int64_t year = std::int64_t{today.year} - 1;; ++year) {
        const BirthdayDay birthday = BirthdayIn(year, day, month);
        if (NumberOf(birthday) >= todayNumber) return birthday;
    }
}

std::int64_t DaysToBirthday(std::int64_t day, std::int64_t month, CalendarDay today) {
    return NumberOf(NextBirthday(day, month, today)) - DayNumber(today.year, today.month, today.day);
}

std::int64_t AgeOn(std::int64_t day, std::int64_t month, std::int64_t year, CalendarDay today) {
    const std::int64_t dd = WrappingDifference(today.day, day);
    const std::int64_t mm = WrappingDifference(WrappingDifference(today.month, month), dd < 0 ? 1 : 0);
    return WrappingDifference(WrappingDifference(today.year, year), mm < 0 ? 1 : 0);
}

std::optional<std::int64_t> ShownAge(std::int64_t day, std::int64_t month, std::int64_t year,
                                     CalendarDay today) {
    if (year < 1) return std::nullopt;
    const std::int64_t age = AgeOn(day, month, year, today);
    if (age < 0) return std::nullopt;
    return age;
}

std::optional<std::int64_t> ShownAgeAtBirthday(std::int64_t year, std::int64_t birthdayYear) {
    if (year < 1) return std::nullopt;
    const std::int64_t age = WrappingDifference(birthdayYear, year);
    if (age < 0) return std::nullopt;
    return age;
}

}  // namespace quillora
