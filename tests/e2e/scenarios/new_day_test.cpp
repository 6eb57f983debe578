// A new day while the program runs: the visible list gets the new figures
// and highlight and keeps its tab, order (the user's after a header click,
// table order after a refill) and selection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/list_row.h"
#include "clock_shift.h"
#include "driver.h"
#include "test_support.h"

namespace quillora::e2e {
namespace {

using NewDayTest = ProgramOnList;

TEST_F(NewDayTest, AClockChangeRefillsTheListKeepingOrderAndSelection) {
    const Day today = LocalToday();
    const Day tomorrow = DaysFrom(today, 1);
    const Day later = DaysFrom(today, 10);
    auto entry = [](const char* name, Day day) {
        return Entry{name, std::to_string(day.day), std::to_string(day.month), "2000", "0", "1"};
    };
    ASSERT_NO_FATAL_FAILURE(
        Start(ListBytes({entry("Later", later), entry("Today", today), entry("Tomorrow", tomorrow)})));
    HWND list = ListOfTab(main_, AllTab);
    auto column = [&](int which) { return ColumnTexts(list, which); };

    // Sorted by DAYS LEFT, "Later" selected.
    ClickHeader(list, DaysLeftColumn);
    ASSERT_TRUE(WaitUntil(
        [&] {
            return column(NameColumn) == std::vector<std::string>{"Today", "Tomorrow", "Later"};
        },
        Millis{5000}));
    ASSERT_TRUE(SelectRow(list, 2));

    // The program's clock moves on a day; the system tells it the time changed.
    const SharedBlock<test::ClockShift> shift(test::ClockShiftMappingName(program_.Id()));
    ASSERT_NE(shift.Get(), nullptr);
    shift->days = 1;
    ASSERT_TRUE(LoadLibraryInto(main_, OwnFolder() + "\\quillora_clock_probe.dll"));
    ASSERT_EQ(shift->installed, 1) << "the program imports GetLocalTime";
    EXPECT_EQ(column(DaysLeftColumn), (std::vector<std::string>{"0", "1", "10"}))
        << "nothing refills by itself";
    PostMessageA(main_, WM_TIMECHANGE, 0, 0);

    const int daysInYear = static_cast<int>(DayIndex(tomorrow.year + 1, tomorrow.month, tomorrow.day) -
                                            DayIndex(tomorrow.year, tomorrow.month, tomorrow.day));
    ASSERT_TRUE(WaitUntil([&] { return column(DaysLeftColumn).front() == "0"; }, Millis{5000}));
    EXPECT_EQ(column(NameColumn), (std::vector<std::string>{"Tomorrow", "Later", "Today"}));
    EXPECT_EQ(column(DaysLeftColumn), (std::vector<std::string>{"0", "9", std::to_string(daysInYear - 1)}));
    EXPECT_EQ(TabReader(Control(main_, TabStripId)).Selected(), AllTab);
    const int selected = ListViewReader(list).SelectedItem();
    ASSERT_GE(selected, 0);
    EXPECT_EQ(ListViewReader(list).Text(selected, NameColumn), "Later");

    // Tomorrow's birthday is highlighted now, today's no longer.
    ASSERT_TRUE(BringToFront(main_));
    ASSERT_TRUE(WaitUntil([&] { return IsFullyDrawn(main_); }, Millis{5000}));
    auto colourOfRow = [&](int row) {
        const RECT item = ListViewReader(list).ItemRect(row);
        return ScreenPixel(list, POINT{item.left + 150, (item.top + item.bottom) / 2});
    };
    EXPECT_EQ(colourOfRow(0), RGB(0, 193, 193));
    EXPECT_NE(colourOfRow(2), RGB(0, 193, 193));

    // A tab change refills the list in table order; the next day keeps that
    // order instead of sorting by the column clicked before.
    const HWND tabs = Control(main_, TabStripId);
    const int otherTab = 1;
    ClickTab(tabs, otherTab);
    ASSERT_TRUE(WaitUntil([&] { return TabReader(tabs).Selected() == otherTab; }, Millis{5000}));
    ClickTab(tabs, AllTab);
    const std::vector<std::string> tableOrder{"Later", "Today", "Tomorrow"};
    ASSERT_TRUE(WaitUntil([&] { return column(NameColumn) == tableOrder; }, Millis{5000}));
    // Eleven days on, sorting by DAYS LEFT would put "Later" last.
    const std::vector<std::string> figuresBefore = column(DaysLeftColumn);
    shift->days = 11;
    PostMessageA(main_, WM_TIMECHANGE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return column(DaysLeftColumn) != figuresBefore; }, Millis{5000}));
    EXPECT_EQ(column(NameColumn), tableOrder);

    PostCommand(main_, QuitCommand);
    ASSERT_TRUE(program_.WaitForExit().has_value()) << program_.Describe();
}

}  // namespace
}  // namespace quillora::e2e
