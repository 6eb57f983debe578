#pragma once
// What the end-to-end tests share: naming a scenario after its test, the
// usual start-and-quit run, the program's error box, and list files built
// from entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "driver.h"
#include "reminder/reminder_ids.h"
#include "ui/ids.h"

namespace quillora::e2e {

inline std::string CurrentTestName() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

// Settings that ask for nothing at start (the autostart shortcut counts as
// written).
inline constexpr const char* QuietSettings = "3\r\n1\r\n1";

// The list of two entries used throughout, Anna and Ben, as bytes written
// out by hand.
inline std::string TwoEntryList() {
    return "2\r\nAnna\r\nBen\r\n14\r\n3\r\n2\r\n11\r\n1980\r\n1975\r\n1\r\n0\r\n1\r\n1";
}

// ---------------------------------------------------------------------------
// A calendar of the tests' own, for expected figures: the system's date
// arithmetic, not the program's.

struct Day {
    int year = 0;
    int month = 0;
    int day = 0;
};

inline constexpr long long FileTimeTicksPerDay = 864'000'000'000LL;

inline Day LocalToday() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

inline SYSTEMTIME SystemTimeOf(Day day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(day.year);
    date.wMonth = static_cast<WORD>(day.month);
    date.wDay = static_cast<WORD>(day.day);
    return date;
}

// Days since 1601 of a real date; -1 when the date does not exist.
inline long long DayIndex(int year, int month, int day) {
    const SYSTEMTIME date = SystemTimeOf({year, month, day});
    FILETIME time{};
    if (month < 1 || month > 12 || day < 1 || !SystemTimeToFileTime(&date, &time)) return -1;
    return static_cast<long long>(((ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime) /
                                  FileTimeTicksPerDay);
}

// A day as "yyyy-mm-dd".
inline std::string DateText(Day day) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", day.year, day.month, day.day);
    return text.data();
}

inline Day DaysFrom(Day from, int days) {
    const auto ticks =
        static_cast<ULONGLONG>((DayIndex(from.year, from.month, from.day) + days) * FileTimeTicksPerDay);
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME date{};
    FileTimeToSystemTime(&time, &date);
    return {date.wYear, date.wMonth, date.wDay};
}

// ---------------------------------------------------------------------------

// Whether a start finds the list as it was meant, or keeps it aside first
// and says so.
enum class ListAtStart { Readable, KeptAside };

// The start-up notice of a list kept aside: the program's error box naming a
// copy in the list's folder. Presses OK and returns the copy's path; empty
// (after a test failure) when no such box came.
inline std::string AcceptKeptAsideNotice(const Program& program, const Scenario& scenario) {
    const std::optional<MessageBoxView> box = program.WaitForMessageBox();
    if (!box) {
        ADD_FAILURE() << "no notice of a list kept aside; " << program.Describe();
        return {};
    }
    EXPECT_EQ(box->title, "ERROR");
    EXPECT_FALSE(box->hasIcon);
    const std::string saying = "THE BIRTHDAY-LIST COULD NOT BE READ! IT IS KEPT UNCHANGED AS: ";
    const std::string aside = box->text.substr(std::min(saying.size(), box->text.size()));
    EXPECT_EQ(box->text, saying + aside);
    EXPECT_EQ(aside.rfind(scenario.ListFolder() + "\\list (unreadable ", 0), 0u) << aside;
    PressDialogButton(box->window, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->window); })) << "the notice stays";
    return aside;
}

// The program's error box: title "ERROR", exactly `text`, one "OK" button
// and no icon.
inline void ExpectErrorBox(const std::optional<MessageBoxView>& box, std::string_view text,
                           const Program& program) {
    ASSERT_TRUE(box.has_value()) << "no error box; " << program.Describe();
    EXPECT_EQ(box->title, "ERROR");
    EXPECT_EQ(box->text, text);
    ASSERT_EQ(box->buttons.size(), 1u);
    EXPECT_EQ(box->buttons[0].id, IDOK);
    EXPECT_EQ(box->buttons[0].text, "OK");
    EXPECT_FALSE(box->hasIcon);
}

