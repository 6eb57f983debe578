#include "calc/reminders.h"

#include <algorithm>
#include <array>

#include "storage/number_text.h"

namespace quillora {

namespace {

constexpr std::array<std::string_view, 12> MonthNames = {"January",   "February", "March",    "April",
                                                         "May",       "June",     "July",     "August",
                                                         "September", "October",  "November", "December"};

DueReminder ReminderFor(const BirthdayEntry& entry, const BirthDate& date, CalendarDay today,
                        std::int64_t daysAway) {
    // The age that this birthday brings, also when 29 February is reminded
    // on 28 February.
    return {entry.Name, NumberToText(date.day) + " " + std::string(MonthNames[date.month - 1]),
            ShownAgeAtBirthday(date, ShiftedDay(today, daysAway).year), daysAway};
}

// How many days ago the birthday fell within the days strictly between the
// last run and today (at most CatchUpDays back), the most recent first.
std::optional<std::int64_t> DaysSinceMissedBirthday(const BirthDate& date, CalendarDay today,
                                                    CalendarDay lastRun) {
    const std::int64_t missedDays = std::min<std::int64_t>(CatchUpDays, DaysBetween(lastRun, today) - 1);
    for (std::int64_t back = 1; back <= missedDays; ++back) {
        if (DaysToBirthday(date, ShiftedDay(today, -back)) == 0) return back;
    }
    return std::nullopt;
}

struct DueEntry {
    DueReminder reminder;
    std::string key;
};

std::vector<DueEntry> DueEntries(const BirthdayTable& table, const Settings& settings, CalendarDay today,
                                 std::optional<CalendarDay> lastRun) {
    const int lead = LeadDaysOfCode(settings.Get(DaysBeforeRemind));
    std::vector<DueEntry> due;
    for (const BirthdayEntry& entry : table.Rows()) {
        const std::optional<BirthDate> date = RemindedDate(entry);
        if (!date) continue;
        if (const std::int64_t daysLeft = DaysToBirthday(*date, today); daysLeft <= lead) {
            due.push_back({ReminderFor(entry, *date, today, daysLeft), AnnouncementKey(entry)});
        } else if (lastRun) {
            if (const auto back = DaysSinceMissedBirthday(*date, today, *lastRun)) {
                due.push_back({ReminderFor(entry, *date, today, -*back), AnnouncementKey(entry)});
            }
        }
    }
    // Coming birthdays before missed ones; within each, the nearest first.
    std::stable_sort(due.begin(), due.end(), [](const DueEntry& a, const DueEntry& b) {
        const bool aMissed = a.reminder.daysAway < 0;
        const bool bMissed = b.reminder.daysAway < 0;
        if (aMissed != bMissed) return bMissed;
        return aMissed ? a.reminder.daysAway > b.reminder.daysAway
                       : a.reminder.daysAway < b.reminder.daysAway;
    });
    return due;
}

}  // namespace

std::optional<BirthDate> RemindedDate(const BirthdayEntry& entry) {
    const BirthDate date = BirthDateOf(entry);
    if (NumberFromText(entry.Remind) == 0 || !IsRealDayOfYear(date)) return std::nullopt;
    return date;
}

ReminderCheck CheckReminders(const BirthdayTable& table, const Settings& settings, CalendarDay today,
                             const std::optional<ReminderState>& previous) {
    ReminderCheck check;
    check.state.day = today;
    const bool sameDay = previous && previous->day == today;
    // Catch up from the last check before today, all day long.
    check.state.since = !previous ? std::nullopt : sameDay ? previous->since : std::optional(previous->day);
    if (sameDay) check.state.announced = previous->announced;
    for (DueEntry& entry : DueEntries(table, settings, today, check.state.since)) {
        const auto& announced = check.state.announced;
        if (std::find(announced.begin(), announced.end(), entry.key) == announced.end()) {
            check.state.announced.push_back(entry.key);
            check.newlyDue.push_back(entry.reminder);
        }
        check.due.push_back(std::move(entry.reminder));
    }
    return check;
}

}  // namespace quillora
