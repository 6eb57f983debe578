#include "storage/calendar.h"

namespace quillora {

namespace {

constexpr std::int64_t SecondsPerHour = 3'600;
constexpr std::int64_t SecondsPerMinute = 60;

// Days since 1970-01-01 of a proleptic Gregorian date (the well-known
// days-from-civil method: years start in March, so the leap day is last).
constexpr std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + dayOfEra - 719'468;
}

// The inverse of DaysFromCivil.
constexpr CalendarDay CivilFromDays(std::int64_t days) {
    days += 719'468;
    const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const std::int64_t dayOfEra = days - era * 146'097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1'460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace

bool IsLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(std::int64_t year, std::int64_t month) {
    constexpr int Lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : Lengths[month - 1];
}

bool IsRealDate(std::int64_t year, std::int64_t month, std::int64_t day) {
    return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

CalendarDay Today() {
    return LocalNow().day;
}

CalendarDay ShiftedDay(CalendarDay day, std::int64_t days) {
    return CivilFromDays(DaysFromCivil(day.year, day.month, day.day) + days);
}

std::int64_t DaysBetween(CalendarDay from, CalendarDay to) {
    return DaysFromCivil(to.year, to.month, to.day) - DaysFromCivil(from.year, from.month, from.day);
}

DateValue MakeDate(int year, int month, int day, int hour, int minute, int second) {
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return InvalidDate;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return InvalidDate;
    // Negative values mean "no date", so nothing before the epoch can be made.
    if (year < 1970) return InvalidDate;
    return DaysFromCivil(year, month, day) * SecondsPerDay + hour * SecondsPerHour +
           minute * SecondsPerMinute + second;
}

std::string FormatDate(std::string_view mask, CalendarDay day) {
    const auto padded = [](std::int64_t value, std::size_t width) {
        std::string digits = std::to_string(value);
        if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
        return digits;
    };
    const auto codeAt = [&mask](std::size_t pos, std::string_view code) {
        if (mask.size() - pos < code.size()) return false;
        for (std::size_t i = 0; i < code.size(); ++i) {
            const char c = mask[pos + i];
            if (c != code[i] && c != code[i] - 'a' + 'A') return false;
        }
        return true;
    };

    std::string text;
    for (std::size_t pos = 0; pos < mask.size();) {
        if (mask[pos] == '%' && codeAt(pos + 1, "yyyy")) {
            text += padded(day.year, 4);
            pos += 5;
        } else if (mask[pos] == '%' && codeAt(pos + 1, "mm")) {
            text += padded(day.month, 2);
            pos += 3;
        } else if (mask[pos] == '%' && codeAt(pos + 1, "dd")) {
            text += padded(day.day, 2);
            pos += 3;
        } else {
            text += mask[pos++];
        }
    }
    return text;
}

}  // namespace quillora
