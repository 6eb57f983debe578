// Files that users, other tools and accidents leave behind: garbage, absurd
// counts, huge lists and names, bytes of the ANSI code page, files that
// cannot be written at quit. Whatever the program finds, it must start, keep
// what the user had and end normally.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "driver.h"
#include "test_support.h"
#include "ui/ids.h"

namespace quillora::e2e {
namespace {

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(byte(random));
    return bytes;
}

// Entries whose six texts are runs of every byte that a text can hold (all
// but CR, LF and zero), and the file with those lines ended at random by
// CR LF, LF, CR or a zero byte.
struct GarbageTexts {
    std::vector<Entry> entries;
    std::string file;
};

GarbageTexts TextsOfEveryByte(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::string pool;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') pool.push_back(static_cast<char>(b));
    }
    std::size_t next = 0;
    std::uniform_int_distribution<std::size_t> length(1, 40);
    // Never empty: an empty text ended by CR before a line ended by LF would
    // read as one CR LF, which is a different file.
    auto text = [&] {
        std::string t;
        for (std::size_t n = length(random); n > 0; --n)
            t.push_back(pool[next++ % pool.size()]);
        return t;
    };
    GarbageTexts result;
    for (int i = 0; i < count; ++i)
        result.entries.push_back(Entry{text(), text(), text(), text(), text(), text()});

    const std::string canonical = ListBytes(result.entries);
    static constexpr std::string_view Ends[] = {"\r\n", "\n", "\r", std::string_view("\0", 1)};
    std::uniform_int_distribution<std::size_t> end(0, std::size(Ends) - 1);
    std::size_t start = 0;
    for (std::size_t at = canonical.find("\r\n"); at != std::string::npos;
         at = canonical.find("\r\n", start)) {
        result.file.append(canonical, start, at - start).append(Ends[end(random)]);
        start = at + 2;
    }
    result.file.append(canonical, start);
    return result;
}

struct HostileList {
    const char* name;
    std::string given;
    // What the quit writes; nullopt when the file means nothing and only the
    // form of what is written can be checked.
    std::optional<std::string> written;
    // Rows of the "ALL" list: how many, and the names of some of them.
    int shownRows = -1;
    std::vector<std::pair<int, std::string>> shownNames;
    // Lines that are not six per counted entry are kept aside at start-up.
    ListAtStart list = ListAtStart::Readable;
};

void PrintTo(const HostileList& c, std::ostream* out) {
    *out << c.name;
}

std::vector<HostileList> HostileLists() {
    std::vector<HostileList> cases;

    cases.push_back({"EmptyFile", "", "0\r\n", 0, {}});

    // A list saved as UTF-16 (Notepad's "Unicode"), or random bytes whose first line holds no
    // count, is kept aside before a save: see UnreadableList.
    cases.push_back({"CountThenRandomBytes",
                     "40\r\n" + RandomBytes(64 * 1024, 2),
                     std::nullopt,
                     40,
                     {},
                     ListAtStart::KeptAside});

    const GarbageTexts garbage = TextsOfEveryByte(30, 3);
    cases.push_back({"TextsOfEveryByteWithMixedLineEnds",
                     garbage.file,
                     ListBytes(garbage.entries),
                     30,
                     {{0, garbage.entries[0].name}, {29, garbage.entries[29].name}}});

    // The largest count a 32-bit count can hold, on a file of ten lines: the
    // nine names are kept, the rows they do not back are empty.
    std::string tenLines = "2147483647";
    std::vector<Entry> tenLinesRead;
    for (int i = 1; i <= 9; ++i) {
        tenLines += "\r\nName " + std::to_string(i);
        tenLinesRead.push_back(NameOnly("Name " + std::to_string(i)));
    }
    while (tenLinesRead.size() < 102)
        tenLinesRead.push_back(NameOnly(""));
    cases.push_back({"LargestCountOnTenLines",
                     tenLines,
                     ListBytes(tenLinesRead),
                     102,
                     {{0, "Name 1"}, {8, "Name 9"}, {9, ""}},
                     ListAtStart::KeptAside});

    const std::string hundredThousand = ListBytes(ManyEntries(100000));
    cases.push_back({"HundredThousandEntries",
                     hundredThousand,
                     hundredThousand,
                     100000,
                     {{0, "Person 0"}, {99999, "Person 99999"}}});

    std::string longName(1 << 20, '\0');
    for (std::size_t i = 0; i < longName.size(); ++i)
        longName[i] = static_cast<char>('A' + i % 26);
    const std::string withLongName =
        ListBytes({{"Anna", "14", "2", "1980", "1", "1"}, {longName, "3", "11", "1975", "0", "1"}});
    cases.push_back({"NameOfOneMebibyte", withLongName, withLongName, 2, {{0, "Anna"}, {1, longName}}});

    // Windows-1252, the code page of a Western European Windows.
    const std::vector<std::string> accented = {"Jos\xE9 Mu\xF1oz",
                                               "Fran\xE7oise L\xE9vy",
                                               "\xC5sa \xD8stergaard",
                                               "Bj\xF6rk Gu\xF0mundsd\xF3ttir",
                                               "\xC9milie Stra\xDF"
                                               "e",
                                               "\xDE\xF3r \xC6gisson"};
    std::vector<Entry> accentedEntries;
    HostileList accentedCase{"AccentedNames", "", "", static_cast<int>(accented.size()), {}};
    for (std::size_t i = 0; i < accented.size(); ++i) {
        accentedEntries.push_back(Entry{accented[i], std::to_string(i + 1), "5", "1990", "1", "1"});
        accentedCase.shownNames.emplace_back(static_cast<int>(i), accented[i]);
    }
    accentedCase.given = ListBytes(accentedEntries);
    accentedCase.written = accentedCase.given;
    cases.push_back(accentedCase);
    return cases;
}