// The notice after a save that failed at the quit, once its first box
// (`failed`) is answered: the run's table kept as a rescue copy in the
// settings folder, named in an error box. Presses OK and returns the copy's
// path; empty (after a test failure) when no such box came.
inline std::string AcceptRescueNotice(const Program& program, const Scenario& scenario, HWND failed) {
    const std::optional<MessageBoxView> rescue = WaitForNextMessageBox(program.Id(), failed);
    if (!rescue) {
        ADD_FAILURE() << "no notice of a rescue copy; " << program.Describe();
        return {};
    }
    EXPECT_EQ(rescue->title, "ERROR");
    EXPECT_FALSE(rescue->hasIcon);
    const std::string saying = "THE BIRTHDAY-LIST IS KEPT AS: ";
    const std::string path = rescue->text.substr(std::min(saying.size(), rescue->text.size()));
    EXPECT_EQ(rescue->text, saying + path);
    EXPECT_EQ(path.rfind(scenario.SettingsFolder() + "\\list-unsaved-", 0), 0u) << path;
    PressDialogButton(rescue->window, IDOK);
    return path;
}

// Clicks row `row` of a list view; true once the row is selected.
inline bool SelectRow(HWND listView, int row) {
    ClickItem(listView, row);
    return WaitUntil([&] { return ListViewReader(listView).SelectedItem() == row; }, ShortWait);
}

// Starts the program in the scenario, waits for its main window, runs
// `whileShown` on it, closes the window as the user would and
// expects a normal end (exit code 0).
inline void StartAndQuit(
    const Scenario& scenario, const LaunchOptions& options = {}, ListAtStart list = ListAtStart::Readable,
    const std::function<void(HWND)>& whileShown = [](HWND) {}) {
    Program program = scenario.Launch(options);
    ASSERT_TRUE(program.Started()) << program.Describe();
    if (list == ListAtStart::KeptAside) {
        ASSERT_FALSE(AcceptKeptAsideNotice(program, scenario).empty());
    }
    HWND window = program.WaitForWindow(MainWindowTitle);
    ASSERT_NE(window, nullptr) << program.Describe();
    ASSERT_NO_FATAL_FAILURE(whileShown(window));
    PostClose(window);
    const std::optional<DWORD> exitCode = program.WaitForExit();
    ASSERT_TRUE(exitCode.has_value())
        << "the program did not end after its window was closed; " << program.Describe();
    EXPECT_EQ(*exitCode, 0u);
}

// Expects the start to end in the program's error box with exactly `text`
// (title "ERROR", one "OK" button, no icon), presses OK, and expects the
// program to end with exit code 0 without ever showing its main window.
inline void ExpectStartFailure(const Program& program, std::string_view text) {
    ASSERT_TRUE(program.Started()) << program.Describe();
    const std::optional<MessageBoxView> box = program.WaitForMessageBox();
    ASSERT_NO_FATAL_FAILURE(ExpectErrorBox(box, text, program));
    EXPECT_EQ(program.FindWindowTitled(MainWindowTitle), nullptr);

    PressDialogButton(box->window, IDOK);
    const std::optional<DWORD> exitCode = program.WaitForExit();
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end after OK; " << program.Describe();
    EXPECT_EQ(*exitCode, 0u);
}

// The list view of a tab of the main window; it lies on the tab's page
// inside the tab control, not directly in the window. A month's page is made
// when its tab is first shown: while the tab strip shows that tab, its list
// is waited for. Null for a tab never shown.
inline HWND ListOfTab(HWND mainWindow, int tab) {
    const auto find = [&] { return FindDescendant(mainWindow, ListViewIdOfTab(tab), "SysListView32"); };
    HWND list = find();
    if (list == nullptr &&
        TabReader(FindDescendant(mainWindow, TabStripId, "SysTabControl32")).Selected() == tab)
        WaitUntil([&] { return (list = find()) != nullptr; }, ShortWait);
    return list;
}

// The reminder's hidden window, which its icon and the system talk to.
inline HWND ReminderTrayWindow(const Program& program) {
    return FindWindowOfClass(program.Id(), ReminderTrayClass);
}

// Ends the reminder as its menu's "Quit reminder" does; exit code 0.
inline void QuitReminder(const Program& program) {
    PostCommand(ReminderTrayWindow(program), QuitReminderCommand);
    const std::optional<DWORD> exitCode = program.WaitForExit();
    ASSERT_TRUE(exitCode.has_value()) << "\"Quit reminder\" did not end the reminder; " << program.Describe();
    EXPECT_EQ(*exitCode, 0u);
}

