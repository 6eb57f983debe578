#include "calc/reminders.h"

#include <algorithm>
#include <array>

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
    DueReminder reminder{entry.Name, BirthdayText(entry), std::nullopt, daysAway};
    // The age that this birthday brings, also when 29 February is reminded
    // on 28 February.
    const std::int64_t birthdayYear = ShiftedBy(today, daysAway).year;
    reminder.turningAge = ShownAgeAtBirthday(NumberFromText(entry.Year), birthdayYear);
    return reminder;
}

// How many days ago the birthday fell within the days strictly between the
// last run and today (at most CatchUpDays back), the most recent first.
std::optional<std::int64_t> DaysSinceMissedBirthday(std::int64_t day, std::int64_t month, CalendarDay today,
                                                    CalendarDay lastRun) {
    const std::int64_t missedDays = std::min<std::int64_t>(CatchUpDays, DaysBetween(lastRun, today) - 1);
    for (std::int64_t back = 1; back <= missedDays; ++back) {
        if (DaysToBirthday(day, month, ShiftedBy(today, -back)) == 0) return back;
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
        if (NumberFromText(entry.Remind) == 0) continue;
        const std::int64_t day = NumberFromText(entry.Day);
        const std::int64_t month = NumberFromText(entry.Month);
        if (!IsRealDayOfYear(day, month)) continue;
        if (const std::int64_t daysLeft = DaysToBirthday(day, month, today); daysLeft <= lead) {
            due.push_back({ReminderFor(entry, today, daysLeft), AnnouncementKey(entry)});
        } else if (lastRun) {
            if (const auto back = DaysSinceMissedBirthday(day, month, today, *lastRun)) {
                due.push_back({ReminderFor(entry, today, -*back), AnnouncementKey(entry)});
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

std::string Shortened(std::string text, std::size_t limit) {
    if (text.size() <= limit) return text;
    if (limit < 3) return text.substr(0, limit);
    return text.substr(0, limit - 3) + "...";
}

constexpr std::string_view StateLineEnd = "\r\n";
constexpr std::string_view NoDay = "-";

bool IsDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<DueReminder> DueReminders(const BirthdayTable& table, const Settings& settings, CalendarDay today,
                                      std::optional<CalendarDay> lastRun) {
    std::vector<DueReminder> due;
    for (DueEntry& entry : DueEntries(table, settings, today, lastRun))
        due.push_back(std::move(entry.reminder));
    return due;
}

std::string WhenText(std::int64_t daysAway) {
    if (daysAway == 0) return "TODAY";
    if (daysAway == 1) return "TOMORROW";
    if (daysAway == -1) return "YESTERDAY";
    if (daysAway > 0) return "IN " + NumberToText(daysAway) + " DAYS";
    return NumberToText(-daysAway) + " DAYS AGO";
}

std::string AgeText(const DueReminder& reminder) {
    return reminder.turningAge ? NumberToText(*reminder.turningAge) : std::string();
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

std::string ReminderStateToBytes(const ReminderState& state) {
    std::string bytes = LastRunToBytes(state.day);
    bytes += StateLineEnd;
    bytes += state.since ? LastRunToBytes(*state.since) : std::string(NoDay);
    bytes += StateLineEnd;
    for (const std::string& key : state.announced) {
        bytes += key;
        bytes += StateLineEnd;
    }
    return bytes;
}

std::optional<ReminderState> ParseReminderState(std::string_view bytes) {
    LineReader reader(WithoutByteOrderMark(bytes));
    const auto day = ParseLastRun(reader.ReadLine());
    if (!day) return std::nullopt;
    ReminderState state{*day, std::nullopt, {}};
    if (reader.AtEnd()) return state;
    const std::string since = reader.ReadLine();
    if (since != NoDay) {
        state.since = ParseLastRun(since);
        if (!state.since) return std::nullopt;
    }
    while (!reader.AtEnd())
        state.announced.push_back(reader.ReadLine());
    return state;
}

std::string AnnouncementKey(const BirthdayEntry& entry) {
    // The name last, so that no character of it can run into the date.
    return entry.Day + "." + entry.Month + "." + entry.Year + " " + entry.Name;
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

std::string NextBirthdayTip(const BirthdayTable& table, CalendarDay today, std::size_t limit) {
    std::optional<std::int64_t> nearest;
    std::string name;
    int sameDay = 0;
    for (const BirthdayEntry& entry : table.Rows()) {
        const std::int64_t day = NumberFromText(entry.Day);
        const std::int64_t month = NumberFromText(entry.Month);
        if (NumberFromText(entry.Remind) == 0 || !IsRealDayOfYear(day, month)) continue;
        const std::int64_t days = DaysToBirthday(day, month, today);
        if (nearest && days > *nearest) continue;
        if (nearest && days == *nearest) {
            ++sameDay;
            continue;
        }
        nearest = days;
        name = entry.Name;
        sameDay = 0;
    }
    if (!nearest) return Shortened("Quillora: no birthdays to remind of", limit);
    const std::string when = *nearest == 0   ? "today"
                             : *nearest == 1 ? "tomorrow"
                                             : "in " + NumberToText(*nearest) + " days";
    const std::string more = sameDay > 0 ? " and " + NumberToText(sameDay) + " more" : "";
    const std::string tail = more + ", " + when;
    const std::string head = "Next birthday: ";
    // The name gives way first, so the days left always show.
    if (head.size() + tail.size() + 3 >= limit) return Shortened(head + name + tail, limit);
    return head + Shortened(name, limit - head.size() - tail.size()) + tail;
}

std::string AnnouncementText(const std::vector<DueReminder>& due, std::size_t limit) {
    constexpr std::size_t Shown = 3;
    std::string text;
    for (std::size_t index = 0; index < due.size() && index < Shown; ++index) {
        const DueReminder& reminder = due[index];
        if (!text.empty()) text += "\n";
        text += reminder.name;
        if (reminder.turningAge) text += " (" + NumberToText(*reminder.turningAge) + ")";
        text += ": " + WhenText(reminder.daysAway);
    }
    if (due.size() > Shown)
        text += "\nand " + NumberToText(static_cast<std::int64_t>(due.size() - Shown)) + " more";
    return Shortened(text, limit);
}

}  // namespace quillora
