#pragma once
// The reminder's record of its checks, kept beside the settings file, as
// bytes in and out.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/birthday_table.h"
#include "storage/calendar.h"

namespace quillora {

// The reminder's own record, kept beside the settings file: the day of its
// last check, the last check before that day (so that a catch-up is shown all
// day long), and the entries already announced on that day.
inline constexpr std::string_view ReminderStateFileName = "reminder-state.txt";
struct ReminderState {
    CalendarDay day;
    std::optional<CalendarDay> since;
    std::vector<std::string> announced;  // one key per entry, see AnnouncementKey

    bool operator==(const ReminderState&) const = default;
};

// One date line "%yyyy-%mm-%dd".
std::string StateDayToBytes(CalendarDay day);
// Nothing for bytes whose first line holds no real date in that form.
std::optional<CalendarDay> ParseStateDay(std::string_view bytes);

// Lines: the day, the day before it ("-" for none), then one line per
// announced entry; CR LF after each. A first line alone (the record of
// earlier versions) reads as a day with nothing announced.
std::string ReminderStateToBytes(const ReminderState& state);
// Nothing for a record that cannot be read: it is replaced at the next check.
std::optional<ReminderState> ParseReminderState(std::string_view bytes);

// What identifies an entry among the announced ones: its name and birthday.
std::string AnnouncementKey(const BirthdayEntry& entry);

}  // namespace quillora