// Replaces a field's whole text by typing, as a user selects it and types
// over it; waits until the field shows it.
inline ::testing::AssertionResult TypeInto(HWND dialog, int id, std::string_view text) {
    HWND field = Control(dialog, id);
    // The keys go where the focus is: typing waits for the click to put it
    // in the field, and starts once the whole text is selected.
    ClickCentre(field);
    if (!WaitUntil([&] { return FocusedControl(field) == field; }, ShortWait))
        return ::testing::AssertionFailure() << "a click did not put the focus in field " << id;
    PressKey(VK_END);
    PressKey(VK_HOME, {VK_SHIFT});
    const auto wholeTextSelected = [&] {
        const auto selection = static_cast<DWORD>(SendMessageA(field, EM_GETSEL, 0, 0));
        return LOWORD(selection) == 0 && HIWORD(selection) == TextOf(field).size();
    };
    if (!WaitUntil(wholeTextSelected, ShortWait))
        return ::testing::AssertionFailure() << "End and Shift+Home did not select field " << id;
    if (text.empty()) {
        PressKey(VK_DELETE);
    } else {
        TypeText(text);
    }
    if (WaitUntil([&] { return TextOf(field) == text; }, ShortWait)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "field " << id << " shows \"" << TextOf(field) << "\", not \"" << text << "\"";
}

// One entry of the list file, all six texts.
struct Entry {
    std::string name, day, month, year, remind, mark;
};

// Name, day, month and year of every row of a list, as the user reads them.
inline std::vector<std::vector<std::string>> DateColumns(HWND listView) {
    std::vector<std::vector<std::string>> rows;
    for (std::vector<std::string> row : ListViewReader(listView).Rows()) {
        row.resize(4);
        rows.push_back(std::move(row));
    }
    return rows;
}

inline std::string Show(const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (const std::vector<std::string>& row : rows) {
        text += "\n ";
        for (const std::string& cell : row)
            text += " [" + cell + "]";
    }
    return text;
}

inline std::vector<std::vector<std::string>> DateColumns(const std::vector<Entry>& entries) {
    std::vector<std::vector<std::string>> rows;
    for (const Entry& entry : entries)
        rows.push_back({entry.name, entry.day, entry.month, entry.year});
    return rows;
}

// Quillora running in a scenario of its own, named after the test, on a
// given list, its main window up and drawn.
class ProgramOnList : public testing::Test {
protected:
    // A test that starts the program more than once names each scenario
    // apart with `suffix`.
    void Start(const std::string& list, const std::string& settings = QuietSettings,
               const std::string& suffix = {}) {
        scenario_.emplace(CurrentTestName() + suffix);
        scenario_->GiveSettings(settings);
        scenario_->GiveList(list);
        program_ = scenario_->Launch();
        ASSERT_TRUE(program_.Started()) << program_.Describe();
        main_ = program_.WaitForWindow(MainWindowTitle);
        ASSERT_NE(main_, nullptr) << program_.Describe();
        ASSERT_TRUE(WaitUntil([&] { return IsFullyDrawn(main_); }, Millis{10000}));
    }

    [[nodiscard]] HWND TabStrip() const { return Control(main_, TabStripId); }
    // The list of a tab of the main window (see ListOfTab).
    [[nodiscard]] HWND List(int tab) const { return ListOfTab(main_, tab); }

    // Closes the main window as its close box does and expects a normal end.
    void Quit() {
        PostClose(main_);
        ASSERT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
    }

    // Starts on Anna and Ben and deletes Ben, a change only the run knows.
    void StartAndDeleteBen(const std::string& settings = QuietSettings) {
        ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList(), settings));
        HWND list = ListOfTab(main_, AllTab);
        ASSERT_TRUE(SelectRow(list, 1));
        ClickButton(main_, DeleteEntryButtonId);
        ASSERT_TRUE(WaitUntil([&] { return ListViewReader(list).ItemCount() == 1; }));
    }

    // Every way out of a child window ends with it gone, the main window
    // usable, and the "ALL" tab showing the table whole, in its order.
    void ExpectBackOnAll(HWND child, const std::vector<Entry>& table) {
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(child); }, ShortWait)) << "the window is still open";
        EXPECT_TRUE(WaitUntil([&] { return IsEnabledWindow(main_); }, ShortWait));
        const auto expected = DateColumns(table);
        EXPECT_TRUE(WaitUntil(
            [&] {
                return TabReader(TabStrip()).Selected() == AllTab && DateColumns(List(AllTab)) == expected;
            },
            ShortWait))
            << "tab " << TabReader(TabStrip()).Selected() << " shows" << Show(DateColumns(List(AllTab)));
    }

    // Opens the dialog by a click on one of the main window's buttons; null
    // when it did not open (a message box instead, say).
    HWND OpenBy(int buttonId, std::string_view title) {
        ClickButton(main_, buttonId);
        return program_.WaitForWindow(title, ShortWait);
    }

    // Adds an entry through "ADD ENTRY" and the dialog, as a user types it.
    ::testing::AssertionResult AddEntry(const std::string& name, const std::string& day,
                                        const std::string& month, const std::string& year) {
        HWND dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
        if (!dialog) return ::testing::AssertionFailure() << "no dialog; " << program_.Describe();
        for (const auto& [id, text] : {std::pair{NameFieldId, &name}, std::pair{DayFieldId, &day},
                                       std::pair{MonthFieldId, &month}, std::pair{YearFieldId, &year}}) {
            if (auto typed = TypeInto(dialog, id, *text); !typed) return typed;
        }
        ClickButton(dialog, OkButtonId);
        if (!WaitUntil([&] { return !IsWindow(dialog) && IsEnabledWindow(main_); }, ShortWait))
            return ::testing::AssertionFailure() << "the dialog did not close";
        return ::testing::AssertionSuccess();
    }

    // "Import..." with `path` chosen in the file dialog; the preview that
    // opens, or null when none came (a message box instead, say).
    HWND OpenImportPreview(const std::string& path) {
        PostCommand(main_, ImportCommand);
        if (!ChooseInFileDialog(program_.Id(), "IMPORT BIRTHDAYS", path)) return nullptr;
        return WaitForTopLevel(program_.Id(), "IMPORT", ImportPreviewClass, ShortWait);
    }

    std::optional<Scenario> scenario_;
    Program program_;
    HWND main_ = nullptr;
};

