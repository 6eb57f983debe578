#include "calc/list_row.h"

#include "calc/birth_date.h"
#include "storage/number_text.h"

namespace quillora {

ListRow BuildRow(const BirthdayEntry& entry, CalendarDay today) {
    const BirthDate date = BirthDateOf(entry);
    const std::int64_t daysLeft = DaysToBirthday(date, today);

    // Built in one piece: assigning "X" into a default-constructed cell trips
    // a false -Wrestrict in GCC 12.
    return {.cells = {entry.Name, entry.Day, entry.Month, entry.Year, AgeText(ShownAge(date, today)),
                      NumberToText(daysLeft), std::string(NumberFromText(entry.Remind) != 0 ? "X" : "")},
            .highlighted = daysLeft == 0};
}

bool IsInMonth(const BirthdayEntry& entry, int month) {
    return BirthDateOf(entry).month == month;
}

}  // namespace quillora
