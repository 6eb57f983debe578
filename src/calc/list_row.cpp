#include "calc/list_row.h"

#include "storage/number_text.h"

namespace quillora {

namespace {

// a - b on arbitrary numbers read from texts: wraps instead of overflowing.
std::int64_t WrappingDifference(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}

std::int64_t MonthLength(std::int64_t year, int month) {
    const std::int64_t first = DayNumber(year, month, 1);
    return month == 12 ? DayNumber(year + 1, 1, 1) - first : DayNumber(year, month + 1, 1) - first;
}

// The day number of the birthday in `year`: the first real date whose
// (month, day) is not before (month, day) of the entry, or 1 January of the
// next year when the entry lies after 31 December.
std::int64_t BirthdayIn(std::int64_t year, std::int64_t day, std::int64_t month) {
    if (month < 1) return DayNumber(year, 1, 1);
    if (month > 12) return DayNumber(year + 1, 1, 1);
    const auto realMonth = static_cast<int>(month);
    if (day < 1) return DayNumber(year, realMonth, 1);
    if (day <= MonthLength(year, realMonth)) return DayNumber(year, realMonth, static_cast<int>(day));
    return realMonth == 12 ? DayNumber(year + 1, 1, 1) : DayNumber(year, realMonth + 1, 1);
}

}  // namespace

std::int64_t AgeOn(std::int64_t day, std::int64_t month, std::int64_t year, CalendarDay today) {
    const std::int64_t dd = WrappingDifference(today.day, day);
    const std::int64_t mm = WrappingDifference(WrappingDifference(today.month, month), dd < 0 ? 1 : 0);
    return WrappingDifference(WrappingDifference(today.year, year), mm < 0 ? 1 : 0);
}

std::int64_t DaysLeft(std::int64_t day, std::int64_t month, CalendarDay today) {
    const std::int64_t todayNumber = DayNumber(today.year, today.month, today.day);
    // The birthday of the year before can fall on 1 January of this year (a
    // month after December), so the search starts there. Next year's birthday
    // always lies ahead, so the loop always returns.
    for (std::int64_t year = today.year - 1;; ++year) {
        const std::int64_t birthday = BirthdayIn(year, day, month);
        if (birthday >= todayNumber) return birthday - todayNumber;
    }
}

std::string AgeText(std::int64_t day, std::int64_t month, std::int64_t year, CalendarDay today) {
    if (year < 1) return {};
    const std::int64_t age = AgeOn(day, month, year, today);
    return age < 0 ? std::string() : NumberToText(age);
}

ListRow BuildRow(const BirthdayEntry& entry, CalendarDay today) {
    const std::int64_t day = NumberFromText(entry.Day);
    const std::int64_t month = NumberFromText(entry.Month);
    const std::int64_t daysLeft = DaysLeft(day, month, today);

    // Built in one piece: assigning "X" into a default-constructed cell trips
    // a false -Wrestrict in GCC 12.
    return {.cells = {entry.Name, entry.Day, entry.Month, entry.Year,
                      AgeText(day, month, NumberFromText(entry.Year), today), NumberToText(daysLeft),
                      std::string(NumberFromText(entry.Remind) != 0 ? "X" : "")},
            .highlighted = daysLeft == 0};
}

bool IsInMonth(const BirthdayEntry& entry, int month) {
    return NumberFromText(entry.Month) == month;
}

}  // namespace quillora
