#pragma once
// What the reminder companion tells the user: the reminded birthdays that
// are near, and those that passed while the computer was off or asleep.
// Everything here is decided from the two shared files, the companion's own
// record of what it announced, and today, so it is the same on every machine.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/birth_date.h"
#include "calc/calendar.h"
#include "storage/birthday_table.h"
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

// The reminded entries (Remind reads as a number other than 0, a real day
// of the year; see birth_date.h) whose next birthday is at most the lead of
// the DaysBeforeRemind code away, soonest first; after them the ones whose
// birthday fell after `lastRun` and before `today`, at most CatchUpDays
// back, the most recent first. Entries with the same distance keep their
// table order. Without `lastRun` nothing is caught up.
std::vector<DueReminder> DueReminders(const BirthdayTable& table, const Settings& settings, CalendarDay today,
                                      std::optional<CalendarDay> lastRun);

// "TODAY", "TOMORROW", "IN 3 DAYS"; "YESTERDAY", "2 DAYS AGO".
std::string WhenText(std::int64_t daysAway);

// The age as the window shows it: empty where the list shows no age.
std::string AgeText(const DueReminder& reminder);

// The companion's own record, kept beside the settings file: the day of its
// last check, the last check before that day (so that a catch-up is shown all
// day long), and the entries already announced on that day.
inline constexpr std::string_view LastRunFileName = "reminder-state.txt";
struct ReminderState {
    CalendarDay day;
    std::optional<CalendarDay> since;
    std::vector<std::string> announced;  // one key per entry, see AnnouncementKey

    bool operator==(const ReminderState&) const = default;
};

// One date line "%yyyy-%mm-%dd".
std::string LastRunToBytes(CalendarDay day);
// Nothing for bytes whose first line holds no real date in that form.
std::optional<CalendarDay> ParseLastRun(std::string_view bytes);

// Lines: the day, the day before it ("-" for none), then one line per
// announced entry; CR LF after each. A first line alone (the record of
// earlier versions) reads as a day with nothing announced.
std::string ReminderStateToBytes(const ReminderState& state);
// Nothing for a record that cannot be read: it is replaced at the next check.
std::optional<ReminderState> ParseReminderState(std::string_view bytes);

// What identifies an entry among the announced ones: its name and birthday.
std::string AnnouncementKey(const BirthdayEntry& entry);

// The outcome of one check of the files.
struct ReminderCheck {
    std::vector<DueReminder> due;       // everything due now, as DueReminders orders it
    std::vector<DueReminder> newlyDue;  // of those, the ones not yet announced today
    ReminderState state;                // the record after announcing `newlyDue`
};

// A check on `today` after the record `previous` (nothing when there is none
// or it was unreadable). The days missed since the last check before today
// are caught up on; an entry announced today is not announced again.
ReminderCheck CheckReminders(const BirthdayTable& table, const Settings& settings, CalendarDay today,
                             const std::optional<ReminderState>& previous);

// The notification area's tooltip: the next reminded birthday and the days
// left to it, at most `limit` bytes ("Next birthday: Ann, in 3 days").
std::string NextBirthdayTip(const BirthdayTable& table, CalendarDay today, std::size_t limit);

// The notification's text: the first reminders, one a line, and how many
// more there are; at most `limit` bytes.
std::string AnnouncementText(const std::vector<DueReminder>& due, std::size_t limit);

}  // namespace quillora