// Starts the program on the scenario's files, checks the "ALL" list against
// `c` and quits through the menu; expects a normal end.
void StartCheckAndQuit(const Scenario& scenario, const HostileList& c) {
    Program program = scenario.Launch();
    if (c.list == ListAtStart::KeptAside) {
        ASSERT_FALSE(AcceptKeptAsideNotice(program, scenario).empty());
    }
    HWND window = program.WaitForWindow(MainWindowTitle, BigListTimeout);
    ASSERT_NE(window, nullptr) << program.Describe();
    HWND listView = ListOfTab(window, AllTab);
    ASSERT_NE(listView, nullptr);
    const ListViewReader list(listView);
    if (c.shownRows >= 0) {
        EXPECT_TRUE(WaitUntil([&] { return list.ItemCount() == c.shownRows; }, BigListTimeout))
            << "shows " << list.ItemCount() << " rows, expected " << c.shownRows;
    }
    for (const auto& [row, name] : c.shownNames) {
        const std::string shown = list.Text(row, 0);
        EXPECT_TRUE(shown == name) << "row " << row << " shows " << shown.size() << " bytes \""
                                   << shown.substr(0, 60) << "\", expected " << name.size() << " bytes \""
                                   << name.substr(0, 60) << "\"";
    }
    PostCommand(window, QuitCommand);
    const std::optional<DWORD> exitCode = program.WaitForExit(BigListTimeout);
    ASSERT_TRUE(exitCode.has_value()) << "no end after Quit; " << program.Describe();
    EXPECT_EQ(*exitCode, 0u);
}

class HostileListFile : public testing::TestWithParam<HostileList> {};

TEST_P(HostileListFile, StartsKeepsWhatTheUserHadAndEndsNormally) {
    const HostileList& c = GetParam();
    const Scenario scenario(CurrentTestName());
    scenario.GiveSettings(QuietSettings);
    scenario.GiveList(c.given);
    ASSERT_NO_FATAL_FAILURE(StartCheckAndQuit(scenario, c));

    const std::optional<std::string> written = ReadBytes(scenario.ListFile());
    ASSERT_TRUE(written.has_value());
    if (c.written) {
        EXPECT_TRUE(*written == *c.written)
            << "wrote " << written->size() << " bytes, expected " << c.written->size();
    }
    // The file as the user had it survives the save.
    if (*written != c.given) {
        EXPECT_TRUE(ReadBytes(scenario.ListFile() + ".bak") == c.given);
    }
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), QuietSettings);

    if (!c.written) {
        // Whatever the garbage meant, the program wrote a list in its own
        // form: loading it and quitting again changes nothing.
        ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
        EXPECT_TRUE(ReadBytes(scenario.ListFile()) == written) << "the second save differs from the first";
    }
}

