// Reminder.exe, run as the autostart shortcut runs it
// (from the installation's data folder, no arguments) on the user's real
// files, with birthdays placed around the real current date. It stays in the
// notification area until "Quit reminder".
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "driver.h"
#include "melody_watch.h"
#include "reminder/reminder_ids.h"
#include "test_support.h"

namespace quillora::e2e {
namespace {

// The day and the month's name as Windows writes them in the invariant
// (English) locale: an opinion of its own on the reminder's BIRTHDAY.
std::string BirthdayText(Day day) {
    const SYSTEMTIME date = SystemTimeOf(day);
    std::array<char, 32> text{};
    GetDateFormatA(LOCALE_INVARIANT, 0, &date, "d MMMM", text.data(), static_cast<int>(text.size()));
    return text.data();
}

// A person whose birthday falls `days` from today and who turns `age` then.
struct Person {
    std::string name;
    int days;
    int age;
    std::string remind = "1";
};

const Person TodayPerson{"Today Person", 0, 30};

Entry EntryOf(const Person& person) {
    const Day birthday = DaysFrom(LocalToday(), person.days);
    return {person.name,
            std::to_string(birthday.day),
            std::to_string(birthday.month),
            std::to_string(birthday.year - person.age),
            person.remind,
            "1"};
}

std::string ListOf(const std::vector<Person>& people) {
    std::vector<Entry> entries;
    for (const Person& person : people)
        entries.push_back(EntryOf(person));
    return ListBytes(entries);
}

// The row the window shows for a person, `when` as it reads.
std::vector<std::string> RowOf(const Person& person, const std::string& when) {
    return {person.name, BirthdayText(DaysFrom(LocalToday(), person.days)), std::to_string(person.age), when};
}

std::string InstalledDataFolder() {
    return InstalledProgramFolder() + "\\data";
}

// A user of the reminder: a scenario with the user's two files, and the
// reminder started from a data folder as the autostart shortcut starts it.
class ReminderUser {
public:
    ReminderUser(std::string_view settings, const std::vector<Person>& people)
        : scenario_(CurrentTestName()), appData_("APPDATA", scenario_.AppData()) {
        scenario_.GiveSettings(settings);
        scenario_.GiveList(ListOf(people));
    }

    [[nodiscard]] const Scenario& scenario() const { return scenario_; }
    [[nodiscard]] std::string StateFile() const {
        return scenario_.SettingsFolder() + "\\reminder-state.txt";
    }
    void GiveStateDay(Day day) const { WriteBytes(StateFile(), DateText(day)); }
    // The first line of the reminder's record: the day of its last check.
    [[nodiscard]] std::string LastCheckDay() const {
        const std::string record = ReadBytes(StateFile()).value_or("");
        return record.substr(0, record.find('\r'));
    }

    [[nodiscard]] Program Start(const std::string& dataFolder = InstalledDataFolder()) const {
        return StartProcess(dataFolder + "\\Reminder.exe", dataFolder + "\\");
    }

    // Starts the reminder and waits until it is resident: its hidden window
    // is there and it has looked at the files.
    [[nodiscard]] Program StartResident(const std::string& dataFolder = InstalledDataFolder()) const {
        Program program = Start(dataFolder);
        EXPECT_TRUE(WaitUntil([&] { return ReminderTrayWindow(program) != nullptr; }, DefaultTimeout))
            << program.Describe();
        return program;
    }

private:
    Scenario scenario_;
    EnvironmentOverride appData_;  // the scenario's, for the reminder it starts
};

// The reminder is still there a second after its start, showing no window.
void ExpectResidentAndQuiet(const Program& program) {
    ASSERT_TRUE(program.Started()) << program.Describe();
    EXPECT_FALSE(program.WaitForExit(Millis{1000}).has_value()) << program.Describe();
    EXPECT_EQ(program.FindWindowTitled(ReminderWindowTitle), nullptr);
}

// The reminder window of a started reminder, read as the user sees it.
struct ReminderView {
    HWND window = nullptr;
    std::vector<std::vector<std::string>> rows;
};

ReminderView WaitForReminder(const Program& program) {
    ReminderView view;
    view.window = program.WaitForWindow(ReminderWindowTitle);
    if (view.window) view.rows = ListViewReader(Control(view.window, ReminderListId)).Rows();
    return view;
}

// CLOSE closes the window; the reminder stays in the notification area.
void CloseWithButton(const Program& program, HWND window) {
    ClickButton(window, ReminderCloseButtonId);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, DefaultTimeout)) << program.Describe();
    EXPECT_TRUE(program.Running()) << program.Describe();
}

