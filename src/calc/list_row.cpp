#include "calc/list_row.h"

#include "storage/number_text.h"

namespace quillora {

std::string AgeText(std::int64_t day, std::int64_t month, std::int64_t year, CalendarDay today) {
    const std::optional<std::int64_t> age = ShownAge(day, month, year, today);
    return age ? NumberToText(*age) : std::string();
}

ListRow BuildRow(const BirthdayEntry& entry, CalendarDay today) {
    const std::int64_t day = NumberFromText(entry.Day);
    const std::int64_t month = NumberFromText(entry.Month);
    const std::int64_t daysLeft = DaysToBirthday(day, month, today);

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
