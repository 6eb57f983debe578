// Adding, editing, deleting and clearing entries as a user does it: through
// the buttons, the context-menu commands and the entry dialog, checked on the
// "ALL" list and in the list file written at the quit.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "test_support.h"
#include "ui/ids.h"

namespace quillora::e2e {
namespace {

struct Today {
    std::string day, month, year;
};

// Today as the dialog offers it: two-digit day and month.
Today TodayAsShown() {
    const std::string date = DateText(LocalToday());  // yyyy-mm-dd
    return Today{date.substr(8, 2), date.substr(5, 2), date.substr(0, 4)};
}

// The arrows of a date field: the up-down control carrying the field's id.
HWND ArrowsOf(HWND dialog, int fieldId) {
    return FindDescendant(dialog, fieldId, UPDOWN_CLASSA);
}

std::string FieldText(HWND dialog, int id) {
    return TextOf(Control(dialog, id));
}

bool BoxTicked(HWND dialog) {
    return SendMessageA(Control(dialog, RemindBoxId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int FocusedId(HWND window) {
    HWND focus = FocusedControl(window);
    return focus ? GetDlgCtrlID(focus) : -1;
}

enum class Arrow { Up, Down };
// Two clicks on one spot would make a double click; the sides alternate.
enum class Side { Left, Right };

void ClickArrow(HWND dialog, int fieldId, Arrow arrow, Side side = Side::Left) {
    HWND arrows = ArrowsOf(dialog, fieldId);
    const SIZE size = ClientSize(arrows);
    const LONG x = side == Side::Left ? size.cx / 4 : size.cx - 1 - size.cx / 4;
    const LONG y = arrow == Arrow::Up ? size.cy / 4 : size.cy - 1 - size.cy / 4;
    ClickIn(arrows, POINT{x, y});
}

// Quillora running in a scenario of its own on a given list.
class EntryEditing : public ProgramOnList {
protected:
    HWND EditRow(int tab, int row) {
        return SelectRow(List(tab), row) ? OpenBy(EditEntryButtonId, "EDIT ENTRY") : nullptr;
    }

    // Edits row `row` of `tab` as a user does: types each field's new text,
    // then OK; "ALL" must then show `after` (a refusal would keep the dialog
    // open, and the wrong entry edited would show in the list).
    void EditRowTo(int tab, int row, std::initializer_list<std::pair<int, std::string_view>> typed,
                   const std::vector<Entry>& after) {
        HWND dialog = EditRow(tab, row);
        ASSERT_NE(dialog, nullptr) << program_.Describe();
        ASSERT_NO_FATAL_FAILURE(TypeFields(dialog, typed));
        ClickButton(dialog, OkButtonId);
        ExpectBackOnAll(dialog, after);
    }

    // Types each field's text as a user does, field after field.
    static void TypeFields(HWND dialog, std::initializer_list<std::pair<int, std::string_view>> typed) {
        for (const auto& [id, text] : typed)
            ASSERT_TRUE(TypeInto(dialog, id, text)) << "field " << id;
    }

    void QuitAndExpectList(const std::vector<Entry>& table) {
        ASSERT_NO_FATAL_FAILURE(Quit());
        EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes(table));
    }
};

// ---------------------------------------------------------------------------
// The window itself.

void ExpectDialogWindow(HWND dialog, std::string_view title) {
    EXPECT_EQ(TextOf(dialog), title);
    const SIZE client = ClientSize(dialog);
    EXPECT_EQ(client.cx, 300);
    EXPECT_EQ(client.cy, 230);
    const LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    ExpectCentredOnScreen(dialog);

    // The children in their order, which is also the order of Tab.
    ExpectPlaced(dialog, EntryDialogPlacements);

    // What the user reads; the arrows' ranges show in the arrows test.
    EXPECT_EQ(FieldText(dialog, DialogTitleId), title);
    EXPECT_TRUE(GetWindowLongPtrA(Control(dialog, DialogTitleId), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongPtrA(Control(dialog, DialogFrameId), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(FieldText(dialog, NameGroupId), "Name:");
    EXPECT_EQ(FieldText(dialog, BirthdayGroupId), "Birthday:");
    EXPECT_EQ(FieldText(dialog, DateLabelId),
              "Day:" + std::string(19, ' ') + "Month:" + std::string(20, ' ') + "Year:");
    EXPECT_EQ(FieldText(dialog, RemindBoxId), "Remind this birthday");
    EXPECT_EQ(FieldText(dialog, CancelButtonId), "CANCEL");
    EXPECT_EQ(FieldText(dialog, OkButtonId), "OK");
    for (int id : {DayFieldId, MonthFieldId, YearFieldId}) {
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ArrowsOf(dialog, id), UDM_GETBUDDY, 0, 0)),
                  Control(dialog, id));
        EXPECT_TRUE(GetWindowLongPtrA(Control(dialog, id), GWL_STYLE) & ES_RIGHT) << id;
    }

    // White title text on black.
    HWND heading = Control(dialog, DialogTitleId);
    ASSERT_TRUE(WaitUntil([&] { return IsFullyDrawn(dialog); }, ShortWait));
    EXPECT_EQ(ScreenPixel(heading, POINT{2, 2}), RGB(0, 0, 0));
    EXPECT_TRUE(MiddleRowShows(heading, RGB(255, 255, 255)));
}

// Both modes laid out alike; a name already in the list refused with the
// fields kept; "Clear List" emptying the table, and the file only at the quit.
TEST_F(EntryEditing, BothModesShowTheDialogAsLaidOutAndARepeatedNameIsRefusedAfterAClear) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    HWND dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    EXPECT_FALSE(IsEnabledWindow(main_));
    ExpectDialogWindow(dialog, "NEW ENTRY");

    // Tab and Shift+Tab walk the fields, the box and the buttons in order.
    ClickIn(Control(dialog, NameFieldId), POINT{5, 5});
    ASSERT_TRUE(WaitUntil([&] { return FocusedId(dialog) == NameFieldId; }, ShortWait));
    for (int id :
         {DayFieldId, MonthFieldId, YearFieldId, RemindBoxId, CancelButtonId, OkButtonId, NameFieldId}) {
        PressKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return FocusedId(dialog) == id; }, ShortWait))
            << "after Tab: " << FocusedId(dialog);
    }
    PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(WaitUntil([&] { return FocusedId(dialog) == OkButtonId; }, ShortWait));
    ClickButton(dialog, CancelButtonId);
    ExpectBackOnAll(dialog, {Anna, Ben});

