#include "calc/reminders.h"
#include "calc/reminder_texts.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

constexpr CalendarDay Dec6th2026{2026, 12, 6};

BirthdayEntry EntryOn(std::string name, CalendarDay birthday, std::string remind = "1") {
    return {std::move(name),
            std::to_string(birthday.day),
            std::to_string(birthday.month),
            std::to_string(birthday.year),
            std::move(remind),
            "1"};
}

// One reminded entry for each distance from `today`, named after it.
BirthdayTable EntriesAtDistances(CalendarDay today, int from, int to) {
    BirthdayTable table;
    for (int days = from; days <= to; ++days)
        table.AppendLoaded(EntryOn(std::to_string(days), ShiftedDay(today, days)));
    return table;
}

// What is due on `today` after a check on `lastRun`.
std::vector<DueReminder> DueReminders(const BirthdayTable& table, const Settings& settings, CalendarDay today,
                                      std::optional<CalendarDay> lastRun) {
    return CheckReminders(table, settings, today,
                          lastRun ? std::optional(ReminderState{*lastRun, std::nullopt, {}}) : std::nullopt)
        .due;
}

Settings LeadCode(std::string code) {
    Settings settings;
    settings.Set(DaysBeforeRemind, std::move(code));
    settings.Set(PlayMusicAtRemind, "1");
    return settings;
}

std::vector<std::string> Names(const std::vector<DueReminder>& due) {
    std::vector<std::string> names;
    names.reserve(due.size());
    for (const DueReminder& reminder : due)
        names.push_back(reminder.name);
    return names;
}

std::vector<std::string> NamesUpTo(int lastDistance) {
    std::vector<std::string> names;
    for (int days = 0; days <= lastDistance; ++days)
        names.push_back(std::to_string(days));
    return names;
}

TEST(DueReminders, LeadIsTheDaysCodeAsTheMenuShowsIt) {
    const BirthdayTable table = EntriesAtDistances(Dec6th2026, 0, 25);
    const struct {
        const char* code;
        int lead;
    } cases[] = {{"0", 0},
                 {"1", 1},
                 {"5", 5},
                 {"6", 10},
                 {"7", 15},
                 {"8", 20},
                 // The menu compares the code as text, and so does the lead.
                 {"06", 0},
                 {" 6", 0},
                 {"9", 0},
                 {"", 0},
                 {"abc", 0},
                 {"-1", 0}};
    for (const auto& [code, lead] : cases) {
        SCOPED_TRACE(std::string("code \"") + code + "\"");
        EXPECT_EQ(Names(DueReminders(table, LeadCode(code), Dec6th2026, std::nullopt)), NamesUpTo(lead));
    }
}

TEST(DueReminders, OnlyEntriesWhoseRemindReadsAsANumberOtherThanZero) {
    BirthdayTable table;
    for (const char* remind : {"1", "2", "-1", " 1", "$1", "0", "", "abc", "00", "$0"}) {
        table.AppendLoaded(EntryOn(remind, Dec6th2026, remind));
    }
    EXPECT_EQ(Names(DueReminders(table, LeadCode("8"), Dec6th2026, std::nullopt)),
              (std::vector<std::string>{"1", "2", "-1", " 1", "$1"}));
}

TEST(DueReminders, ComingFirstSoonestFirstThenMissedMostRecentFirst) {
    const CalendarDay today = Dec6th2026;
    BirthdayTable table;
    table.AppendLoaded(EntryOn("in three", ShiftedDay(today, 3)));
    table.AppendLoaded(EntryOn("two ago", ShiftedDay(today, -2)));
    table.AppendLoaded(EntryOn("today A", today));
    table.AppendLoaded(EntryOn("yesterday", ShiftedDay(today, -1)));
    table.AppendLoaded(EntryOn("tomorrow", ShiftedDay(today, 1)));
    table.AppendLoaded(EntryOn("today B", today));

    const auto due = DueReminders(table, LeadCode("3"), today, ShiftedDay(today, -5));
    EXPECT_EQ(Names(due), (std::vector<std::string>{"today A", "today B", "tomorrow", "in three", "yesterday",
                                                    "two ago"}));
    std::vector<std::string> when;
    when.reserve(due.size());
    for (const DueReminder& reminder : due)
        when.push_back(WhenText(reminder.daysAway));
    EXPECT_EQ(when, (std::vector<std::string>{"TODAY", "TODAY", "TOMORROW", "IN 3 DAYS", "YESTERDAY",
                                              "2 DAYS AGO"}));
    EXPECT_TRUE(due[0].IsToday());
    EXPECT_FALSE(due[2].IsToday());
}

