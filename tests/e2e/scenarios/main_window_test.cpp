// The main window as the user meets it: its layout, the lists with age and
// days left, the month tabs, sorting by a header click, the settings menu and
// its marks, and quitting.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "calc/list_row.h"
#include "driver.h"
#include "menu_marks.h"
#include "test_support.h"
#include "ui/ids.h"

namespace quillora::e2e {
namespace {

// Expected figures come from the tests' own calendar (test_support.h), not
// the program's.

// Days to the next birthday of a real day and month; 29 February falls on
// 28 February in common years.
int ExpectedDaysLeft(int month, int day, Day today) {
    const long long now = DayIndex(today.year, today.month, today.day);
    for (int year = today.year;; ++year) {
        // A common year's 1 March follows 28 February directly.
        const bool common = DayIndex(year, 3, 1) - DayIndex(year, 2, 28) == 1;
        const long long birthday =
            month == 2 && day == 29 && common ? DayIndex(year, 2, 28) : DayIndex(year, month, day);
        if (birthday >= now) return static_cast<int>(birthday - now);
    }
}

int ExpectedAge(int day, int month, int year, Day today) {
    const bool ahead = month > today.month || (month == today.month && day > today.day);
    return today.year - year - (ahead ? 1 : 0);
}

// ---------------------------------------------------------------------------

class MainWindowTest : public ProgramOnList {
protected:
    // A click on a column header, a little left or right of its centre:
    // two clicks on one spot in quick succession would be a double click.
    void ClickColumn(HWND list, int column) {
        const ListViewReader reader(list);
        const RECT item = reader.HeaderItemRect(column);
        POINT point = CentreOf(item);
        point.x += (clicks_++ % 2 == 0) ? -8 : 8;
        ClickIn(reader.Header(), point);
    }

    // Read from inside the program once it waits for input, so after the
    // start and after the command that changed them.
    std::optional<test::MenuMarks> Marks() const { return test::ReadMenuMarksWhenIdle(program_.Id()); }

    // Waits until the settings file holds exactly `bytes`.
    bool SettingsBecome(const std::string& bytes) const {
        return WaitUntil([&] { return ReadBytes(scenario_->SettingsFile()) == bytes; }, Millis{5000});
    }

    int clicks_ = 0;
};

TEST_F(MainWindowTest, IsLaidOutAsDesignedWithItsMenus) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    auto line = [](int depth, int id, const char* caption) {
        return std::string(static_cast<std::size_t>(depth) * 2, ' ') + std::to_string(id) + " " + caption +
               "\n";
    };
    std::string bar = "Program\n" + line(1, ImportCommand, "Import...") +
                      line(1, ExportCommand, "Export...") + "  -\n" + line(1, QuitCommand, "Quit") +
                      "Settings\n" + line(1, PlayMusicCommand, "Play music at remind") +
                      "  Days before remind\n";
    int command = FirstDaysBeforeRemindCommand;
    for (const char* days : {"0", "1", "2", "3", "4", "5", "10", "15", "20"})
        bar += line(2, command++, days);
    bar += "?\n" + line(1, InformationCommand, "Information") + line(1, DonateCommand, "Donate");
    const auto marks = Marks();
    ASSERT_TRUE(marks.has_value()) << "the probe could not read the menu";
    EXPECT_EQ(marks->menuBar, bar);
    EXPECT_STREQ(marks->popup, "") << "no popup menu is open yet";