    dialog = EditRow(AllTab, 1);
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    EXPECT_FALSE(IsEnabledWindow(main_));
    ExpectDialogWindow(dialog, "EDIT ENTRY");
    PostClose(dialog);
    ExpectBackOnAll(dialog, {Anna, Ben});

    // "Clear List" from a month's tab asks nothing and shows "ALL" empty;
    // the file keeps the list until the quit.
    ClickTab(TabStrip(), 2);
    ASSERT_TRUE(WaitUntil([&] { return TabReader(TabStrip()).Selected() == 2; }, ShortWait));
    PostCommand(main_, ClearListCommand);
    EXPECT_FALSE(program_.WaitForMessageBox(NoBoxWatch).has_value()) << "clearing asked or complained";
    EXPECT_TRUE(WaitUntil(
        [&] {
            return TabReader(TabStrip()).Selected() == AllTab &&
                   ListViewReader(List(AllTab)).ItemCount() == 0;
        },
        ShortWait));
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
    // An empty table clears again without fuss, and takes new entries.
    PostCommand(main_, ClearListCommand);
    dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    ASSERT_NO_FATAL_FAILURE(TypeFields(
        dialog, {{NameFieldId, "Eve"}, {DayFieldId, "1"}, {MonthFieldId, "1"}, {YearFieldId, "2000"}}));
    ClickButton(dialog, OkButtonId);
    const Entry eve{"Eve", "1", "1", "2000", "1", "1"};
    ExpectBackOnAll(dialog, {eve});