TEST(DueReminders, CatchesUpOnlyDaysBetweenTheLastRunAndTodayAndAtMostAWeekBack) {
    const CalendarDay today = Dec6th2026;
    // Lead 0: only today's entry is coming, everything else can only be missed.
    const BirthdayTable table = EntriesAtDistances(today, -10, 0);
    const auto missed = [&](std::optional<CalendarDay> lastRun) {
        auto names = Names(DueReminders(table, LeadCode("0"), today, lastRun));
        names.erase(names.begin());  // today's own entry, always there
        return names;
    };
    EXPECT_EQ(missed(std::nullopt), std::vector<std::string>{});
    EXPECT_EQ(missed(today), std::vector<std::string>{});
    EXPECT_EQ(missed(ShiftedDay(today, 2)), std::vector<std::string>{});  // a clock set back
    EXPECT_EQ(missed(ShiftedDay(today, -1)), std::vector<std::string>{});
    // The day of the last run itself had its own reminder.
    EXPECT_EQ(missed(ShiftedDay(today, -3)), (std::vector<std::string>{"-1", "-2"}));
    EXPECT_EQ(missed(ShiftedDay(today, -8)),
              (std::vector<std::string>{"-1", "-2", "-3", "-4", "-5", "-6", "-7"}));
    EXPECT_EQ(missed(CalendarDay{2020, 1, 1}),
              (std::vector<std::string>{"-1", "-2", "-3", "-4", "-5", "-6", "-7"}));
}

TEST(DueReminders, CatchUpAndAgesAcrossTheYearEnd) {
    BirthdayTable table;
    table.AppendLoaded(EntryOn("Eve", {2000, 12, 31}));
    table.AppendLoaded({"Jan", "03", "1", "1990", "1", "1"});  // shown as "3 January"
    const auto due = DueReminders(table, LeadCode("1"), {2027, 1, 2}, CalendarDay{2026, 12, 28});
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0], (DueReminder{"Jan", "3 January", 37, 1}));
    // Turned 26 in the old year, although it is 2027 now.
    EXPECT_EQ(due[1], (DueReminder{"Eve", "31 December", 26, -2}));

    // Coming next year: the age reached then.
    const auto ahead = DueReminders(table, LeadCode("6"), {2026, 12, 30}, std::nullopt);
    ASSERT_EQ(ahead.size(), 2u);
    EXPECT_EQ(ahead[0], (DueReminder{"Eve", "31 December", 26, 1}));
    EXPECT_EQ(ahead[1], (DueReminder{"Jan", "3 January", 37, 4}));
}

TEST(DueReminders, OnlyRealDatesRemindAndTheLeapDayOnTheTwentyEighthInCommonYears) {
    BirthdayTable table;
    table.AppendLoaded({"Leap", "29", "2", "2000", "1", "1"});
    for (const auto& [day, month] : {std::pair{"31", "4"},
                                     {"0", "5"},
                                     {"5", "0"},
                                     {"5", "13"},
                                     {"", ""},
                                     {"30", "2"},
                                     {"32", "1"},
                                     {"abc", "3"}}) {
        table.AppendLoaded({std::string("not a date ") + day + "." + month, day, month, "2000", "1", "1"});
    }
    // Every day of a common and of a leap year, with the longest lead.
    for (const CalendarDay start : {CalendarDay{2027, 1, 1}, CalendarDay{2028, 1, 1}}) {
        for (int days = 0; days < 366; ++days) {
            const CalendarDay today = ShiftedDay(start, days);
            for (const DueReminder& reminder :
                 DueReminders(table, LeadCode("8"), today, ShiftedDay(today, -8)))
                EXPECT_EQ(reminder.name, "Leap") << StateDayToBytes(today);
        }
    }
    const auto due = DueReminders(table, LeadCode("2"), {2027, 2, 26}, std::nullopt);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0], (DueReminder{"Leap", "29 February", 27, 2}));
    EXPECT_TRUE(DueReminders(table, LeadCode("0"), {2027, 2, 28}, std::nullopt).at(0).IsToday());
    EXPECT_TRUE(DueReminders(table, LeadCode("0"), {2027, 3, 1}, std::nullopt).empty());
    EXPECT_TRUE(DueReminders(table, LeadCode("0"), {2028, 2, 28}, std::nullopt).empty());
    EXPECT_TRUE(DueReminders(table, LeadCode("0"), {2028, 2, 29}, std::nullopt).at(0).IsToday());
}

