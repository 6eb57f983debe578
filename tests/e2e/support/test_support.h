#pragma once
// What the end-to-end tests share: naming a scenario after its test, the
// usual start-and-quit run, the program's error box, and list files built
// from entries.
#include <gtest/gtest.h>

#include <algorithm>
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

// Starts the program in the scenario, waits for its main window, closes the
// window as the user would and expects a normal end (exit code 0).
inline void StartAndQuit(const Scenario& scenario, const LaunchOptions& options = {},
                         ListAtStart list = ListAtStart::Readable) {
    Program program = scenario.Launch(options);
    ASSERT_TRUE(program.Started()) << program.Describe();
    if (list == ListAtStart::KeptAside) {
        ASSERT_FALSE(AcceptKeptAsideNotice(program, scenario).empty());
    }
    HWND window = program.WaitForWindow(MainWindowTitle);
    ASSERT_NE(window, nullptr) << program.Describe();
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
    ASSERT_TRUE(box.has_value()) << program.Describe();
    EXPECT_EQ(box->title, "ERROR");
    EXPECT_EQ(box->text, text);
    ASSERT_EQ(box->buttons.size(), 1u);
    EXPECT_EQ(box->buttons[0].id, IDOK);
    EXPECT_EQ(box->buttons[0].text, "OK");
    EXPECT_FALSE(box->hasIcon);
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

// APPDATA of the test process, which the programs it starts inherit,
// pointed at the scenario's for as long as it lives.
class AppDataOf {
public:
    explicit AppDataOf(const Scenario& scenario) : appData_("APPDATA", scenario.AppData()) {}

private:
    EnvironmentOverride appData_;
};

// Replaces a field's whole text by typing, as a user selects it and types
// over it; waits until the field shows it.
inline ::testing::AssertionResult TypeInto(HWND dialog, int id, std::string_view text) {
    HWND field = Control(dialog, id);
    // The keys go where the focus is: typing waits for the click to put it
    // in the field, and a click that got lost on a busy machine is repeated.
    auto focused = [&] { return FocusedControl(field) == field; };
    for (int attempt = 0; attempt < 3; ++attempt) {
        ClickCentre(field);
        if (WaitUntil(focused, Millis{2000})) break;
    }
    // Typing starts only once the whole text is selected; a lost key stroke
    // is pressed again.
    auto wholeTextSelected = [&] {
        const auto selection = static_cast<DWORD>(SendMessageA(field, EM_GETSEL, 0, 0));
        return LOWORD(selection) == 0 && HIWORD(selection) == TextOf(field).size();
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        PressKey(VK_END);
        PressKey(VK_HOME, {VK_SHIFT});
        if (WaitUntil(wholeTextSelected, Millis{2000})) break;
    }
    if (text.empty()) {
        PressKey(VK_DELETE);
    } else {
        TypeText(text);
    }
    if (WaitUntil([&] { return TextOf(field) == text; }, ShortWait)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "field " << id << " shows \"" << TextOf(field) << "\", not \"" << text << "\"";
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

    // Opens the dialog by a click on one of the main window's buttons.
    // A click that got lost on a busy machine is repeated; one that was only
    // slow cannot open a second dialog, as the main window is disabled then.
    HWND OpenBy(int buttonId, std::string_view title) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            ClickButton(main_, buttonId);
            if (HWND dialog = program_.WaitForWindow(title, Millis{6000})) return dialog;
            if (program_.WaitForMessageBox(Millis{0})) return nullptr;
        }
        return nullptr;
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

// One entry of the list file, all six texts.
struct Entry {
    std::string name, day, month, year, remind, mark;
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

// Anna, 14 February 1980, reminded: the one entry many scenarios need.
inline const Entry Anna{"Anna", "14", "2", "1980", "1", "1"};

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

// A rectangle as "left,top widthxheight", for messages that compare layouts.
inline std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
           "x" + std::to_string(r.bottom - r.top);
}

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

// The list of two entries used throughout: Anna, 14 February 1980, reminded;
// Ben, 3 November 1975, not reminded.
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

inline std::string TwoEntryList() {
    return "2\r\nAnna\r\nBen\r\n14\r\n3\r\n2\r\n11\r\n1980\r\n1975\r\n1\r\n0\r\n1\r\n1";
}

}  // namespace quillora::e2e