    // A name already in the list is refused, and the dialog keeps its fields.
    dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    ASSERT_NO_FATAL_FAILURE(TypeFields(
        dialog, {{NameFieldId, "Eve"}, {DayFieldId, "7"}, {MonthFieldId, "8x"}, {YearFieldId, "2001"}}));
    ClickButton(dialog, OkButtonId);

    const std::optional<MessageBoxView> box = program_.WaitForMessageBox();
    ASSERT_NO_FATAL_FAILURE(ExpectErrorBox(box, "THIS PERSON IS ALREADY IN THE LIST!", program_));
    PressDialogButton(box->window, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }, ShortWait));

    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(IsEnabledWindow(main_));
    EXPECT_EQ(FieldText(dialog, NameFieldId), "Eve");
    EXPECT_EQ(FieldText(dialog, DayFieldId), "7");
    EXPECT_EQ(FieldText(dialog, MonthFieldId), "8");
    EXPECT_EQ(FieldText(dialog, YearFieldId), "2001");
    EXPECT_TRUE(BoxTicked(dialog));

    // Letter case and blanks make another name.
    ASSERT_TRUE(TypeInto(dialog, NameFieldId, "eve"));
    ClickButton(dialog, OkButtonId);
    const Entry lowerCase{"eve", "7", "8", "2001", "1", "1"};
    ExpectBackOnAll(dialog, {eve, lowerCase});

    dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    ASSERT_TRUE(TypeInto(dialog, NameFieldId, "Eve "));
    ClickButton(dialog, OkButtonId);
    const Today today = TodayAsShown();
    const Entry blank{"Eve ", today.day, today.month, today.year, "1", "1"};
    ExpectBackOnAll(dialog, {eve, lowerCase, blank});
    QuitAndExpectList({eve, lowerCase, blank});
}

// ---------------------------------------------------------------------------
// New entries.

