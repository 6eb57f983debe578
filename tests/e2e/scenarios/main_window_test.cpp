// The main window as the user meets it: its layout, the lists with age and
// days left, the month tabs, sorting by a header click, the settings menu and
// its marks, and quitting.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
    HWND TabStrip() const { return Control(main_, TabStripId); }
    HWND List(int tab) const { return ListOfTab(main_, tab); }

    std::vector<std::string> Column(int tab, int column) const {
        std::vector<std::string> cells;
        for (const auto& row : ListViewReader(List(tab)).Rows())
            cells.push_back(row.at(column));
        return cells;
    }

    // Waits until the visible order of a column is `expected`.
    ::testing::AssertionResult ColumnBecomes(int tab, int column,
                                             const std::vector<std::string>& expected) const {
        std::vector<std::string> seen;
        if (WaitUntil([&] { return (seen = Column(tab, column)) == expected; }, Millis{5000})) {
            return ::testing::AssertionSuccess();
        }
        std::string text;
        for (const auto& cell : seen)
            text += "'" + cell + "' ";
        return ::testing::AssertionFailure() << "column " << column << " shows " << text;
    }

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

    void Quit() {
        PostCommand(main_, QuitCommand);
        const auto exitCode = program_.WaitForExit();
        ASSERT_TRUE(exitCode.has_value()) << program_.Describe();
        EXPECT_EQ(*exitCode, 0u);
    }

    int clicks_ = 0;
};

TEST_F(MainWindowTest, IsLaidOutAsDesigned) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
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

    struct Expected {
        int id;
        RECT rect;
        const char* text;
    };
    const Expected controls[] = {{FrameId, {5, 5, 595, 440}, ""},
                                 {AddEntryButtonId, {15, 445, 135, 475}, "ADD ENTRY"},
                                 {EditEntryButtonId, {240, 445, 360, 475}, "EDIT ENTRY"},
                                 {DeleteEntryButtonId, {465, 445, 585, 475}, "DELETE ENTRY"},
                                 {TabStripId, {15, 15, 586, 430}, ""}};
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.id);
        HWND control = Control(main_, expected.id);
        ASSERT_NE(control, nullptr);
        const RECT rect = RectInParent(control);
        EXPECT_EQ(rect.left, expected.rect.left);
        EXPECT_EQ(rect.top, expected.rect.top);
        EXPECT_EQ(rect.right, expected.rect.right);
        EXPECT_EQ(rect.bottom, expected.rect.bottom);
        EXPECT_EQ(TextOf(control), expected.text);
    }

    const TabReader tabs(TabStrip());
    const std::array<const char*, 13> captions = {"ALL", "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    ASSERT_EQ(tabs.Count(), 13);
    for (int tab = 0; tab < 13; ++tab)
        EXPECT_EQ(tabs.Caption(tab), captions[tab]);
    EXPECT_EQ(tabs.Selected(), AllTab);
    // All thirteen tabs fit in one row.
    EXPECT_LE(tabs.ItemRect(12).right, 571);
    EXPECT_EQ(tabs.ItemRect(12).top, tabs.ItemRect(1).top);

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
        const RECT rect = RectInParent(list);
        EXPECT_EQ(rect.left, 6);
        EXPECT_EQ(rect.top, 10);
        EXPECT_EQ(rect.right - rect.left, 551);
        EXPECT_EQ(rect.bottom - rect.top, 370);
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
    const std::vector<Entry> entries = {
        {"Today", std::to_string(today.day), std::to_string(today.month), "2000", "1", "1"},
        {"Tomorrow", std::to_string(tomorrow.day), std::to_string(tomorrow.month), "1990", "2", "1"},
        {"Yesterday", std::to_string(yesterday.day), std::to_string(yesterday.month), "1985", "0", "1"},
        {"New Year", "1", "1", "1970", "", "1"},
        {"Leading zero", "06", "6", "2001", "abc", "1"},
        {"No year", "15", "8", "", "1", "1"},
        {"Not yet born", "1", "1", std::to_string(today.year + 1), "0", "1"},
        {"Leap day", "29", "2", "1996", "1", "1"},
    };
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes(entries)));

    std::vector<std::vector<std::string>> expected;
    for (const Entry& entry : entries) {
        const int day = std::stoi(entry.day);
        const int month = std::stoi(entry.month);
        const bool reminded = entry.remind == "1" || entry.remind == "2";
        // No year, or a year still to come, shows no age rather than an
        // impossible one.
        const int age = entry.year.empty() ? -1 : ExpectedAge(day, month, std::stoi(entry.year), today);
        expected.push_back({entry.name, entry.day, entry.month, entry.year,
                            age < 0 ? "" : std::to_string(age),
                            std::to_string(ExpectedDaysLeft(month, day, today)), reminded ? "X" : ""});
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

TEST_F(MainWindowTest, MonthTabsListTheEntriesOfTheirMonthByNumber) {
    const std::vector<Entry> entries = {
        {"Plain", "1", "3", "2000", "1", "1"},   {"Zero", "2", "03", "2000", "1", "1"},
        {"Blank", "3", " 3", "2000", "1", "1"},  {"Thirteen", "4", "13", "2000", "1", "1"},
        {"No month", "5", "", "2000", "1", "1"}, {"April", "6", "4", "2000", "1", "1"},
    };
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes(entries)));
    EXPECT_EQ(ListViewReader(List(AllTab)).ItemCount(), 6);

    const int march = 3;
    ClickTab(TabStrip(), march);
    ASSERT_TRUE(ColumnBecomes(march, NameColumn, {"Plain", "Zero", "Blank"}));
    EXPECT_EQ(TabReader(TabStrip()).Selected(), march);
    EXPECT_TRUE(IsShown(List(march)));
    EXPECT_FALSE(IsShown(List(AllTab)));

    ClickTab(TabStrip(), 4);
    ASSERT_TRUE(ColumnBecomes(4, NameColumn, {"April"}));
    ClickTab(TabStrip(), 12);
    ASSERT_TRUE(ColumnBecomes(12, NameColumn, {}));

    // Clearing the list shows "ALL" again, refilled, whatever tab was open.
    PostCommand(main_, ClearListCommand);
    ASSERT_TRUE(WaitUntil([&] { return TabReader(TabStrip()).Selected() == AllTab; }, Millis{5000}));
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, {}));
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), std::string("0\r\n"));
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
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, byAge)) << "9 sorts before 10: numbers, not texts";
    ClickColumn(list, AgeColumn);
    std::reverse(byAge.begin(), byAge.end());
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, byAge));

    // Letter case does not count; an accented capital sorts after ASCII.
    ClickColumn(list, NameColumn);
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, {"Alice", "bob", "carl", "\xC9mile"}));
    ClickColumn(list, NameColumn);
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, {"\xC9mile", "carl", "bob", "Alice"}));

    ClickColumn(list, RemindColumn);
    ASSERT_TRUE(ColumnBecomes(AllTab, RemindColumn, {"", "", "X", "X"}));
    ClickColumn(list, RemindColumn);
    ASSERT_TRUE(ColumnBecomes(AllTab, RemindColumn, {"X", "X", "", ""}));

    ClickColumn(list, DaysLeftColumn);
    ASSERT_TRUE(WaitUntil([&] { return Column(AllTab, DaysLeftColumn).front() == "0"; }, Millis{5000}))
        << "today's birthday comes first";
    EXPECT_EQ(Column(AllTab, NameColumn).front(), "carl");
    ClickColumn(list, DaysLeftColumn);
    ASSERT_TRUE(WaitUntil([&] { return Column(AllTab, DaysLeftColumn).back() == "0"; }, Millis{5000}));

    // Sorting reorders the display only: the file keeps the table's order.
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes(entries));
}