    EXPECT_EQ(TextOf(main_), "QUILLORA");
    const LONG style = GetWindowLongA(main_, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    // The client area is 600 x 500 without the menu bar, which takes its
    // height from it.
    const SIZE client = ClientSize(main_);
    EXPECT_EQ(client.cx, 600);
    EXPECT_LT(client.cy, 500);
    EXPECT_GE(client.cy, 475) << "the buttons must stay inside";

    // Where the controls lie is checked by the display-scaling test.
    for (const auto& [id, text] : {std::pair{FrameId, ""}, std::pair{AddEntryButtonId, "ADD ENTRY"},
                                   std::pair{EditEntryButtonId, "EDIT ENTRY"},
                                   std::pair{DeleteEntryButtonId, "DELETE ENTRY"}, std::pair{TabStripId, ""}})
        EXPECT_EQ(TextOf(Control(main_, id)), text) << id;

    const TabReader tabs(TabStrip());
    const std::array<const char*, 13> captions = {"ALL", "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    ASSERT_EQ(tabs.Count(), 13);
    for (int tab = 0; tab < 13; ++tab)
        EXPECT_EQ(tabs.Caption(tab), captions[tab]);
    EXPECT_EQ(tabs.Selected(), AllTab);

    const std::array<const char*, 7> headers = {"NAME", "DAY", "MONTH", "YEAR", "AGE", "DAYS LEFT", "REMIND"};
    const std::array<int, 7> widths = {177, 60, 60, 60, 60, 70, 60};
    // A month's list is made when its tab is first shown: "ALL", then the
    // months from the last, each one shown alone.
    int shownBefore = AllTab;
    for (int step = 0; step < 13; ++step) {
        const int tab = (13 - step) % 13;
        SCOPED_TRACE(tab);
        if (tab != AllTab) {
            EXPECT_EQ(List(tab), nullptr) << "made before its tab was first shown";
            ClickTab(TabStrip(), tab);
        }
        HWND list = List(tab);
        ASSERT_NE(list, nullptr);
        ExpectPlaced(GetParent(list), {{ListViewIdOfTab(tab), 6, 10, 551, 370}});
        EXPECT_TRUE(IsShown(list));
        if (tab != shownBefore) {
            EXPECT_FALSE(IsShown(List(shownBefore)));
        }
        shownBefore = tab;
        const ListViewReader reader(list);
        ASSERT_EQ(reader.ColumnCount(), 7);
        for (int column = 0; column < 7; ++column) {
            EXPECT_EQ(reader.ColumnTitles()[column], headers[column]);
            const RECT header = reader.HeaderItemRect(column);
            EXPECT_EQ(header.right - header.left, widths[column]);
        }
    }
    Quit();
}

TEST_F(MainWindowTest, ListsEveryEntryWithAgeDaysLeftAndRemindMark) {
    const Day today = LocalToday();
    const Day tomorrow = DaysFrom(today, 1);
    const Day yesterday = DaysFrom(today, -1);
    // The figures' rules (no year or one still to come, 29 February, stored
    // texts shown as they are, remind numbers) are the unit tests' (ListRow,
    // BuildRow); here the rows are those of the list on the program's today.
    const std::vector<Entry> entries = {
        {"Today", std::to_string(today.day), std::to_string(today.month), "2000", "1", "1"},
        {"Tomorrow", std::to_string(tomorrow.day), std::to_string(tomorrow.month), "1990", "1", "1"},
        {"Yesterday", std::to_string(yesterday.day), std::to_string(yesterday.month), "1985", "0", "1"},
    };
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes(entries)));

    std::vector<std::vector<std::string>> expected;
    for (const Entry& entry : entries) {
        const int day = std::stoi(entry.day);
        const int month = std::stoi(entry.month);
        const int age = ExpectedAge(day, month, std::stoi(entry.year), today);
        expected.push_back({entry.name, entry.day, entry.month, entry.year, std::to_string(age),
                            std::to_string(ExpectedDaysLeft(month, day, today)),
                            entry.remind == "1" ? "X" : ""});
    }
    const auto shown = ListViewReader(List(AllTab)).Rows();
    EXPECT_EQ(shown, expected);
    // Whatever the reference calendar says, today counts 0 and tomorrow 1.
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[0][DaysLeftColumn], "0");
    EXPECT_EQ(shown[1][DaysLeftColumn], "1");

    // Today's row is highlighted, the others keep the list's colours.
    ASSERT_TRUE(WaitUntil([&] { return IsFullyDrawn(main_); }, Millis{5000}));
    const ListViewReader reader(List(AllTab));
    auto colourOfRow = [&](int row) {
        const RECT item = reader.ItemRect(row);
        return ScreenPixel(List(AllTab), POINT{item.left + 150, (item.top + item.bottom) / 2});
    };
    EXPECT_EQ(colourOfRow(0), RGB(0, 193, 193));
    EXPECT_NE(colourOfRow(1), RGB(0, 193, 193));
    Quit();
}

TEST_F(MainWindowTest, MonthTabsListTheEntriesOfTheirMonthByNumberAndAClearedListIgnoresAHeaderClick) {
    const std::vector<Entry> entries = {
        {"Plain", "1", "3", "2000", "1", "1"},   {"Zero", "2", "03", "2000", "1", "1"},
        {"Blank", "3", " 3", "2000", "1", "1"},  {"Thirteen", "4", "13", "2000", "1", "1"},
        {"No month", "5", "", "2000", "1", "1"}, {"April", "6", "4", "2000", "1", "1"},
    };
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes(entries)));
    EXPECT_EQ(ListViewReader(List(AllTab)).ItemCount(), 6);

    const int march = 3;
    ClickTab(TabStrip(), march);
    ASSERT_TRUE(ColumnBecomes(List(march), NameColumn, {"Plain", "Zero", "Blank"}));
    EXPECT_EQ(TabReader(TabStrip()).Selected(), march);
    EXPECT_TRUE(IsShown(List(march)));
    EXPECT_FALSE(IsShown(List(AllTab)));

    ClickTab(TabStrip(), 4);
    ASSERT_TRUE(ColumnBecomes(List(4), NameColumn, {"April"}));
    ClickTab(TabStrip(), 12);
    ASSERT_TRUE(ColumnBecomes(List(12), NameColumn, {}));

    // Clearing the list shows "ALL" again, refilled, whatever tab was open.
    PostCommand(main_, ClearListCommand);
    ASSERT_TRUE(WaitUntil([&] { return TabReader(TabStrip()).Selected() == AllTab; }, Millis{5000}));
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, {}));

    // A header click on the empty list changes nothing: counted, it would
    // make the next one on "AGE" sort descending.
    ClickColumn(List(AllTab), AgeColumn);
    const Entry ten{"Ten", "1", "1", std::to_string(LocalToday().year - 10), "1", "1"};
    const Entry nine{"Nine", "1", "1", std::to_string(LocalToday().year - 9), "1", "1"};
    ASSERT_TRUE(AddEntry(ten.name, ten.day, ten.month, ten.year));
    ASSERT_TRUE(AddEntry(nine.name, nine.day, nine.month, nine.year));
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, {"Ten", "Nine"}));
    ClickColumn(List(AllTab), AgeColumn);
    EXPECT_TRUE(ColumnBecomes(List(AllTab), NameColumn, {"Nine", "Ten"}))
        << "the first sort by age is ascending";
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes({ten, nine}));
}

