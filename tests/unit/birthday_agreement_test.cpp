// The list, the reminder and the calendar export tell the same story about
// every birthday: checked over random tables on random days, with extra
// weight on the end of February, leap and common years and centuries.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "calc/list_row.h"
#include "calc/reminder_texts.h"
#include "calc/reminders.h"
#include "exchange/exchange.h"

namespace quillora {
namespace {

// Whether a yearly event of an iCalendar export occurs on `day`, as a
// calendar program reads RFC 5545: from DTSTART on, on DTSTART's month and
// day, or on the last day of February for BYMONTH=2;BYMONTHDAY=-1.
bool OccursOn(const std::string& event, CalendarDay day) {
    const std::size_t at = event.find("DTSTART;VALUE=DATE:") + 19;
    const CalendarDay first{std::stoi(event.substr(at, 4)), std::stoi(event.substr(at + 4, 2)),
                            std::stoi(event.substr(at + 6, 2))};
    if (std::tie(day.year, day.month, day.day) < std::tie(first.year, first.month, first.day)) return false;
    if (event.find("RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1\r\n") != std::string::npos)
        return day.month == 2 && ShiftedDay(day, 1).month == 3;
    return event.find("RRULE:FREQ=YEARLY\r\n") != std::string::npos && day.month == first.month &&
           day.day == first.day;
}

// Each event's lines by its SUMMARY (the names here need no escaping).
std::map<std::string, std::string> EventsBySummary(const std::string& bytes) {
    std::map<std::string, std::string> events;
    for (std::size_t begin = 0; (begin = bytes.find("BEGIN:VEVENT", begin)) != std::string::npos; ++begin) {
        const std::string event = bytes.substr(begin, bytes.find("END:VEVENT", begin) - begin);
        const std::size_t summary = event.find("SUMMARY:") + 8;
        events[event.substr(summary, event.find("\r\n", summary) - summary)] = event;
    }
    return events;
}

TEST(BirthdayAgreement, ListReminderAndCalendarExportAgreeOnEveryDay) {
    std::mt19937 random(20261207);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    const std::pair<const char*, const char*> odd[] = {{"31", "4"},  {"30", "2"}, {"0", "5"},
                                                       {"32", "12"}, {"5", "13"}, {"", ""}};
    for (int round = 0; round < 3000; ++round) {
        // Any year, centuries often, and the end of February half the time.
        const int year = pick(0, 3) == 0 ? 2000 + 100 * pick(0, 4) + pick(-1, 1) : pick(1970, 2399);
        const CalendarDay today =
            pick(0, 1) == 0 ? ShiftedDay({year, 2, 27}, pick(0, 3)) : ShiftedDay({year, 1, 1}, pick(0, 365));
        // Today, 29 February, within the longest lead, any day, or no real day
        // (named "N..."); every year text the list knows.
        BirthdayTable table;
        for (int index = pick(1, 10); index > 0; --index) {
            const int kind = pick(0, 5);
            const CalendarDay birthday = kind == 1   ? CalendarDay{2000, 2, 29}
                                         : kind == 2 ? ShiftedDay(today, pick(1, 21))
                                         : kind == 3 ? ShiftedDay({2000, 1, 1}, pick(0, 365))
                                                     : today;
            const auto& [oddDay, oddMonth] = odd[pick(0, 5)];
            const std::string years[] = {"",
                                         "0",
                                         "abc",
                                         std::to_string(today.year + pick(1, 5)),
                                         std::to_string(today.year),
                                         std::to_string(pick(1880, year))};
            table.AppendLoaded(
                {(kind > 3 ? "N" : "R") + std::to_string(index),
                 kind > 3 ? oddDay : (pick(0, 3) == 0 ? "0" : "") + std::to_string(birthday.day),
                 kind > 3 ? oddMonth : std::to_string(birthday.month), years[pick(0, 5)],
                 pick(0, 5) == 0 ? "0" : "1", "1"});
        }
        Settings settings;
        settings.Set(DaysBeforeRemind, std::to_string(pick(0, 8)));
        const int lead = LeadDaysOfCode(settings.Get(DaysBeforeRemind));

        std::map<std::string, DueReminder> due;
        for (DueReminder& reminder : CheckReminders(table, settings, today, std::nullopt).due)
            due.emplace(reminder.name, std::move(reminder));
        const auto events =
            EventsBySummary(ExportTable(ExchangeFormat::ICalendar, table, {.today = today}).bytes);

        for (const BirthdayEntry& entry : table.Rows()) {
            SCOPED_TRACE(entry.Day + "." + entry.Month + "." + entry.Year + " remind " + entry.Remind +
                         " on " + StateDayToBytes(today) + " lead " + std::to_string(lead));
            const bool realDay = entry.Name[0] == 'R';
            const ListRow row = BuildRow(entry, today);
            const std::int64_t daysLeft = std::stoll(row.cells[DaysLeftColumn]);
            const auto reminder = due.find(entry.Name);
            const auto event = events.find(entry.Name);

            ASSERT_EQ(event != events.end(), realDay);
            if (realDay) {
                ASSERT_EQ(row.highlighted, OccursOn(event->second, today));
            }
            const bool reminded = realDay && entry.Remind == "1";
            ASSERT_EQ(reminder != due.end(), reminded && daysLeft <= lead);
            if (reminder == due.end()) continue;
            ASSERT_EQ(row.highlighted, reminder->second.IsToday());
            ASSERT_EQ(reminder->second.daysAway, daysLeft);

            // TURNS is the list's AGE on the birthday; 29 February reminded on
            // 28 February shows the age that AGE reaches the next day.
            CalendarDay birthday = ShiftedDay(today, daysLeft);
            if (std::stoi(entry.Day) == 29 && birthday.day == 28) birthday = ShiftedDay(birthday, 1);
            ASSERT_EQ(AgeText(reminder->second.turningAge), BuildRow(entry, birthday).cells[AgeColumn]);
        }
    }
}

}  // namespace
}  // namespace quillora