TEST_F(MainWindowTest, AHeaderClickOnAnEmptyListChangesNothing) {
    const Day today = LocalToday();
    ASSERT_NO_FATAL_FAILURE(Start("0\r\n"));
    // Counted, this click would make the next one on "AGE" sort descending.
    ClickColumn(List(AllTab), AgeColumn);
    ASSERT_TRUE(AddEntry("Ten", "1", "1", std::to_string(today.year - 10)));
    ASSERT_TRUE(AddEntry("Nine", "1", "1", std::to_string(today.year - 9)));
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, {"Ten", "Nine"}));
    ClickColumn(List(AllTab), AgeColumn);
    EXPECT_TRUE(ColumnBecomes(AllTab, NameColumn, {"Nine", "Ten"})) << "the first sort by age is ascending";
    Quit();
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsIdsAndOrder) {
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
    Quit();
}

TEST_F(MainWindowTest, RightClickInAListOpensThePopupMenu) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    RightClickList(List(AllTab), -1);
    HWND popup = WaitForPopupMenu(program_.Id());
    ASSERT_NE(popup, nullptr) << "a right click below the rows opens the menu too";
    const auto marks = Marks();
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
    Quit();
}

// "Clear List" and a deletion taken back with Ctrl+Z, the entry in its
// place; the deletion made again with Ctrl+Y reaches the file.
TEST_F(MainWindowTest, ControlZTakesBackClearingAndDeletingAndControlYRedoes) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    PostCommand(main_, ClearListCommand);
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, {}));
    RightClickList(List(AllTab), -1);
    ASSERT_NE(WaitForPopupMenu(program_.Id()), nullptr);
    const auto marks = Marks();
    ASSERT_TRUE(marks.has_value()) << "the probe could not read the menu";
    EXPECT_NE(std::string(marks->popup).find("\n20 Undo\tCtrl+Z\n21 Redo\tCtrl+Y (greyed)\n"),
              std::string::npos)
        << marks->popup;
    PressKey(VK_ESCAPE);
    PressKey('Z', {VK_CONTROL});
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, {"Anna", "Ben"}));
    ClickItem(List(AllTab), 0);
    ASSERT_TRUE(WaitUntil([&] { return ListViewReader(List(AllTab)).SelectedItem() == 0; }, Millis{5000}));
    PressKey(VK_DELETE);
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, {"Ben"}));
    PressKey('Z', {VK_CONTROL});
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, {"Anna", "Ben"})) << "back in its place";
    EXPECT_EQ(ListViewReader(List(AllTab)).SelectedItem(), 0);
    PressKey('Y', {VK_CONTROL});
    ASSERT_TRUE(ColumnBecomes(AllTab, NameColumn, {"Ben"}));
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), "1\r\nBen\r\n3\r\n11\r\n1975\r\n0\r\n1");
}