TEST_F(MainWindowTest, HeaderClicksSortAscendingThenDescending) {
    const Day today = LocalToday();
    // Birthdays on 1 January make AGE simply this year minus the birth year.
    const std::vector<Entry> entries = {
        {"bob", "1", "1", std::to_string(today.year - 10), "1", "1"},
        {"Alice", "1", "1", std::to_string(today.year - 9), "0", "1"},
        {"\xC9mile", "1", "1", std::to_string(today.year - 100), "1", "1"},
        {"carl", std::to_string(today.day), std::to_string(today.month), std::to_string(today.year - 40), "0",
         "1"},
    };
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes(entries)));
    HWND list = List(AllTab);

    ClickColumn(list, AgeColumn);
    std::vector<std::string> byAge = {"Alice", "bob", "carl", "\xC9mile"};
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, byAge)) << "9 sorts before 10: numbers, not texts";
    ClickColumn(list, AgeColumn);
    std::reverse(byAge.begin(), byAge.end());
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, byAge));

    // Letter case does not count; an accented capital sorts after ASCII.
    ClickColumn(list, NameColumn);
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, {"Alice", "bob", "carl", "\xC9mile"}));
    ClickColumn(list, NameColumn);
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, {"\xC9mile", "carl", "bob", "Alice"}));

    ClickColumn(list, RemindColumn);
    ASSERT_TRUE(ColumnBecomes(List(AllTab), RemindColumn, {"", "", "X", "X"}));
    ClickColumn(list, RemindColumn);
    ASSERT_TRUE(ColumnBecomes(List(AllTab), RemindColumn, {"X", "X", "", ""}));

    ClickColumn(list, DaysLeftColumn);
    ASSERT_TRUE(
        WaitUntil([&] { return ColumnTexts(List(AllTab), DaysLeftColumn).front() == "0"; }, Millis{5000}))
        << "today's birthday comes first";
    EXPECT_EQ(ColumnTexts(List(AllTab), NameColumn).front(), "carl");
    ClickColumn(list, DaysLeftColumn);
    ASSERT_TRUE(
        WaitUntil([&] { return ColumnTexts(List(AllTab), DaysLeftColumn).back() == "0"; }, Millis{5000}));

    // Sorting reorders the display only: the file keeps the table's order.
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes(entries));
}

// The list's popup menu; "Clear List" and a deletion taken back with Ctrl+Z,
// the entry in its place; the deletion made again with Ctrl+Y reaches the
// file.
TEST_F(MainWindowTest, RightClickOpensThePopupAndControlZTakesBackClearingAndDeletingAndControlYRedoes) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    RightClickList(List(AllTab), -1);
    ASSERT_NE(WaitForPopupMenu(program_.Id()), nullptr) << "a right click below the rows opens the menu too";
    auto marks = Marks();
    ASSERT_TRUE(marks.has_value()) << "the probe could not read the menu";
    auto line = [](int id, const char* caption) { return std::to_string(id) + " " + caption + "\n"; };
    EXPECT_EQ(marks->popup, line(NewEntryCommand, "New Entry") + line(EditEntryCommand, "Edit Entry") +
                                line(DeleteEntryCommand, "Delete Entry") + "-\n" +
                                line(ClearListCommand, "Clear List") + "-\n" +
                                line(UndoCommand, "Undo\tCtrl+Z (greyed)") +
                                line(RedoCommand, "Redo\tCtrl+Y (greyed)"))
        << "nothing to undo or redo yet";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(
        WaitUntil([&] { return WaitForPopupMenu(program_.Id(), Millis{0}) == nullptr; }, Millis{5000}));

    PostCommand(main_, ClearListCommand);
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, {}));
    RightClickList(List(AllTab), -1);
    ASSERT_NE(WaitForPopupMenu(program_.Id()), nullptr);
    marks = Marks();
    ASSERT_TRUE(marks.has_value()) << "the probe could not read the menu";
    EXPECT_NE(std::string(marks->popup).find("\n20 Undo\tCtrl+Z\n21 Redo\tCtrl+Y (greyed)\n"),
              std::string::npos)
        << marks->popup;
    PressKey(VK_ESCAPE);
    PressKey('Z', {VK_CONTROL});
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, {"Anna", "Ben"}));
    ASSERT_TRUE(SelectRow(List(AllTab), 0));
    PressKey(VK_DELETE);
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, {"Ben"}));
    PressKey('Z', {VK_CONTROL});
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, {"Anna", "Ben"})) << "back in its place";
    EXPECT_EQ(ListViewReader(List(AllTab)).SelectedItem(), 0);
    PressKey('Y', {VK_CONTROL});
    ASSERT_TRUE(ColumnBecomes(List(AllTab), NameColumn, {"Ben"}));
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), "1\r\nBen\r\n3\r\n11\r\n1975\r\n0\r\n1");
}

