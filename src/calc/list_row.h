#pragma once
// What one birthday entry shows in the list: its stored texts, the age, the
// days left to the next birthday and the remind mark.
#include <array>
#include <string>

#include "storage/birthday_table.h"
#include "storage/calendar.h"

namespace quillora {

enum ListColumn : int {
    NameColumn = 0,
    DayColumn,
    MonthColumn,
    YearColumn,
    AgeColumn,
    DaysLeftColumn,
    RemindColumn,
    ListColumnCount
};

struct ListRow {
    std::array<std::string, ListColumnCount> cells;
    bool highlighted = false;  // the birthday falls today (DAYS LEFT 0)
    int tableIndex = -1;       // the table row it shows, whatever the list's order
};

// The row of one entry on `today` (read once per fill by the caller).
ListRow BuildRow(const BirthdayEntry& entry, CalendarDay today);

// Whether an entry belongs on the tab of `month` (1 to 12): its Month text
// read as a number, so "3", "03" and " 3" are all March.
bool IsInMonth(const BirthdayEntry& entry, int month);

}  // namespace quillora