TEST_F(MainWindowTest, TabAndShiftTabMoveTheFocusThroughTheControls) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    auto focused = [&] { return FocusedControl(main_); };
    ClickItem(List(AllTab), 0);
    ASSERT_TRUE(WaitUntil([&] { return focused() == List(AllTab); }, Millis{5000}));

    // From the list the focus goes round to the first button, then onward.
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return focused() == Control(main_, AddEntryButtonId); }, Millis{5000}));
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return focused() == Control(main_, EditEntryButtonId); }, Millis{5000}));
    PressKey(VK_TAB, {VK_SHIFT});
    ASSERT_TRUE(WaitUntil([&] { return focused() == Control(main_, AddEntryButtonId); }, Millis{5000}));
    PressKey(VK_TAB, {VK_SHIFT});
    ASSERT_TRUE(WaitUntil([&] { return focused() == List(AllTab); }, Millis{5000}));
    // Tab moves the focus only: nothing was added, edited or deleted.
    EXPECT_EQ(ListViewReader(List(AllTab)).ItemCount(), 2);
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
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

TEST_F(MainWindowTest, ADaysCodeThatIsNotExactlyACodeMarksNothing) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList(), "06\r\n0\r\n1"));
    const auto marks = Marks();
    ASSERT_TRUE(marks.has_value());
    EXPECT_EQ(marks->MarkedDaysCode(), -1);
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), std::string("06\r\n0\r\n1"));
}

TEST_F(MainWindowTest, PlayMusicStartsFromTheStoredNumberAndToggles) {
    struct Case {
        const char* stored;
        bool marked;
    };
    for (const Case& start : {Case{"1", true}, Case{"0", false}, Case{"", false}, Case{" 5", true}}) {
        SCOPED_TRACE(start.stored);
        ASSERT_NO_FATAL_FAILURE(Start("0\r\n", std::string("3\r\n") + start.stored + "\r\n1",
                                      "-" + std::to_string(start.marked) + start.stored));
        auto marks = Marks();
        ASSERT_TRUE(marks.has_value());
        EXPECT_EQ(marks->music, start.marked);

        PostCommand(main_, PlayMusicCommand);
        const std::string toggled = start.marked ? "0" : "1";
        ASSERT_TRUE(
            WaitUntil([&] { return ReadBytes(scenario_->SettingsFile()) == "3\r\n" + toggled + "\r\n1"; },
                      Millis{5000}));
        marks = Marks();
        ASSERT_TRUE(marks.has_value());
        EXPECT_EQ(marks->music, !start.marked);
        Quit();
    }
}

TEST_F(MainWindowTest, QuitTheCloseBoxAndAltF4AllSaveBothFiles) {
    // Lines ended by LF only are read all the same and written back with
    // CR LF.
    const std::string list = "2\nAnna\nBen\n14\n3\n2\n11\n1980\n1975\n1\n0\n1\n1";
    ASSERT_NO_FATAL_FAILURE(Start(list, "6\r\n1\r\n1\r\n", "-quit"));
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
    EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), std::string("6\r\n1\r\n1"));

    ASSERT_NO_FATAL_FAILURE(Start(list, "7\r\n0\r\n1\r\n", "-close-box"));
    ClickAt(CloseBoxOf(main_));
    ASSERT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
    EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), std::string("7\r\n0\r\n1"));

    ASSERT_NO_FATAL_FAILURE(Start(list, "8\r\n1\r\n1\r\n", "-alt-f4"));
    ASSERT_TRUE(BringToFront(main_));
    PressKey(VK_F4, {VK_MENU});
    ASSERT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
    EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), std::string("8\r\n1\r\n1"));
}

}  // namespace
}  // namespace quillora::e2e
