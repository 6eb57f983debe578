#pragma once
// What the reminder tells the user: the reminded birthdays that are near,
// and those that passed while the computer was off or asleep. Everything
// here is decided from the two shared files, the reminder's own record of
// what it announced, and today, so it is the same on every machine.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/birth_date.h"
#include "calc/reminder_state.h"
#include "storage/birthday_table.h"
#include "storage/calendar.h"
#include "storage/settings.h"

namespace quillora {

// A birthday missed while the computer was off is still worth a word for a
// week; after that it is old news.
inline constexpr int CatchUpDays = 7;

struct DueReminder {
    std::string name;
    std::string birthday;                    // day and month as a person reads them: "14 February"
    std::optional<std::int64_t> turningAge;  // the age that birthday brings, as the list shows ages
    std::int64_t daysAway;                   // 0 today, above 0 still ahead, below 0 passed

    [[nodiscard]] bool IsToday() const { return daysAway == 0; }
    bool operator==(const DueReminder&) const = default;
};

// The date of an entry that reminds: its Remind reads as a number other
// than 0 and its day and month name a real day of the year (see
// birth_date.h); nothing for any other entry.
std::optional<BirthDate> RemindedDate(const BirthdayEntry& entry);

// The outcome of one check of the files.
struct ReminderCheck {
    std::vector<DueReminder> due;       // everything due now
    std::vector<DueReminder> newlyDue;  // of those, the ones not yet announced today
    ReminderState state;                // the record after announcing `newlyDue`
};

// A check on `today` after the record `previous` (nothing when there is none
// or it was unreadable). Due are the reminded entries (see RemindedDate)
// whose next birthday is at most the lead of the DaysBeforeRemind code away,
// soonest first; after them the ones whose birthday fell after the last
// check before today and before `today`, at most CatchUpDays back, the most
// recent first. Entries with the same distance keep their table order. An
// entry announced today is not announced again.
ReminderCheck CheckReminders(const BirthdayTable& table, const Settings& settings, CalendarDay today,
                             const std::optional<ReminderState>& previous);

}  // namespace quillora