// The list's rule: an age only for a year from 1 on that the birthday has
// reached; the balloon shows the same.
TEST(DueReminders, AgeFollowsTheListsRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},      {"0", ""},     {"abc", ""},   {"2030", ""},     {"2027", ""},
        {"2026", "0"}, {"2025", "1"}, {"1", "2025"}, {" 1990x", "36"},
    };
    BirthdayTable table;
    for (const auto& [year, age] : cases)
        table.AppendLoaded({std::string("Y") + year, "6", "12", year, "1", "1"});
    const auto due = DueReminders(table, LeadCode("0"), Dec6th2026, std::nullopt);
    ASSERT_EQ(due.size(), std::size(cases));
    for (std::size_t i = 0; i < due.size(); ++i) {
        EXPECT_EQ(AgeText(due[i].turningAge), cases[i].second) << cases[i].first;
        const std::string shown = *cases[i].second ? std::string(" (") + cases[i].second + ")" : "";
        EXPECT_EQ(AnnouncementText({due[i]}, 200), due[i].name + shown + ": TODAY") << cases[i].first;
    }
}

TEST(WhenText, NamesTheDistance) {
    EXPECT_EQ(WhenText(0), "TODAY");
    EXPECT_EQ(WhenText(1), "TOMORROW");
    EXPECT_EQ(WhenText(2), "IN 2 DAYS");
    EXPECT_EQ(WhenText(20), "IN 20 DAYS");
    EXPECT_EQ(WhenText(-1), "YESTERDAY");
    EXPECT_EQ(WhenText(-7), "7 DAYS AGO");
}

TEST(ReminderStateDay, WrittenAsOneDateLineAndReadBack) {
    EXPECT_EQ(StateDayToBytes({2026, 3, 5}), "2026-03-05");
    EXPECT_EQ(ParseStateDay("2026-03-05"), (CalendarDay{2026, 3, 5}));
    EXPECT_EQ(ParseStateDay("2024-02-29\r\n"), (CalendarDay{2024, 2, 29}));
    EXPECT_EQ(ParseStateDay("\xEF\xBB\xBF"
                            "2026-12-31\n"),
              (CalendarDay{2026, 12, 31}));
    EXPECT_EQ(ParseStateDay(StateDayToBytes({2038, 1, 20})), (CalendarDay{2038, 1, 20}));
}

TEST(ReminderStateDay, AnythingButARealDateReadsAsNoDay) {
    for (const char* bytes : {"", "\r\n", "abc", "2026-3-05", "2026-03-5", " 2026-03-05", "2026-03-05 ",
                              "2026/03/05", "2023-02-29", "2026-13-01", "2026-00-10", "2026-04-31",
                              "1969-12-31", "+026-03-05", "\r\n2026-03-05"}) {
        EXPECT_EQ(ParseStateDay(bytes), std::nullopt) << '"' << bytes << '"';
    }
}

ReminderState StateOn(CalendarDay day, std::optional<CalendarDay> since, std::vector<std::string> announced) {
    return {day, since, std::move(announced)};
}

TEST(ReminderState, WrittenAsLinesAndReadBack) {
    const ReminderState state =
        StateOn({2026, 12, 7}, CalendarDay{2026, 12, 1}, {"6.12.1990 Ann", "7.12. Bo"});
    EXPECT_EQ(ReminderStateToBytes(state), "2026-12-07\r\n2026-12-01\r\n6.12.1990 Ann\r\n7.12. Bo\r\n");
    EXPECT_EQ(ParseReminderState(ReminderStateToBytes(state)), state);
    const ReminderState first = StateOn({2026, 12, 7}, std::nullopt, {});
    EXPECT_EQ(ReminderStateToBytes(first), "2026-12-07\r\n-\r\n");
    EXPECT_EQ(ParseReminderState(ReminderStateToBytes(first)), first);
    // The one-line record of earlier versions.
    EXPECT_EQ(ParseReminderState("2026-12-06"), StateOn({2026, 12, 6}, std::nullopt, {}));
    for (const char* corrupt : {"", "garbage\r\n", "2026-12-07\r\nyesterday\r\n", "\0\0\0"}) {
        EXPECT_EQ(ParseReminderState(corrupt), std::nullopt) << corrupt;
    }
}