// The dialog offers today and stores what it shows; the date fields keep
// only digits once another field or OK takes over (which digits: the unit
// tests' StripNonDigits), and nothing else of them is checked.
TEST_F(EntryEditing, NewEntryOffersTodayAndKeepsDigitsOnly) {
    ASSERT_NO_FATAL_FAILURE(Start("0\r\n"));
    const Today today = TodayAsShown();
    HWND dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    EXPECT_EQ(FieldText(dialog, NameFieldId), "Name");
    EXPECT_EQ(FieldText(dialog, DayFieldId), today.day);
    EXPECT_EQ(FieldText(dialog, MonthFieldId), today.month);
    EXPECT_EQ(FieldText(dialog, YearFieldId), today.year);
    EXPECT_TRUE(BoxTicked(dialog));

    ClickButton(dialog, OkButtonId);
    std::vector<Entry> table{{"Name", today.day, today.month, today.year, "1", "1"}};
    ExpectBackOnAll(dialog, table);

    // The context-menu command opens the same dialog.
    PostCommand(main_, NewEntryCommand);
    dialog = program_.WaitForWindow("NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    ASSERT_TRUE(TypeInto(dialog, NameFieldId, "Name 2"));
    ClickButton(dialog, OkButtonId);
    table.push_back({"Name 2", today.day, today.month, today.year, "1", "1"});
    ExpectBackOnAll(dialog, table);

    dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    ASSERT_TRUE(TypeInto(dialog, NameFieldId, "Carla"));
    ASSERT_TRUE(TypeInto(dialog, DayFieldId, "1a2"));
    // The field being typed in keeps what the user types; the others are
    // cleaned as soon as another field has an event.
    ASSERT_TRUE(TypeInto(dialog, MonthFieldId, "0x3"));
    EXPECT_EQ(FieldText(dialog, DayFieldId), "12");
    ASSERT_TRUE(TypeInto(dialog, YearFieldId, ""));
    EXPECT_EQ(FieldText(dialog, MonthFieldId), "03");
    ClickButton(dialog, RemindBoxId);
    ASSERT_TRUE(WaitUntil([&] { return !BoxTicked(dialog); }, ShortWait));
    // The arrows are events of their field too: they clean the others.
    ASSERT_TRUE(TypeInto(dialog, MonthFieldId, "0x3"));
    ClickArrow(dialog, DayFieldId, Arrow::Up);
    EXPECT_TRUE(WaitUntil([&] { return FieldText(dialog, DayFieldId) == "13"; }, ShortWait));
    EXPECT_TRUE(WaitUntil([&] { return FieldText(dialog, MonthFieldId) == "03"; }, ShortWait));
    // OK cleans the field being typed in; a day of 45 is no date, but only
    // digits are checked.
    ASSERT_TRUE(TypeInto(dialog, DayFieldId, "4a5"));
    ClickButton(dialog, OkButtonId);
    table.push_back({"Carla", "45", "03", "", "0", "1"});
    ExpectBackOnAll(dialog, table);
    QuitAndExpectList(table);
}

// The arrows of the date fields and the Up and Down keys step by one and
// stop at the ends of their range; the close box adds nothing.
TEST_F(EntryEditing, DateArrowsAndKeysStepByOneAndStopAtTheEnds) {
    ASSERT_NO_FATAL_FAILURE(Start("0\r\n"));
    HWND dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    // Toward the end of the range, once more (which does nothing), then
    // back: only a step that stopped at the end comes back one short of it.
    struct Steps {
        int id;
        const char* start;
        Arrow toEnd;
        const char* end;
        const char* back;
    };
    const Steps cases[] = {
        {DayFieldId, "30", Arrow::Up, "31", "30"},
        {MonthFieldId, "2", Arrow::Down, "1", "2"},
        // Plain digits, no thousands separator.
        {YearFieldId, "2999", Arrow::Up, "3000", "2999"},
        {YearFieldId, "1901", Arrow::Down, "1900", "1901"},
    };
    for (const Steps& steps : cases) {
        ASSERT_TRUE(TypeInto(dialog, steps.id, steps.start));
        ClickArrow(dialog, steps.id, steps.toEnd, Side::Left);
        EXPECT_TRUE(WaitUntil([&] { return FieldText(dialog, steps.id) == steps.end; }, ShortWait))
            << steps.id << " from " << steps.start << " shows " << FieldText(dialog, steps.id);
        ClickArrow(dialog, steps.id, steps.toEnd, Side::Right);
        ClickArrow(dialog, steps.id, steps.toEnd == Arrow::Up ? Arrow::Down : Arrow::Up, Side::Left);
        EXPECT_TRUE(WaitUntil([&] { return FieldText(dialog, steps.id) == steps.back; }, ShortWait))
            << steps.id << " from " << steps.end << " shows " << FieldText(dialog, steps.id);
    }
    // The Up and Down keys step the field that has the focus.
    ASSERT_TRUE(TypeInto(dialog, DayFieldId, "30"));
    PressKey(VK_UP);
    EXPECT_TRUE(WaitUntil([&] { return FieldText(dialog, DayFieldId) == "31"; }, ShortWait));
    PressKey(VK_UP);
    PressKey(VK_DOWN);
    EXPECT_TRUE(WaitUntil([&] { return FieldText(dialog, DayFieldId) == "30"; }, ShortWait));

    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    ExpectBackOnAll(dialog, {});
    QuitAndExpectList({});
}

// ---------------------------------------------------------------------------
// Editing.

// Edit shows the stored texts and ticks the box by their number; from the
// context menu with nothing selected it takes the last visible row.
TEST_F(EntryEditing, EditShowsTheStoredTextsAndFromTheContextMenuTakesTheLastVisibleRow) {
    std::vector<Entry> table{{"One", "05", "x3", "1990", "1", "1"},  {"Two", "5a", "07", "", "2", "1"},
                             {"Zero", "1", "1", "2000", "0", "1"},   {"Empty", "2", "2", "2000", "", "1"},
                             {"Letter", "3", "3", "2000", "x", "7"}, {"Zed", "1", "4", "1970", "1", "1"},
                             {"Amy", "2", "4", "1980", "0", "1"},    {"Max", "3", "4", "1990", "1", "1"}};
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes(table)));
    // The button with nothing selected opens nothing: the next click on
    // "ADD ENTRY" finds no dialog in its way.
    ClickButton(main_, EditEntryButtonId);
    HWND dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    EXPECT_EQ(program_.FindWindowTitled("EDIT ENTRY"), nullptr);
    ClickButton(dialog, CancelButtonId);
    ExpectBackOnAll(dialog, table);

    // Sorted by name, the last row of April's list is not the table's last.
    constexpr int April = 4;
    ClickTab(TabStrip(), April);
    HWND list = List(April);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(list) && ListViewReader(list).ItemCount() == 3; }, ShortWait));
    ClickHeader(list, 0);
    ASSERT_TRUE(WaitUntil(
        [&] {
            return ColumnTexts(list) != std::vector<std::string>{"Zed", "Amy", "Max"};
        },
        ShortWait));
    const std::string last = ListViewReader(list).Text(2, 0);
    ASSERT_NE(last, "Max");
    ASSERT_EQ(ListViewReader(list).SelectedItem(), -1);

    PostCommand(main_, EditEntryCommand);
    dialog = program_.WaitForWindow("EDIT ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    EXPECT_EQ(FieldText(dialog, NameFieldId), last);
    ASSERT_TRUE(TypeInto(dialog, YearFieldId, "2020"));
    ClickButton(dialog, OkButtonId);
    for (Entry& entry : table) {
        if (entry.name == last) entry.year = "2020";
    }
    ExpectBackOnAll(dialog, table);

    for (int row = 0; row < 5; ++row) {
        HWND shown = EditRow(AllTab, row);
        ASSERT_NE(shown, nullptr) << "row " << row << ": " << program_.Describe();
        const Entry& entry = table[static_cast<std::size_t>(row)];
        EXPECT_EQ(FieldText(shown, NameFieldId), entry.name);
        EXPECT_EQ(FieldText(shown, DayFieldId), entry.day);
        EXPECT_EQ(FieldText(shown, MonthFieldId), entry.month);
        EXPECT_EQ(FieldText(shown, YearFieldId), entry.year);
        EXPECT_EQ(BoxTicked(shown), row < 2) << entry.name;
        ClickButton(shown, CancelButtonId);
        ExpectBackOnAll(shown, table);
    }

    // OK writes the row back cleaned, Remind from the box and Mark 1.
    table[1] = Entry{"Two", "5", "07", "", "1", "1"};
    EditRowTo(AllTab, 1, {}, table);
    table[4] = Entry{"Letter", "3", "3", "2000", "0", "1"};
    EditRowTo(AllTab, 4, {}, table);
    QuitAndExpectList(table);
}