// The list file as the program writes it: the count, then six blocks of
// one line per entry (names, days, months, years, remind flags, marks), CR LF
// after every line but the last.
inline std::string ListBytes(const std::vector<Entry>& entries) {
    std::vector<std::string> lines{std::to_string(entries.size())};
    for (std::string Entry::*column :
         {&Entry::name, &Entry::day, &Entry::month, &Entry::year, &Entry::remind, &Entry::mark}) {
        for (const Entry& entry : entries)
            lines.push_back(entry.*column);
    }
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += lines[i];
        if (i + 1 < lines.size() || entries.empty()) bytes += "\r\n";
    }
    return bytes;
}

// `count` entries with distinct names and ordinary texts.
inline std::vector<Entry> ManyEntries(int count) {
    std::vector<Entry> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back(Entry{"Person " + std::to_string(i), std::to_string(1 + i % 28),
                                std::to_string(1 + i % 12), std::to_string(1900 + i % 120),
                                std::to_string(i % 2), "1"});
    }
    return entries;
}

// An entry with nothing but a name, as a short file leaves the rows it
// does not back.
inline Entry NameOnly(std::string name) {
    return Entry{std::move(name), "", "", "", "", ""};
}

// Anna, 14 February 1980, reminded: the one entry many scenarios need;
// Ben, 3 November 1975, not reminded, the second of TwoEntryList.
inline const Entry Anna{"Anna", "14", "2", "1980", "1", "1"};
inline const Entry Ben{"Ben", "3", "11", "1975", "0", "1"};

// `text` with every `from` replaced by `to` (CR LF made LF, say).
inline std::string WithLineEnd(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
        result.append(text.substr(start, at - start)).append(to);
        start = at + from.size();
    }
    return result.append(text.substr(start));
}

// How long a list of many megabytes may take to load or save under Wine.
inline constexpr Millis BigListTimeout{60000};

// The texts of one column of a list view, top to bottom.
inline std::vector<std::string> ColumnTexts(HWND listView, int column = 0) {
    std::vector<std::string> texts;
    for (const std::vector<std::string>& row : ListViewReader(listView).Rows())
        texts.push_back(row.at(static_cast<std::size_t>(column)));
    return texts;
}

// Waits until a column of a list view shows `expected`, top to bottom.
inline ::testing::AssertionResult ColumnBecomes(HWND listView, int column,
                                                const std::vector<std::string>& expected,
                                                Millis timeout = ShortWait) {
    std::vector<std::string> seen;
    if (WaitUntil([&] { return (seen = ColumnTexts(listView, column)) == expected; }, timeout))
        return ::testing::AssertionSuccess();
    std::string text;
    for (const std::string& cell : seen)
        text += "'" + cell + "' ";
    return ::testing::AssertionFailure() << "column " << column << " shows " << text;
}

