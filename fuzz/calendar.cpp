// Dates against the Gregorian rules written out plainly: which fields make a
// date (years from 1970 on, up to the largest int), and what a date reads
// back as, counts as and prints as.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "calc/birth_date.h"
#include "calc/calendar.h"
#include "check.h"

namespace {

using quillora::DateValue;

bool ModelLeap(std::int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int ModelMonthLength(std::int64_t year, int month) {
    if (month == 2) return ModelLeap(year) ? 29 : 28;
    return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

int ModelDayOfYear(std::int64_t year, int month, int day) {
    int days = day;
    for (int earlier = 1; earlier < month; ++earlier)
        days += ModelMonthLength(year, earlier);
    return days;
}

// Leap years from year 1 to year - 1.
std::int64_t LeapYearsBefore(std::int64_t year) {
    return (year - 1) / 4 - (year - 1) / 100 + (year - 1) / 400;
}

std::int64_t ModelDaysSince1970(std::int64_t year, int month, int day) {
    return 365 * (year - 1970) + LeapYearsBefore(year) - LeapYearsBefore(1970) +
           ModelDayOfYear(year, month, day) - 1;
}

std::string Padded(std::int64_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    return std::string(digits.size() < width ? width - digits.size() : 0, '0') + digits;
}

// Mostly values near the valid range, where the interesting edges are, and
// now and then any int at all.
int Field(FuzzedDataProvider& input, int low, int high) {
    return input.ConsumeBool() ? input.ConsumeIntegralInRange(low - 2, high + 2)
                               : input.ConsumeIntegral<int>();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int year =
        input.ConsumeBool() ? input.ConsumeIntegralInRange(1960, 2500) : Field(input, 1970, INT_MAX - 2);
    const int month = Field(input, 1, 12);
    const int day = Field(input, 1, 31);
    const int hour = Field(input, 0, 23);
    const int minute = Field(input, 0, 59);
    const int second = Field(input, 0, 59);

    const bool valid = year >= 1970 && month >= 1 && month <= 12 && day >= 1 &&
                       day <= ModelMonthLength(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
                       minute <= 59 && second >= 0 && second <= 59;
    const DateValue date = quillora::MakeDate(year, month, day, hour, minute, second);
    FUZZ_CHECK((date == quillora::InvalidDate) == !valid);
    if (!valid) {
        FUZZ_CHECK(quillora::DayOfYear(date) == 0 && quillora::YearOf(date) == 0);
        FUZZ_CHECK(quillora::AddDays(date, 1) == quillora::InvalidDate);
        return 0;
    }

    FUZZ_CHECK(date / quillora::SecondsPerDay == ModelDaysSince1970(year, month, day));
    FUZZ_CHECK(date % quillora::SecondsPerDay == hour * 3600 + minute * 60 + second);
    FUZZ_CHECK(quillora::YearOf(date) == year);
    FUZZ_CHECK(quillora::MonthOf(date) == month);
    FUZZ_CHECK(quillora::DayOf(date) == day);
    const int dayOfYear = quillora::DayOfYear(date);
    FUZZ_CHECK(dayOfYear >= 1 && dayOfYear <= 366);
    FUZZ_CHECK(dayOfYear == ModelDayOfYear(year, month, day));
    FUZZ_CHECK(quillora::FormatDate("%yyyy-%mm-%dd", date) ==
               Padded(year, 4) + "-" + Padded(month, 2) + "-" + Padded(day, 2));
    FUZZ_CHECK((quillora::DayFromDate(date) == quillora::CalendarDay{year, month, day}));
    FUZZ_CHECK(quillora::DaysBetween({1970, 1, 1}, {year, month, day}) ==
               ModelDaysSince1970(year, month, day));
    if (year < INT_MAX) FUZZ_CHECK(quillora::DaysInMonth(year, month) == ModelMonthLength(year, month));

    // Whole days move the date and keep the time of day, between 1970-01-01
    // and the last day of the largest year.
    const auto days = input.ConsumeIntegralInRange<std::int64_t>(-1'000'000, 1'000'000);
    const DateValue moved = quillora::AddDays(date, days);
    const std::int64_t movedDay = date / quillora::SecondsPerDay + days;
    if (movedDay < 0 || movedDay > ModelDaysSince1970(INT_MAX, 12, 31)) {
        FUZZ_CHECK(moved == quillora::InvalidDate);
    } else {
        FUZZ_CHECK(moved == date + days * quillora::SecondsPerDay);
    }

    // Months keep the day where the target month has it, else its last day.
    const int months = input.ConsumeIntegralInRange(-30'000, 30'000);
    const std::int64_t monthIndex = std::int64_t{year} * 12 + (month - 1) + months;
    const DateValue shifted = quillora::AddMonths(date, months);
    if (monthIndex / 12 < 1970 || monthIndex / 12 > INT_MAX) {
        FUZZ_CHECK(shifted == quillora::InvalidDate);
    } else {
        const auto targetYear = static_cast<int>(monthIndex / 12);
        const int targetMonth = static_cast<int>(monthIndex % 12) + 1;
        const int targetDay = std::min(day, ModelMonthLength(targetYear, targetMonth));
        FUZZ_CHECK(shifted == quillora::MakeDate(targetYear, targetMonth, targetDay, hour, minute, second));
        FUZZ_CHECK(shifted != quillora::InvalidDate);
    }
    return 0;
}