TEST(CheckReminders, AnnouncesEachEntryOnceADayAndAgainTheNextDay) {
    BirthdayTable table;
    table.AppendLoaded(EntryOn("Ann", ShiftedDay(Dec6th2026, 2)));
    const Settings lead = LeadCode("5");
    const ReminderCheck first = CheckReminders(table, lead, Dec6th2026, std::nullopt);
    EXPECT_EQ(Names(first.newlyDue), std::vector<std::string>{"Ann"});
    EXPECT_EQ(first.state.announced.size(), 1u);

    // A second check that day, also after a round trip through the file.
    const auto stored = ParseReminderState(ReminderStateToBytes(first.state));
    ASSERT_TRUE(stored.has_value());
    table.AppendLoaded(EntryOn("Bo", Dec6th2026));
    const ReminderCheck again = CheckReminders(table, lead, Dec6th2026, stored);
    EXPECT_EQ(Names(again.newlyDue), std::vector<std::string>{"Bo"});
    EXPECT_EQ(Names(again.due), (std::vector<std::string>{"Bo", "Ann"}));
    EXPECT_TRUE(CheckReminders(table, lead, Dec6th2026, again.state).newlyDue.empty());

    // A new day starts afresh; a record of another day counts as the last check.
    const CalendarDay tomorrow = ShiftedDay(Dec6th2026, 1);
    const ReminderCheck next = CheckReminders(table, lead, tomorrow, again.state);
    EXPECT_EQ(Names(next.newlyDue), std::vector<std::string>{"Ann"});
    EXPECT_EQ(next.state.since, Dec6th2026);
    EXPECT_EQ(next.state.announced, std::vector<std::string>{AnnouncementKey(table.Rows()[0])});
}

TEST(CheckReminders, TheCatchUpLastsAllDay) {
    BirthdayTable table;
    table.AppendLoaded(EntryOn("Missed", ShiftedDay(Dec6th2026, -2)));
    const ReminderState beforeSleep = StateOn(ShiftedDay(Dec6th2026, -4), std::nullopt, {"x"});
    const ReminderCheck wake = CheckReminders(table, LeadCode("0"), Dec6th2026, beforeSleep);
    EXPECT_EQ(Names(wake.newlyDue), std::vector<std::string>{"Missed"});
    const ReminderCheck later = CheckReminders(table, LeadCode("0"), Dec6th2026, wake.state);
    EXPECT_TRUE(later.newlyDue.empty());
    EXPECT_EQ(Names(later.due), std::vector<std::string>{"Missed"});
}

TEST(NextBirthdayTip, NamesTheNearestReminderAndTheDaysLeft) {
    BirthdayTable table;
    EXPECT_EQ(NextBirthdayTip(table, Dec6th2026, 128), "Quillora: no birthdays to remind of");
    table.AppendLoaded(EntryOn("Far", ShiftedDay(Dec6th2026, 40)));
    table.AppendLoaded(EntryOn("Silent", ShiftedDay(Dec6th2026, 1), "0"));
    table.AppendLoaded({"Not a date", "31", "4", "2000", "1", "1"});
    table.AppendLoaded(EntryOn("Near", ShiftedDay(Dec6th2026, 3)));
    EXPECT_EQ(NextBirthdayTip(table, Dec6th2026, 128), "Next birthday: Near, in 3 days");
    table.AppendLoaded(EntryOn("Also near", ShiftedDay(Dec6th2026, 3)));
    EXPECT_EQ(NextBirthdayTip(table, Dec6th2026, 128), "Next birthdays: Near and Also near, in 3 days");
    table.AppendLoaded(EntryOn("Christopher", ShiftedDay(Dec6th2026, 3)));
    // As many names as fit, then how many more.
    for (const auto& [limit, tip] : std::vector<std::pair<std::size_t, std::string>>{
             {128, "Next birthdays: Near, Also near and Christopher, in 3 days"},
             {58, "Next birthdays: Near, Also near and Christopher, in 3 days"},
             {57, "Next birthdays: Near, Also near and 1 more, in 3 days"},
             {52, "Next birthdays: Near and 2 more, in 3 days"},
         }) {
        EXPECT_EQ(NextBirthdayTip(table, Dec6th2026, limit), tip) << limit;
    }
    table.AppendLoaded(EntryOn(std::string(300, 'N'), Dec6th2026));
    const std::string tip = NextBirthdayTip(table, Dec6th2026, 127);
    EXPECT_EQ(tip.size(), 127u);
    EXPECT_TRUE(tip.ends_with("..., today")) << tip;
    EXPECT_EQ(NextBirthdayTip(table, ShiftedDay(Dec6th2026, -1), 128).substr(0, 15), "Next birthday: ");
}

TEST(AnnouncementText, TheFirstThreeAndHowManyMore) {
    std::vector<DueReminder> due = {{"Ann", "6 December", 30, 0}, {"Bo", "7 December", std::nullopt, 1}};
    EXPECT_EQ(AnnouncementText(due, 256), "Ann (30): TODAY\nBo: TOMORROW");
    due.push_back({"Cy", "9 December", 5, 3});
    due.push_back({"Di", "1 December", 5, -5});
    due.push_back({"Ed", "1 December", 5, -5});
    EXPECT_EQ(AnnouncementText(due, 256), "Ann (30): TODAY\nBo: TOMORROW\nCy (5): IN 3 DAYS\nand 2 more");
    EXPECT_EQ(AnnouncementText({{std::string(400, 'x'), "", 1, 0}}, 255).size(), 255u);
}

}  // namespace
}  // namespace quillora