// Entries of one name: each row leads to its own entry, in table order and
// in a sorted month list alike.
TEST_F(EntryEditing, EditAndDeleteReachTheSelectedOneOfTwoEntriesOfTheSameName) {
    std::vector<Entry> table{{"Cara", "1", "2", "1990", "1", "1"},
                             {"Abe", "2", "2", "1970", "0", "1"},
                             {"Cara", "3", "2", "2000", "1", "1"},
                             {"Cara", "5", "6", "1985", "0", "1"}};
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes(table)));

    // February sorted by year: Abe 1970, Cara 1990, Cara 2000.
    constexpr int February = 2;
    ClickTab(TabStrip(), February);
    HWND list = List(February);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(list) && ListViewReader(list).ItemCount() == 3; }, ShortWait));
    ClickHeader(list, 3);  // YEAR
    ASSERT_TRUE(WaitUntil(
        [&] {
            return ColumnTexts(list) == std::vector<std::string>{"Abe", "Cara", "Cara"};
        },
        ShortWait));
    table[2].year = "2001";
    EditRowTo(February, 2, {{YearFieldId, "2001"}}, table);

    // The first row of "ALL" is the first Cara, and only it goes.
    HWND all = List(AllTab);
    ASSERT_TRUE(SelectRow(all, 0));
    ClickButton(main_, DeleteEntryButtonId);
    table.erase(table.begin());
    EXPECT_TRUE(WaitUntil([&] { return DateColumns(all) == DateColumns(table); }, ShortWait))
        << Show(DateColumns(all));

    // Editing accepts another entry's name, and the first row of that name
    // still leads to its own entry.
    table[0].name = "Cara";
    EditRowTo(AllTab, 0, {{NameFieldId, "Cara"}}, table);
    table[1].day = "10";
    EditRowTo(AllTab, 1, {{DayFieldId, "10"}}, table);
    QuitAndExpectList(table);
}