// A text value of the registry, unexpanded; nothing when there is none.
inline std::optional<std::string> RegistryText(HKEY root, const char* key, const char* name) {
    DWORD size = 0;
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::string value(size, '\0');
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, value.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.resize(value.find('\0'));
    return value;
}

inline bool RegistryKeyExists(HKEY root, const char* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

// Whether a row of pixels across the middle of a control shows `colour`.
inline bool MiddleRowShows(HWND control, COLORREF colour) {
    const SIZE size = ClientSize(control);
    for (LONG x = 0; x < size.cx; ++x) {
        if (ScreenPixel(control, POINT{x, size.cy / 2}) == colour) return true;
    }
    return false;
}

// A top-level window in the middle of the screen, within a pixel.
inline void ExpectCentredOnScreen(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2, 1);
    EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2, 1);
}

// Where a window's children lie at 96 DPI, in their order (which is also
// the order of Tab): id, then left, top, width and height in its client area.
struct Placement {
    int id;
    int x, y, width, height;
};

// The window's children are exactly these, in this order, each where its
// placement puts it at `dpi`: exactly at 96 DPI, within a pixel of rounding
// at other scales.
inline void ExpectPlaced(HWND parent, const std::vector<Placement>& placements, int dpi = 96) {
    const std::vector<HWND> children = ChildWindows(parent);
    ASSERT_EQ(children.size(), placements.size());
    const int slack = dpi == 96 ? 0 : 1;
    for (std::size_t i = 0; i < placements.size(); ++i) {
        const Placement& p = placements[i];
        SCOPED_TRACE("control " + std::to_string(p.id) + " (" + ClassNameOf(children[i]) + ")");
        EXPECT_EQ(GetDlgCtrlID(children[i]), p.id);
        const RECT rect = RectInParent(children[i]);
        EXPECT_NEAR(rect.left, MulDiv(p.x, dpi, 96), slack);
        EXPECT_NEAR(rect.top, MulDiv(p.y, dpi, 96), slack);
        EXPECT_NEAR(rect.right - rect.left, MulDiv(p.width, dpi, 96), slack);
        EXPECT_NEAR(rect.bottom - rect.top, MulDiv(p.height, dpi, 96), slack);
    }
}

// Every date field is its text part followed by its arrows, together
// filling the field's rectangle with the arrows 10 pixels wide at the right.
inline const std::vector<Placement> EntryDialogPlacements = {
    {DialogTitleId, 0, 5, 300, 30},   {DialogFrameId, 5, 35, 290, 155},    {NameGroupId, 20, 45, 260, 50},
    {NameFieldId, 30, 65, 240, 20},   {BirthdayGroupId, 20, 105, 260, 50}, {DateLabelId, 30, 128, 240, 20},
    {DayFieldId, 65, 125, 20, 20},    {DayFieldId, 85, 125, 10, 20},       {MonthFieldId, 145, 125, 20, 20},
    {MonthFieldId, 165, 125, 10, 20}, {YearFieldId, 230, 125, 30, 20},     {YearFieldId, 260, 125, 10, 20},
    {RemindBoxId, 95, 165, 115, 20},  {CancelButtonId, 10, 200, 100, 25},  {OkButtonId, 190, 200, 100, 25}};

// A contact file of vCards, one per person; an empty birthday leaves BDAY
// out.
struct Card {
    std::string name;  // UTF-8
    std::string birthday;
};
inline std::string VCardFile(const std::vector<Card>& cards) {
    std::string file;
    for (const Card& card : cards) {
        file += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + card.name + "\r\n";
        if (!card.birthday.empty()) file += "BDAY:" + card.birthday + "\r\n";
        file += "END:VCARD\r\n";
    }
    return file;
}

// Replaces a file as sync clients and editors do: the new bytes go to a
// file beside it, which is then renamed over it, again while the file is
// held for a moment.
inline bool ReplaceFromOutside(const std::string& path, std::string_view bytes) {
    const std::string temporary = path + ".~sync";
    return WriteBytes(temporary, bytes) &&
           WaitUntil(
               [&] {
                   return MoveFileExA(temporary.c_str(), path.c_str(),
                                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
               },
               Millis{3000});
}

}  // namespace quillora::e2e