// Whether the process runs with version 6 of the common controls, which only
// its manifest can ask for. Wine reports 5.81 as the version either way; the
// folder the library was loaded from tells.
bool UsesCommonControls6(DWORD processId) {
    const UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return false;
    std::vector<HMODULE> modules(256);
    DWORD needed = 0;
    if (!EnumProcessModules(process.Get(), modules.data(),
                            static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
        return false;
    }
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (HMODULE module : modules) {
        std::string path(MAX_PATH * 4, '\0');
        path.resize(
            GetModuleFileNameExA(process.Get(), module, path.data(), static_cast<DWORD>(path.size())));
        for (char& c : path)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (path.ends_with("\\comctl32.dll")) {
            return path.find("microsoft.windows.common-controls_6595b64144ccf1df_6.") != std::string::npos;
        }
    }
    return false;
}

// The coming birthdays soonest first, then one missed while the computer was
// off since the last check three days ago.
TEST(Reminder, ShowsTheDueBirthdaysSoonestFirstCatchesUpAndRemembersTheDay) {
    // Lead code 6: ten days ahead. Music off.
    const std::string settings = "6\r\n0\r\n1";
    const Person tomorrow{"Tomorrow Person", 1, 7};
    const Person tenDays{"Ten Days", 10, 41};
    const Person missed{"Missed Person", -2, 62};
    const std::vector<Person> people = {
        tenDays, missed, {"Eleven Days", 11, 50}, TodayPerson, {"Not Reminded", 0, 20, "0"}, tomorrow};
    const ReminderUser user(settings, people);
    user.GiveStateDay(DaysFrom(LocalToday(), -3));

    const Program program = user.Start();
    const ReminderView view = WaitForReminder(program);
    ASSERT_NE(view.window, nullptr) << program.Describe();
    EXPECT_EQ(view.rows, (std::vector<std::vector<std::string>>{
                             RowOf(TodayPerson, "TODAY"), RowOf(tomorrow, "TOMORROW"),
                             RowOf(tenDays, "IN 10 DAYS"), RowOf(missed, "2 DAYS AGO")}));

    const ListViewReader list(Control(view.window, ReminderListId));
    EXPECT_EQ(list.ColumnTitles(), (std::vector<std::string>{"NAME", "BIRTHDAY", "TURNS", "WHEN"}));
    EXPECT_EQ(TextOf(Control(view.window, ReminderTitleId)), "BIRTHDAY REMINDER");
    EXPECT_EQ(TextOf(Control(view.window, ReminderCloseButtonId)), "CLOSE");
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == view.window; }, Millis{5000}));
    EXPECT_TRUE(UsesCommonControls6(program.Id()));

    // Today's row has the highlight colour; the next row has not. A point
    // inside the BIRTHDAY cell, right of its text.
    const auto cellPoint = [&](int row) {
        const RECT rect = list.ItemRect(row);
        POINT point{rect.left + 120 + 90, (rect.top + rect.bottom) / 2};
        MapWindowPoints(Control(view.window, ReminderListId), view.window, &point, 1);
        return point;
    };
    EXPECT_TRUE(
        WaitUntil([&] { return ScreenPixel(view.window, cellPoint(0)) == RGB(0, 193, 193); }, Millis{5000}));
    EXPECT_NE(ScreenPixel(view.window, cellPoint(1)), RGB(0, 193, 193));

    EXPECT_EQ(user.LastCheckDay(), DateText(LocalToday()));
    CloseWithButton(program, view.window);
    QuitReminder(program);
    // The user's own files are only read.
    EXPECT_EQ(ReadBytes(user.scenario().SettingsFile()), settings);
    EXPECT_EQ(ReadBytes(user.scenario().ListFile()), ListOf(people));
    EXPECT_EQ(FolderEntries(user.scenario().SettingsFolder()),
              (std::vector<std::string>{"config.txt", "reminder-state.txt"}));
}