INSTANTIATE_TEST_SUITE_P(HostileFiles, HostileListFile, testing::ValuesIn(HostileLists()),
                         [](const testing::TestParamInfo<HostileList>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// A list file that cannot be replaced when the program quits.

struct Obstacle {
    const char* name;
    // Puts the obstacle in place once the program runs; what it returns
    // holds it until the program has ended.
    std::function<std::shared_ptr<void>(const Scenario&)> place;
};

void PrintTo(const Obstacle& c, std::ostream* out) {
    *out << c.name;
}

// A file marked read-only for as long as it lives.
class ReadOnlyMark {
public:
    explicit ReadOnlyMark(std::string path)
        : path_(std::move(path)), held_(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY) != 0) {}
    ~ReadOnlyMark() {
        if (held_) SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    ReadOnlyMark(const ReadOnlyMark&) = delete;
    ReadOnlyMark& operator=(const ReadOnlyMark&) = delete;
    [[nodiscard]] bool Held() const { return held_; }

private:
    std::string path_;
    bool held_;
};

// The obstacle while it holds, or null.
template <class Held>
std::shared_ptr<void> IfHeld(std::shared_ptr<Held> obstacle) {
    return obstacle->Held() ? obstacle : nullptr;
}

std::shared_ptr<void> MarkReadOnly(const std::string& path) {
    return IfHeld(std::make_shared<ReadOnlyMark>(path));
}

class UnwritableListAtQuit : public testing::TestWithParam<Obstacle> {};

// A line end after the third line: only a save of the settings removes it.
const std::string UnsavedSettings = "6\r\n0\r\n1\r\n";
// Line feeds only: a save of the list would change it.
const std::string LineFeedList = WithLineEnd(TwoEntryList(), "\r\n", "\n");

TEST_P(UnwritableListAtQuit, SaysSoKeepsTheFileAndStillSavesTheSettings) {
    const Scenario scenario(CurrentTestName());
    scenario.GiveSettings(UnsavedSettings);
    scenario.GiveList(LineFeedList);

    Program program = scenario.Launch();
    HWND window = program.WaitForWindow(MainWindowTitle);
    ASSERT_NE(window, nullptr) << program.Describe();
    std::shared_ptr<void> obstacle = GetParam().place(scenario);
    ASSERT_NE(obstacle, nullptr);
    PostCommand(window, QuitCommand);

    const std::optional<MessageBoxView> box = program.WaitForMessageBox();
    ASSERT_NO_FATAL_FAILURE(ExpectErrorBox(box, "COULDNT SAVE THE BIRTHDAY-LIST!", program));
    // The list is saved before the settings.
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), UnsavedSettings);

    PressDialogButton(box->window, IDOK);
    // The run's table is kept as a rescue copy, and the user told its name.
    EXPECT_EQ(ReadBytes(AcceptRescueNotice(program, scenario, box->window)), TwoEntryList());
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0)) << program.Describe();
    obstacle.reset();
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), "6\r\n0\r\n1");
    EXPECT_EQ(ReadBytes(scenario.ListFile()), LineFeedList);
    // Nothing else beside it: no temporary file left behind. (A file held
    // from the start is never read, so the day's backup may not be made.)
    std::vector<std::string> entries = FolderEntries(scenario.ListFolder());
    std::erase(entries, "Backups");
    EXPECT_EQ(entries, std::vector<std::string>{"list.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    HostileObstacles, UnwritableListAtQuit,
    testing::Values(Obstacle{"ReadOnly", [](const Scenario& s) { return MarkReadOnly(s.ListFile()); }},
                    Obstacle{
                        "OpenInAnotherProgram",
                        [](const Scenario& s) { return IfHeld(std::make_shared<FileLock>(s.ListFile())); }}),
    [](const testing::TestParamInfo<Obstacle>& info) { return info.param.name; });

// Neither a read-only settings file nor a read-only backup of the list stops
// the list from being saved, and neither is reported.
TEST(HostileQuit, ReadOnlySettingsAndBackupDoNotStopTheListSave) {
    const Scenario scenario(CurrentTestName());
    scenario.GiveSettings(UnsavedSettings);
    scenario.GiveList(LineFeedList);
    WriteBytes(scenario.ListFile() + ".bak", "an older list");
    const auto settingsMark = MarkReadOnly(scenario.SettingsFile());
    const auto backupMark = MarkReadOnly(scenario.ListFile() + ".bak");
    ASSERT_TRUE(settingsMark && backupMark);

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), UnsavedSettings);
}

// ---------------------------------------------------------------------------

TEST(HostileSettings, GarbageLinesAreKeptAsTextAndTheRestIsDropped) {
    const Scenario scenario(CurrentTestName());
    // Three lines of garbage (the third starting with 1, so no shortcut is
    // due) and a tail of random bytes.
    const std::string first = "\x01\x7F\xFF\xE9 \t$zz";
    const std::string second = "%2\x80\x9D";
    const std::string third = "1\xC0\xC1\xF5\xFE";
    scenario.GiveSettings(first + "\n" + second + "\r" + third + std::string("\0", 1) + RandomBytes(4096, 4));
    scenario.GiveList(TwoEntryList());

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), first + "\r\n" + second + "\r\n" + third);
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
    EXPECT_EQ(FolderEntries(scenario.Startup()), std::vector<std::string>{});
}

}  // namespace
}  // namespace quillora::e2e
