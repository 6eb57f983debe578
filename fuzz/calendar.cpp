// Dates against the Gregorian rules written out plainly: which fields make a
// date value (years from 1970 on, up to the largest int), and what a day
// counts as, prints as and moves to.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "calc/birth_date.h"
#include "check.h"
#include "storage/calendar.h"

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
    if (!valid) return 0;

    FUZZ_CHECK(date / quillora::SecondsPerDay == ModelDaysSince1970(year, month, day));
    FUZZ_CHECK(date % quillora::SecondsPerDay == hour * 3600 + minute * 60 + second);
    const quillora::CalendarDay calendarDay{year, month, day};
    FUZZ_CHECK(quillora::FormatDate("%yyyy-%mm-%dd", calendarDay) ==
               Padded(year, 4) + "-" + Padded(month, 2) + "-" + Padded(day, 2));
    FUZZ_CHECK(quillora::DaysBetween({1970, 1, 1}, {year, month, day}) ==
               ModelDaysSince1970(year, month, day));
    if (year < INT_MAX) FUZZ_CHECK(quillora::DaysInMonth(year, month) == ModelMonthLength(year, month));

    // Whole days move the day by that many days, within the years an int
    // holds.
    const auto days = input.ConsumeIntegralInRange<std::int64_t>(-1'000'000, 1'000'000);
    const std::int64_t movedDay = ModelDaysSince1970(year, month, day) + days;
    if (movedDay >= ModelDaysSince1970(1, 1, 1) && movedDay <= ModelDaysSince1970(INT_MAX, 12, 31)) {
        const quillora::CalendarDay moved = quillora::ShiftedDay(calendarDay, days);
        FUZZ_CHECK(quillora::IsRealDate(moved.year, moved.month, moved.day) || moved.year > 9999);
        FUZZ_CHECK(quillora::DaysBetween(calendarDay, moved) == days);
    }
    return 0;
}