TEST(Reminder, NothingDueStaysInTheNotificationAreaUntilQuitFromItsMenu) {
    // Lead code 5: five days, so ten days ahead is not yet due; a birthday
    // today that is not to be reminded; and one two days ago, before the
    // last check yesterday, so already reminded then.
    const ReminderUser user("5\r\n1\r\n1",
                            {{"Ten Days", 10, 41}, {"Not Reminded", 0, 20, "0"}, {"Missed Person", -2, 62}});
    user.GiveStateDay(DaysFrom(LocalToday(), -1));
    const std::size_t iconsBefore = NotificationAreaIcons().size();
    const Program program = user.StartResident();
    ExpectResidentAndQuiet(program);
    // The day counts as done, so tomorrow does not catch up on it.
    EXPECT_TRUE(WaitUntil([&] { return user.LastCheckDay() == DateText(LocalToday()); }, DefaultTimeout));

    // Its icon: the newest in the notification area; a right click on it
    // opens the reminder's menu, and the keyboard reaches "Quit reminder"
    // (the last item, one up from the first).
    ASSERT_TRUE(WaitUntil([&] { return NotificationAreaIcons().size() == iconsBefore + 1; }, DefaultTimeout));
    // As after a restart of Explorer: the icon is put back, not doubled.
    const HWND firstIcon = NotificationAreaIcons().back();
    PostMessageA(ReminderTrayWindow(program), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_TRUE(
        WaitUntil([&] { return !IsWindow(firstIcon) && NotificationAreaIcons().size() == iconsBefore + 1; },
                  DefaultTimeout));
    const HWND icon = NotificationAreaIcons().back();
    ClickIn(icon, {8, 8}, MouseButton::Right);
    ASSERT_NE(WaitForPopupMenu(program.Id()), nullptr) << program.Describe();
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    const std::optional<DWORD> exitCode = program.WaitForExit();
    ASSERT_TRUE(exitCode.has_value()) << program.Describe();
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return NotificationAreaIcons().size() == iconsBefore; }, DefaultTimeout));
}

TEST(Reminder, MissingFilesShowNothingAndLeaveNoTrace) {
    const ReminderUser user("6\r\n1\r\n1", {{"Today Person", 0, 30}});
    const Scenario& scenario = user.scenario();
    const std::optional<std::string> list = ReadBytes(scenario.ListFile());

    // Nothing was shown, so nothing counts as reminded.
    DeleteTree(scenario.ListFile());
    {
        const Program program = user.StartResident();
        ExpectResidentAndQuiet(program);
        EXPECT_FALSE(Exists(user.StateFile()));
        QuitReminder(program);
    }
    // A user who never started Quillora: no folder is made either.
    DeleteTree(scenario.AppData() + "\\Quillora");
    DeleteTree(scenario.Documents() + "\\Quillora");
    const Program program = user.StartResident();
    ExpectResidentAndQuiet(program);
    QuitReminder(program);
    EXPECT_EQ(FolderEntries(scenario.AppData()), std::vector<std::string>{});
    EXPECT_EQ(FolderEntries(scenario.Documents()), std::vector<std::string>{});
}

// Folders made after the reminder started are not watched, so only the
// check that the system's message starts can find the new birthday.
TEST(Reminder, ResumeFromSleepAndUnlockLookAtTheFilesAgain) {
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
    } events[] = {{"resume", WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC},
                  {"unlock", WM_WTSSESSION_CHANGE, 0x8 /* WTS_SESSION_UNLOCK */}};
    for (const auto& event : events) {
        SCOPED_TRACE(event.what);
        const ReminderUser user("0\r\n0\r\n1", {TodayPerson});
        const Scenario& scenario = user.scenario();
        const std::optional<std::string> list = ReadBytes(scenario.ListFile());
        DeleteTree(scenario.AppData() + "\\Quillora");
        DeleteTree(scenario.Documents() + "\\Quillora");
        const Program program = user.StartResident();
        ExpectResidentAndQuiet(program);

        scenario.GiveSettings("0\r\n0\r\n1");
        scenario.GiveList(*list);
        PostMessageA(ReminderTrayWindow(program), event.message, event.wParam, 0);
        const HWND window = program.WaitForWindow(ReminderWindowTitle, Millis{5000});
        ASSERT_NE(window, nullptr) << program.Describe();
        CloseWithButton(program, window);
        QuitReminder(program);
    }
}

