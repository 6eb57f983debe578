// The row of any entry on any day: the stored texts shown as they are, the
// remind mark, the age by its formula, and the days left counted against a
// walk through the calendar one day at a time to the day the birthday falls
// on (the day AGE goes up, but 28 February for 29 February in common years).
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "calc/list_row.h"
#include "check.h"
#include "storage/number_text.h"

namespace {

struct Day {
    std::int64_t year;
    std::int64_t month;
    std::int64_t day;
};

bool ModelLeap(std::int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::int64_t ModelMonthLength(std::int64_t year, std::int64_t month) {
    if (month == 2) return ModelLeap(year) ? 29 : 28;
    return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

Day Next(Day date) {
    if (date.day < ModelMonthLength(date.year, date.month)) return {date.year, date.month, date.day + 1};
    if (date.month < 12) return {date.year, date.month + 1, 1};
    return {date.year + 1, 1, 1};
}

Day Previous(Day date) {
    if (date.day > 1) return {date.year, date.month, date.day - 1};
    if (date.month > 1) return {date.year, date.month - 1, ModelMonthLength(date.year, date.month - 1)};
    return {date.year - 1, 12, 31};
}

// (month, day) pairs in calendar order; any numbers.
bool Before(std::int64_t month1, std::int64_t day1, std::int64_t month2, std::int64_t day2) {
    return month1 < month2 || (month1 == month2 && day1 < day2);
}

// Whether the birthday falls on `date`: the first real date of its year that
// is not before the entry's (month, day), or 1 January when the year has
// none; 29 February counts as 28 February in a common year.
bool BirthdayFalls(Day date, std::int64_t day, std::int64_t month) {
    if (day == 29 && month == 2 && !ModelLeap(date.year)) day = 28;
    const bool reached = !Before(date.month, date.day, month, day);
    if (date.month == 1 && date.day == 1) return reached || Before(12, 31, month, day);
    const Day previous = Previous(date);
    return reached && Before(previous.month, previous.day, month, day);
}

std::int64_t WalkToBirthday(Day today, std::int64_t day, std::int64_t month) {
    Day date = today;
    for (std::int64_t steps = 0; steps <= 366; ++steps) {
        if (BirthdayFalls(date, day, month)) return steps;
        date = Next(date);
    }
    return -1;
}

std::int64_t Wrapping(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}

// A day or month text: a small number as the user types one, or any bytes.
std::string NumberField(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) return std::to_string(input.ConsumeIntegralInRange(-2, 40));
    return input.ConsumeRandomLengthString(24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    quillora::CalendarDay today;
    today.year = input.ConsumeBool() ? input.ConsumeIntegralInRange(1, 9999)
                                     : input.ConsumeIntegralInRange(INT_MIN + 1, INT_MAX);
    today.month = input.ConsumeIntegralInRange(1, 12);
    today.day = input.ConsumeIntegralInRange(1, static_cast<int>(ModelMonthLength(today.year, today.month)));

    quillora::BirthdayEntry entry;
    entry.Name = input.ConsumeRandomLengthString(64);
    entry.Day = NumberField(input);
    entry.Month = NumberField(input);
    entry.Year = input.ConsumeRandomLengthString(24);
    entry.Remind = input.ConsumeRandomLengthString(8);
    entry.Mark = input.ConsumeRemainingBytesAsString();

    const quillora::ListRow row = quillora::BuildRow(entry, today);
    FUZZ_CHECK(row.cells[quillora::NameColumn] == entry.Name);
    FUZZ_CHECK(row.cells[quillora::DayColumn] == entry.Day);
    FUZZ_CHECK(row.cells[quillora::MonthColumn] == entry.Month);
    FUZZ_CHECK(row.cells[quillora::YearColumn] == entry.Year);
    FUZZ_CHECK(row.cells[quillora::RemindColumn] == (quillora::NumberFromText(entry.Remind) != 0 ? "X" : ""));

    const std::string& daysLeftText = row.cells[quillora::DaysLeftColumn];
    const std::int64_t daysLeft = quillora::NumberFromText(daysLeftText);
    FUZZ_CHECK(quillora::NumberToText(daysLeft) == daysLeftText);
    FUZZ_CHECK(daysLeft >= 0 && daysLeft <= 366);
    FUZZ_CHECK(row.highlighted == (daysLeft == 0));

    const std::int64_t day = quillora::NumberFromText(entry.Day);
    const std::int64_t month = quillora::NumberFromText(entry.Month);
    const Day start{today.year, today.month, today.day};
    FUZZ_CHECK(daysLeft == WalkToBirthday(start, day, month));

    // Away from the wrap of 64-bit numbers the age is "years between, less one
    // before the birthday's (month, day)", shown only for a year from 1 on
    // and an age of 0 or more.
    constexpr std::int64_t near = std::int64_t{1} << 40;
    if (day > -near && day < near && month > -near && month < near) {
        const std::int64_t year = quillora::NumberFromText(entry.Year);
        const bool beforeBirthday = Before(today.month, today.day, month, day);
        const std::int64_t age = Wrapping(Wrapping(today.year, year), beforeBirthday ? 1 : 0);
        const std::string expected = year >= 1 && age >= 0 ? quillora::NumberToText(age) : std::string();
        FUZZ_CHECK(row.cells[quillora::AgeColumn] == expected);
    }
    return 0;
}
