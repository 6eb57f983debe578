#pragma once
// What one birthday entry shows in the list: its stored texts, the age, the
// days left to the next birthday and the remind mark.
#include <array>
#include <cstdint>
#include <string>

#include "calc/calendar.h"
#include "storage/birthday_table.h"

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
    bool highlighted = false;  // the birthday is today (DAYS LEFT 0)
    int tableIndex = -1;       // the table row it shows, whatever the list's order
};

// Years completed on `today` by someone born on day/month/year (numbers as
// read from the texts); no date value is built, so any numbers work.
std::int64_t AgeOn(std::int64_t day, std::int64_t month, std::int64_t year, CalendarDay today);

// Days from `today` to the next birthday, 0 on the birthday itself. For a
// day and month that name no real date (29 February in a common year,
// 31 April, month 13, ...) the birthday is the day on which the age goes up:
// the first real date on or after (month, day), or 1 January when there is
// none. Always 0 to 366.
std::int64_t DaysLeft(std::int64_t day, std::int64_t month, CalendarDay today);

// The AGE cell: the age when the year reads as a number from 1 on and the
// age on `today` is 0 or more; empty otherwise (no year, or a year still to
// come), so that no impossible age is ever shown.
std::string AgeText(std::int64_t day, std::int64_t month, std::int64_t year, CalendarDay today);

// The row of one entry on `today` (read once per fill by the caller).
ListRow BuildRow(const BirthdayEntry& entry, CalendarDay today);

// Whether an entry belongs on the tab of `month` (1 to 12): its Month text
// read as a number, so "3", "03" and " 3" are all March.
bool IsInMonth(const BirthdayEntry& entry, int month);

}  // namespace quillora