// ---------------------------------------------------------------------------
// Deleting.

TEST_F(EntryEditing, DeleteRemovesTheSelectedEntryOfARepeatedNameAndKeepsTheOthersWhole) {
    // Odd texts in every column show that whole rows move together.
    const Entry first{"Cara", "1", "3", "1961", "7", "m1"};
    const Entry abe{"Abe", "2", "03", "1962", "", "m2"};
    const Entry second{"Cara", "3", "3", "1963", "0", "m3"};
    const Entry bo{"Bo", "4", "5", "1964", "1", "1"};
    const Entry cy{"Cy", "5", "3", "1965", "x", "m5"};
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes({first, abe, second, bo, cy})));

    constexpr int March = 3;
    ClickTab(TabStrip(), March);
    HWND list = List(March);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(list) && ListViewReader(list).ItemCount() == 4; }, ShortWait));
    ClickHeader(list, 0);
    ASSERT_TRUE(WaitUntil(
        [&] {
            return ColumnTexts(list) != std::vector<std::string>{"Cara", "Abe", "Cara", "Cy"};
        },
        ShortWait));
    int caraRow = -1;
    for (int row = 0; row < 4 && caraRow < 0; ++row) {
        if (ListViewReader(list).Text(row, 0) == "Cara") caraRow = row;
    }
    ASSERT_GE(caraRow, 0);
    // Equal names may sort either way: the row's day tells which it is.
    const bool firstSelected = ListViewReader(list).Text(caraRow, 1) == first.day;
    ASSERT_TRUE(SelectRow(list, caraRow));
    ClickButton(main_, DeleteEntryButtonId);
    const auto afterButton =
        firstSelected ? DateColumns({abe, second, bo, cy}) : DateColumns({first, abe, bo, cy});
    EXPECT_TRUE(WaitUntil(
        [&] {
            return TabReader(TabStrip()).Selected() == AllTab && DateColumns(List(AllTab)) == afterButton;
        },
        ShortWait))
        << "tab " << TabReader(TabStrip()).Selected() << " shows" << Show(DateColumns(List(AllTab)));

    // The context-menu command deletes the same way.
    HWND all = List(AllTab);
    ASSERT_TRUE(SelectRow(all, 1));
    PostCommand(main_, DeleteEntryCommand);
    const auto afterCommand = firstSelected ? DateColumns({abe, bo, cy}) : DateColumns({first, bo, cy});
    EXPECT_TRUE(WaitUntil([&] { return DateColumns(all) == afterCommand; }, ShortWait))
        << Show(DateColumns(all));
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes({first, abe, second, bo, cy}));
    QuitAndExpectList(firstSelected ? std::vector<Entry>{abe, bo, cy} : std::vector<Entry>{first, bo, cy});
}

}  // namespace
}  // namespace quillora::e2e
