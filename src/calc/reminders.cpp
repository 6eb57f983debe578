#include "calc/reminders.h"

#include <algorithm>
#include <array>

#include "calc/list_row.h"
#include "storage/line_reader.h"
#include "storage/number_text.h"

namespace quillora {

namespace {

constexpr std::array<std::string_view, 12> MonthNames = {"January",   "February", "March",    "April",
                                                         "May",       "June",     "July",     "August",
                                                         "September", "October",  "November", "December"};

constexpr std::string_view LastRunMask = "%yyyy-%mm-%dd";

CalendarDay ShiftedBy(CalendarDay day, std::int64_t days) {
    return DayFromDate(AddDays(MakeDate(day.year, day.month, day.day, 0, 0, 0), days));
}

std::int64_t DaysBetween(CalendarDay from, CalendarDay to) {
    return DayNumber(to.year, to.month, to.day) - DayNumber(from.year, from.month, from.day);
}

// The entry's day and month as stored; a month that names no month is shown
// as it was typed rather than guessed at.
std::string BirthdayText(const BirthdayEntry& entry) {
    const std::int64_t month = NumberFromText(entry.Month);
    if (month < 1 || month > 12) return entry.Day + "." + entry.Month + ".";
    return NumberToText(NumberFromText(entry.Day)) + " " + std::string(MonthNames[month - 1]);
}

DueReminder ReminderFor(const BirthdayEntry& entry, CalendarDay today, std::int64_t daysAway) {
    // The age the list shows on the birthday itself.
    const std::int64_t age = AgeOn(NumberFromText(entry.Day), NumberFromText(entry.Month),
                                   NumberFromText(entry.Year), ShiftedBy(today, daysAway));
    return {entry.Name, BirthdayText(entry), age, daysAway};
}

// How many days ago the birthday fell within the days strictly between the
// last run and today (at most CatchUpDays back), the most recent first.
std::optional<std::int64_t> DaysSinceMissedBirthday(std::int64_t day, std::int64_t month, CalendarDay today,
                                                    CalendarDay lastRun) {
    const std::int64_t missedDays = std::min<std::int64_t>(CatchUpDays, DaysBetween(lastRun, today) - 1);
    for (std::int64_t back = 1; back <= missedDays; ++back) {
        if (DaysLeft(day, month, ShiftedBy(today, -back)) == 0) return back;
    }
    return std::nullopt;
}

bool IsDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<DueReminder> DueReminders(const BirthdayTable& table, const Settings& settings, CalendarDay today,
                                      std::optional<CalendarDay> lastRun) {
    const int lead = LeadDaysOfCode(settings.Get(DaysBeforeRemind));
    std::vector<DueReminder> due;
    for (const BirthdayEntry& entry : table.Rows()) {
        if (NumberFromText(entry.Remind) == 0) continue;
        const std::int64_t day = NumberFromText(entry.Day);
        const std::int64_t month = NumberFromText(entry.Month);
        if (const std::int64_t daysLeft = DaysLeft(day, month, today); daysLeft <= lead) {
            due.push_back(ReminderFor(entry, today, daysLeft));
        } else if (lastRun) {
            if (const auto back = DaysSinceMissedBirthday(day, month, today, *lastRun)) {
                due.push_back(ReminderFor(entry, today, -*back));
            }
        }
    }
    // Coming birthdays before missed ones; within each, the nearest first.
    std::stable_sort(due.begin(), due.end(), [](const DueReminder& a, const DueReminder& b) {
        const bool aMissed = a.daysAway < 0;
        const bool bMissed = b.daysAway < 0;
        if (aMissed != bMissed) return bMissed;
        return aMissed ? a.daysAway > b.daysAway : a.daysAway < b.daysAway;
    });
    return due;
}

std::string WhenText(std::int64_t daysAway) {
    if (daysAway == 0) return "TODAY";
    if (daysAway == 1) return "TOMORROW";
    if (daysAway == -1) return "YESTERDAY";
    if (daysAway > 0) return "IN " + NumberToText(daysAway) + " DAYS";
    return NumberToText(-daysAway) + " DAYS AGO";
}

std::string LastRunToBytes(CalendarDay day) {
    return FormatDate(LastRunMask, MakeDate(day.year, day.month, day.day, 0, 0, 0));
}

std::optional<CalendarDay> ParseLastRun(std::string_view bytes) {
    LineReader reader(WithoutByteOrderMark(bytes));
    const std::string line = reader.ReadLine();
    const std::string_view text = line;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const std::string_view year = text.substr(0, 4);
    const std::string_view month = text.substr(5, 2);
    const std::string_view day = text.substr(8, 2);
    if (!IsDigits(year) || !IsDigits(month) || !IsDigits(day)) return std::nullopt;
    const CalendarDay parsed{static_cast<int>(NumberFromText(year)), static_cast<int>(NumberFromText(month)),
                             static_cast<int>(NumberFromText(day))};
    if (MakeDate(parsed.year, parsed.month, parsed.day, 0, 0, 0) == InvalidDate) return std::nullopt;
    return parsed;
}

}  // namespace quillora
