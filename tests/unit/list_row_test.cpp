#include "calc/list_row.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

constexpr CalendarDay Dec6th2026{2026, 12, 6};

TEST(BuildRow, ShowsStoredTextsAndComputedFigures) {
    const ListRow row = BuildRow({"Anna", "06", "12", "2000", "1", "1"}, Dec6th2026);
    EXPECT_EQ(row.cells,
              (std::array<std::string, ListColumnCount>{"Anna", "06", "12", "2000", "26", "0", "X"}));
    EXPECT_TRUE(row.highlighted);

    const ListRow later = BuildRow({" Ben", " 7", "$c", "", "0", "1"}, Dec6th2026);
    EXPECT_EQ(later.cells, (std::array<std::string, ListColumnCount>{" Ben", " 7", "$c", "", "", "1", ""}));
    EXPECT_FALSE(later.highlighted);
}

// AGE is shown only when it can be true: a year from 1 on and an age of 0 or
// more. DAYS LEFT and the highlight do not depend on the year.
TEST(BuildRow, LeavesAgeEmptyWhenNoAgeCanBeRight) {
    struct Case {
        const char* day;
        const char* year;
        const char* age;
    };
    const Case cases[] = {
        {"6", "", ""},
        {"6", "abc", ""},
        {"6", "0", ""},
        {"6", "-5", ""},
        {"7", "2030", ""},
        {"7", "2027", ""},
        {"7", "2026", ""},
        {"6", "2026", "0"},
        {"5", "2026", "0"},
        {"7", "2025", "0"},
        {"6", "1", "2025"},
        {"6", " 0001x", "2025"},
        {"6", "18446744073709551615", ""},  // wraps to -1
    };
    for (const Case& c : cases) {
        const ListRow row = BuildRow({"A", c.day, "12", c.year, "0", "1"}, Dec6th2026);
        EXPECT_EQ(row.cells[AgeColumn], c.age) << c.day << "." << c.year;
        EXPECT_EQ(row.cells[YearColumn], c.year);
        EXPECT_EQ(row.highlighted, std::string(c.day) == "6") << c.year;
        EXPECT_EQ(row.cells[DaysLeftColumn], std::string(c.day) == "6" ? "0" : c.day[0] == '7' ? "1" : "364");
    }
}

TEST(BuildRow, MarksRemindWhenTheNumberIsNotZero) {
    const std::pair<std::string, std::string> cases[] = {{"1", "X"}, {"2", "X"}, {"-1", "X"},
                                                         {"0", ""},  {"", ""},   {"abc", ""}};
    for (const auto& [remind, mark] : cases) {
        EXPECT_EQ(BuildRow({"A", "1", "1", "2000", remind, "1"}, Dec6th2026).cells[RemindColumn], mark)
            << remind;
    }
}

TEST(IsInMonth, ComparesTheMonthAsANumber) {
    const std::pair<std::string, bool> cases[] = {{"3", true},  {"03", true},         {" 3", true},
                                                  {"3x", true}, {"13", false},        {"", false},
                                                  {"$3", true}, {"4294967299", false}};
    for (const auto& [month, inMarch] : cases) {
        EXPECT_EQ(IsInMonth({"A", "1", month, "2000", "0", "1"}, 3), inMarch) << month;
    }
}

}  // namespace
}  // namespace quillora
