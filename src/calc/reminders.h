#pragma once
// What the reminder companion tells the user when it starts at logon: the
// reminded birthdays that are near, and those that passed while the computer
// was off. Everything here is decided from the two shared files, the date of
// the companion's last run and today, so it is the same on every machine.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calendar.h"
#include "storage/birthday_table.h"
#include "storage/settings.h"

namespace quillora {

// A birthday missed while the computer was off is still worth a word for a
// week; after that it is old news.
inline constexpr int CatchUpDays = 7;

struct DueReminder {
    std::string name;
    std::string birthday;     // day and month as a person reads them: "14 February"
    std::int64_t turningAge;  // the age reached on that birthday
    std::int64_t daysAway;    // 0 today, above 0 still ahead, below 0 passed

    [[nodiscard]] bool IsToday() const { return daysAway == 0; }
    bool operator==(const DueReminder&) const = default;
};

// The reminded entries (Remind reads as a number other than 0) whose next
// birthday is at most the lead of the DaysBeforeRemind code away, soonest
// first; after them the ones whose birthday fell after `lastRun` and before
// `today`, at most CatchUpDays back, the most recent first. Entries with the
// same distance keep their table order. Without `lastRun` nothing is caught
// up.
std::vector<DueReminder> DueReminders(const BirthdayTable& table, const Settings& settings, CalendarDay today,
                                      std::optional<CalendarDay> lastRun);

// "TODAY", "TOMORROW", "IN 3 DAYS"; "YESTERDAY", "2 DAYS AGO".
std::string WhenText(std::int64_t daysAway);

// The companion's own record of the day it last ran, kept beside the
// settings file: one line "%yyyy-%mm-%dd".
inline constexpr std::string_view LastRunFileName = "reminder-state.txt";
std::string LastRunToBytes(CalendarDay day);
// Nothing for bytes that hold no real date in that form.
std::optional<CalendarDay> ParseLastRun(std::string_view bytes);

}  // namespace quillora
