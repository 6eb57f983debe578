// The list, the reminder and the calendar export tell the same story about
// every birthday: checked over random tables on random days, with extra
// weight on the end of February, leap and common years and centuries.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "calc/list_row.h"
#include "calc/reminders.h"
#include "exchange/exchange.h"

namespace quillora {
namespace {

CalendarDay Shifted(CalendarDay day, std::int64_t days) {
    return DayFromDate(AddDays(MakeDate(day.year, day.month, day.day, 0, 0, 0), days));
}

bool Before(CalendarDay a, CalendarDay b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

// Whether the yearly event has an occurrence on `day`, read from its lines
// as a calendar program reads RFC 5545: from DTSTART on, on DTSTART's month
// and day (a year without that day has none), or on the last day of
// February for BYMONTH=2;BYMONTHDAY=-1.
bool OccursOn(const std::vector<std::string>& event, CalendarDay day) {
    std::string start;
    std::string rule;
    for (const std::string& line : event) {
        if (line.rfind("DTSTART;VALUE=DATE:", 0) == 0) start = line.substr(19);
        if (line.rfind("RRULE:", 0) == 0) rule = line.substr(6);
    }
    if (start.size() != 8 || rule.rfind("FREQ=YEARLY", 0) != 0) return false;
    const CalendarDay first{std::stoi(start.substr(0, 4)), std::stoi(start.substr(4, 2)),
                            std::stoi(start.substr(6, 2))};
    if (Before(day, first)) return false;
    if (rule == "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1") return day.month == 2 && Shifted(day, 1).month == 3;
    return rule == "FREQ=YEARLY" && day.month == first.month && day.day == first.day;
}

// The lines of each event of an iCalendar export, by SUMMARY.
std::map<std::string, std::vector<std::string>> EventsBySummary(const std::string& bytes) {
    std::map<std::string, std::vector<std::string>> events;
    std::vector<std::string> event;
    for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        event.push_back(bytes.substr(start, end - start));
        if (event.back() == "BEGIN:VEVENT") event.assign(1, event.back());
        if (event.back() != "END:VEVENT") continue;
        for (const std::string& line : event) {
            if (line.rfind("SUMMARY:", 0) == 0) events[line.substr(8)] = event;
        }
    }
    return events;
}

struct Generated {
    BirthdayEntry entry;
    bool realDay;  // day and month name a day of the calendar
};

class RandomTables {
public:
    CalendarDay Today() {
        const int centuries[] = {2000, 2100, 2200, 2300, 2400};
        int year = Pick(0, 3) == 0 ? centuries[Pick(0, 4)] + Pick(-1, 1) : Pick(1970, 2399);
        if (Pick(0, 1) == 0) {  // around the end of February
            const CalendarDay feb27{year, 2, 27};
            return Shifted(feb27, Pick(0, 3));
        }
        return Shifted({year, 1, 1}, Pick(0, 365));
    }

    Generated Entry(int index, CalendarDay today) {
        CalendarDay birthday = today;
        bool realDay = true;
        std::string day, month;
        switch (Pick(0, 5)) {
            case 0:  // today
                break;
            case 1:
                birthday = {2000, 2, 29};
                break;
            case 2:  // soon, within the longest lead
                birthday = Shifted(today, Pick(1, 21));
                break;
            case 3:
                birthday = Shifted({2000, 1, 1}, Pick(0, 365));
                break;
            default: {
                const std::pair<const char*, const char*> odd[] = {{"31", "4"},  {"30", "2"}, {"0", "5"},
                                                                   {"32", "12"}, {"5", "13"}, {"", ""}};
                const auto& [d, m] = odd[Pick(0, 5)];
                day = d;
                month = m;
                realDay = false;
            }
        }
        if (realDay) {
            day = (Pick(0, 3) == 0 ? "0" : "") + std::to_string(birthday.day);
            month = std::to_string(birthday.month);
        }
        const std::string years[] = {"",
                                     "0",
                                     "abc",
                                     std::to_string(today.year + Pick(1, 5)),
                                     std::to_string(today.year),
                                     std::to_string(Pick(1880, today.year)),
                                     std::to_string(Pick(1880, today.year))};
        return {
            {"E" + std::to_string(index), day, month, years[Pick(0, 6)], Pick(0, 5) == 0 ? "0" : "1", "1"},
            realDay};
    }

    std::string LeadCode() { return std::to_string(Pick(0, 8)); }

    int Pick(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }

private:
    std::mt19937 random_{20261207};
};

TEST(BirthdayAgreement, ListReminderAndCalendarExportAgreeOnEveryDay) {
    RandomTables random;
    for (int round = 0; round < 3000; ++round) {
        const CalendarDay today = random.Today();
        std::vector<Generated> generated;
        BirthdayTable table;
        for (int index = random.Pick(1, 10); index > 0; --index) {
            generated.push_back(random.Entry(index, today));
            table.AppendLoaded(generated.back().entry);
        }
        Settings settings;
        settings.Set(DaysBeforeRemind, random.LeadCode());
        const int lead = LeadDaysOfCode(settings.Get(DaysBeforeRemind));

        std::map<std::string, DueReminder> due;
        for (DueReminder& reminder : DueReminders(table, settings, today, std::nullopt))
            due.emplace(reminder.name, std::move(reminder));
        const auto events =
            EventsBySummary(ExportTable(ExchangeFormat::ICalendar, table, {.today = today}).bytes);

        for (const auto& [entry, realDay] : generated) {
            SCOPED_TRACE(entry.Day + "." + entry.Month + "." + entry.Year + " remind " + entry.Remind +
                         " on " + LastRunToBytes(today) + " lead " + std::to_string(lead));
            const ListRow row = BuildRow(entry, today);
            const std::int64_t daysLeft = std::stoll(row.cells[DaysLeftColumn]);
            const auto reminder = due.find(entry.Name);
            const auto event = events.find(entry.Name);

            ASSERT_EQ(event != events.end(), realDay);
            if (realDay) {
                ASSERT_EQ(row.highlighted, OccursOn(event->second, today));
            }
            if (!realDay || entry.Remind == "0") {
                ASSERT_EQ(reminder, due.end());
                continue;
            }
            ASSERT_EQ(reminder != due.end(), daysLeft <= lead);
            if (reminder == due.end()) continue;
            ASSERT_EQ(row.highlighted, reminder->second.IsToday());
            ASSERT_EQ(reminder->second.daysAway, daysLeft);

            // TURNS is the list's AGE on the birthday; 29 February reminded on
            // 28 February shows the age that AGE reaches the next day.
            CalendarDay birthday = Shifted(today, daysLeft);
            if (std::stoi(entry.Day) == 29 && birthday.month == 2 && birthday.day == 28)
                birthday = Shifted(birthday, 1);
            ASSERT_EQ(AgeText(reminder->second), BuildRow(entry, birthday).cells[AgeColumn]);
        }
    }
}

}  // namespace
}  // namespace quillora