TEST_F(MainWindowTest, DaysBeforeRemindStoresTheCodeAndMarksOneEntry) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList(), "5\r\n1\r\n1"));
    auto marks = Marks();
    ASSERT_TRUE(marks.has_value()) << "the probe could not read the menu";
    EXPECT_EQ(marks->MarkedDaysCode(), 5);

    // The entries read 0..5, 10, 15, 20; what is stored is the entry's code.
    for (int code = 0; code <= 8; ++code) {
        SCOPED_TRACE(code);
        PostCommand(main_, FirstDaysBeforeRemindCommand + code);
        ASSERT_TRUE(SettingsBecome(std::to_string(code) + "\r\n1\r\n1"));
        marks = Marks();
        ASSERT_TRUE(marks.has_value());
        EXPECT_EQ(marks->MarkedDaysCode(), code);
    }
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), std::string("8\r\n1\r\n1"));
}

// "Play music at remind" starts from the stored number and toggles; a days
// line that is not exactly a code ("06") marks no "Days before remind" entry
// and is written back as it was.
TEST_F(MainWindowTest, PlayMusicStartsFromTheStoredNumberAndToggles) {
    struct Case {
        const char* days;
        const char* stored;
        bool marked;
        int daysCode;
    };
    for (const Case& start : {Case{"3", "1", true, 3}, Case{"3", "0", false, 3}, Case{"3", "", false, 3},
                              Case{"3", " 5", true, 3}, Case{"06", "0", false, -1}}) {
        SCOPED_TRACE(std::string(start.days) + "/" + start.stored);
        const std::string days = std::string(start.days) + "\r\n";
        ASSERT_NO_FATAL_FAILURE(
            Start("0\r\n", days + start.stored + "\r\n1",
                  "-" + std::string(start.days) + std::to_string(start.marked) + start.stored));
        auto marks = Marks();
        ASSERT_TRUE(marks.has_value());
        EXPECT_EQ(marks->music, start.marked);
        EXPECT_EQ(marks->MarkedDaysCode(), start.daysCode);

        PostCommand(main_, PlayMusicCommand);
        const std::string toggled = days + (start.marked ? "0" : "1") + "\r\n1";
        ASSERT_TRUE(SettingsBecome(toggled));
        marks = Marks();
        ASSERT_TRUE(marks.has_value());
        EXPECT_EQ(marks->music, !start.marked);
        Quit();
        EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), toggled);
    }
}

TEST_F(MainWindowTest, QuitTheCloseBoxAndAltF4AllSaveBothFiles) {
    const struct {
        const char* name;
        const char* settings;
        std::function<void(HWND)> quit;
    } ways[] = {{"-quit", "6\r\n1\r\n1", [](HWND window) { PostCommand(window, QuitCommand); }},
                {"-close-box", "7\r\n0\r\n1", [](HWND window) { ClickAt(CloseBoxOf(window)); }},
                {"-alt-f4", "8\r\n1\r\n1", [](HWND window) {
                     ASSERT_TRUE(BringToFront(window));
                     PressKey(VK_F4, {VK_MENU});
                 }}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        // Lines ended by LF only are read all the same and written back with
        // CR LF; a line end after the settings' third line goes.
        ASSERT_NO_FATAL_FAILURE(
            Start(WithLineEnd(TwoEntryList(), "\r\n", "\n"), std::string(way.settings) + "\r\n", way.name));
        ASSERT_NO_FATAL_FAILURE(way.quit(main_));
        ASSERT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
        EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
        EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), way.settings);
    }
}

}  // namespace
}  // namespace quillora::e2e