// One user with a birthday today: the list is read while Quillora holds it
// open for writing; a second start shows the running reminder's window and
// ends; the birthday is announced once a day, and a corrupt record of the
// day is replaced.
TEST(Reminder, ReadsAHeldListAnnouncesOnceADayAndASecondStartShowsTheRunningOne) {
    const ReminderUser user("0\r\n0\r\n1", {TodayPerson});
    {
        const UniqueKernelHandle writer(CreateFileA(user.scenario().ListFile().c_str(), GENERIC_WRITE,
                                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(writer.Valid());
        const Program first = user.Start();
        const ReminderView view = WaitForReminder(first);
        ASSERT_NE(view.window, nullptr) << first.Describe();
        EXPECT_EQ(view.rows, (std::vector<std::vector<std::string>>{RowOf(TodayPerson, "TODAY")}));
        EXPECT_TRUE(WaitUntil([&] { return user.LastCheckDay() == DateText(LocalToday()); }, DefaultTimeout))
            << "the first check makes the record";
        CloseWithButton(first, view.window);

        const Program second = user.Start();
        const std::optional<DWORD> exitCode = second.WaitForExit();
        ASSERT_TRUE(exitCode.has_value()) << second.Describe();
        EXPECT_EQ(*exitCode, 0u);
        const ReminderView again = WaitForReminder(first);
        ASSERT_NE(again.window, nullptr) << first.Describe();
        EXPECT_EQ(again.rows, view.rows);
        EXPECT_EQ(ReminderTrayWindow(second), nullptr);
        QuitReminder(first);
    }
    const std::optional<std::string> record = ReadBytes(user.StateFile());
    {
        const Program program = user.StartResident();
        ExpectResidentAndQuiet(program);
        EXPECT_EQ(program.WaitForWindow(ReminderWindowTitle, Millis{1000}), nullptr);
        QuitReminder(program);
    }
    EXPECT_EQ(ReadBytes(user.StateFile()), record);

    ASSERT_TRUE(WriteBytes(user.StateFile(), std::string("\xff\xfe garbage\0\r\n", 14)));
    const Program program = user.StartResident();
    const ReminderView view = WaitForReminder(program);
    ASSERT_NE(view.window, nullptr) << program.Describe();
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(user.StateFile()) == record; }, DefaultTimeout));
    QuitReminder(program);
}

// Written into the list while it runs, a birthday is announced at once, the
// melody playing once only when music is on (a probe loaded into the
// reminder counts the sounds it starts); saved again unchanged, it is not
// announced again.
TEST(Reminder, ABirthdayWrittenIntoTheListIsAnnouncedAtOnceWithTheMelodyOnlyWhenMusicIsOn) {
    const ReminderUser user("0\r\n1\r\n1", {});
    const Program program = user.StartResident();
    ExpectResidentAndQuiet(program);
    HWND reminder = ReminderTrayWindow(program);
    ASSERT_NE(reminder, nullptr) << program.Describe();
    const SharedBlock<test::MelodyWatch> watch(test::MelodyWatchMappingName(program.Id()));
    ASSERT_NE(watch.Get(), nullptr);
    ASSERT_TRUE(LoadLibraryInto(reminder, OwnFolder() + "\\quillora_melody_probe.dll"));
    ASSERT_EQ(watch->installed, 1) << "the reminder imports PlaySoundA";

    std::vector<Person> people;
    ReminderView view;
    for (const bool musicOn : {true, false}) {
        SCOPED_TRACE(musicOn ? "music on" : "music off");
        const LONG playsBefore = watch->plays;
        user.scenario().GiveSettings(musicOn ? "0\r\n1\r\n1" : "0\r\n0\r\n1");
        people.push_back({musicOn ? "Heard" : "Silent", 0, 30});
        if (musicOn) {
            // As Quillora saves: a new file moved over the old one.
            const std::string written = user.scenario().ListFile() + ".new";
            ASSERT_TRUE(WriteBytes(written, ListOf(people)));
            ASSERT_TRUE(
                MoveFileExA(written.c_str(), user.scenario().ListFile().c_str(), MOVEFILE_REPLACE_EXISTING));
        } else {
            user.scenario().GiveList(ListOf(people));  // as an editor writes it in place
        }
        ASSERT_TRUE(WaitUntil(
            [&] {
                view = WaitForReminder(program);
                return view.window && view.rows.size() == people.size();
            },
            musicOn ? Millis{5000} : DefaultTimeout))
            << "the new birthday was not announced";
        // Answered once the check that announced it has ended.
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(reminder, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        EXPECT_EQ(watch->plays - playsBefore, musicOn ? 1 : 0);
    }
    EXPECT_NE(std::string(watch->lastSound).find("reminder.wav"), std::string::npos) << watch->lastSound;
    EXPECT_EQ(view.rows,
              (std::vector<std::vector<std::string>>{RowOf(people[0], "TODAY"), RowOf(people[1], "TODAY")}));
    CloseWithButton(program, view.window);

    // Saved again unchanged: announced once today is enough.
    ASSERT_TRUE(WriteBytes(user.scenario().ListFile(), ListOf(people)));
    EXPECT_EQ(program.WaitForWindow(ReminderWindowTitle, Millis{2000}), nullptr);
    QuitReminder(program);
}

}  // namespace
}  // namespace quillora::e2e
