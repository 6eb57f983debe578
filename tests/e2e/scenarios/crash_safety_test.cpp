// The program killed while it saves a large list at quit, again and again
// at random moments: each time list.txt and config.txt must hold either what
// they held before the quit or what the quit writes, byte for byte, and the
// next start must work whatever a killed save left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "driver.h"
#include "test_support.h"
#include "ui/ids.h"

namespace quillora::e2e {
namespace {

using Clock = std::chrono::steady_clock;

// Each of this many tests kills the program this many times at random
// moments between the Quit command and a little after the time a quit
// takes without a kill (the list's save, the settings' save, closing the
// window), so that the kills cover the whole quit, its last steps included.
// A quit that ends before its kill is tried again.
constexpr int Rounds = 5;
constexpr int KillsPerRound = 11;

// A list large enough that writing it takes a while (under Wine about 80 ms,
// against a start of about half a second): a few names of a mebibyte each.
// Written with line feeds only, so that the quit, which writes CR LF,
// changes every line end and "old" and "new" never agree.
constexpr int EntryCount = 6;

std::vector<Entry> LargeEntries() {
    std::vector<Entry> entries;
    for (int i = 0; i < EntryCount; ++i) {
        std::string name(1 << 20, '\0');
        for (std::size_t at = 0; at < name.size(); ++at)
            name[at] = static_cast<char>('a' + (at + static_cast<std::size_t>(i)) % 26);
        entries.push_back(Entry{std::move(name), std::to_string(1 + i), std::to_string(1 + i % 12),
                                std::to_string(1950 + i), std::to_string(i % 2), "1"});
    }
    return entries;
}

// What one file held after a kill.
enum class Found { Old, New, Other };

void PrintTo(Found found, std::ostream* out) {
    *out << (found == Found::Old ? "the old bytes" : found == Found::New ? "the new bytes" : "other bytes");
}

Found Classify(const std::optional<std::string>& bytes, const std::string& oldBytes,
               const std::string& newBytes) {
    if (bytes == oldBytes) return Found::Old;
    if (bytes == newBytes) return Found::New;
    return Found::Other;
}

std::string Describe(const std::optional<std::string>& bytes) {
    if (!bytes) return "missing";
    return std::to_string(bytes->size()) + " bytes";
}

class CrashSafeSave : public testing::TestWithParam<int> {
protected:
    CrashSafeSave() : scenario_(CurrentTestName()) {}

    void SetUp() override {
        const std::string canonical = ListBytes(LargeEntries());
        newList_ = canonical;
        oldList_ = WithLineEnd(canonical, "\r\n", "\n");
        ASSERT_NE(oldList_, newList_);
    }

    // Puts the files as the user had them before the quit; what earlier
    // kills left beside them (temporary and backup files) stays.
    void GiveOldFiles() const {
        scenario_.GiveSettings(oldSettings_);
        scenario_.GiveList(oldList_);
    }

    // Starts the program and waits until it has filled its list and waits
    // for input, so that a Quit posted now is handled at once.
    void StartIdle(Program& program) {
        program = scenario_.Launch();
        window_ = program.WaitForWindow(MainWindowTitle, BigListTimeout);
        ASSERT_NE(window_, nullptr) << program.Describe();
        // Another process's request is only answered once the program is
        // idle in its message loop.
        const ListViewReader list(ListOfTab(window_, AllTab));
        ASSERT_TRUE(WaitUntil([&] { return list.ItemCount() == EntryCount; }, BigListTimeout))
            << "the list shows " << list.ItemCount() << " rows";
    }

    // Milliseconds from the Quit command to the end of the program, without
    // a kill; the list then holds the new bytes.
    double TimeOfQuit() {
        GiveOldFiles();
        Program program;
        StartIdle(program);
        if (HasFatalFailure()) return 0;
        const auto start = Clock::now();
        PostCommand(window_, QuitCommand);
        const std::optional<DWORD> exitCode = program.WaitForExit(BigListTimeout);
        const double took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        EXPECT_EQ(exitCode, std::optional<DWORD>(0)) << program.Describe();
        EXPECT_EQ(Classify(ReadBytes(scenario_.ListFile()), oldList_, newList_), Found::New);
        return took;
    }

    const Scenario scenario_;
    const std::string oldSettings_ = "6\r\n0\r\n1\r\n";
    const std::string newSettings_ = "6\r\n0\r\n1";
    std::string oldList_;
    std::string newList_;
    HWND window_ = nullptr;
};

TEST_P(CrashSafeSave, KilledAtAnyMomentLeavesTheOldOrTheNewFiles) {
    const int round = GetParam();
    // The median of a few quits without a kill: one alone varies too much
    // on a loaded machine.
    std::vector<double> quits;
    for (int i = 0; i < 3; ++i) {
        quits.push_back(TimeOfQuit());
        ASSERT_FALSE(HasFailure());
    }
    std::sort(quits.begin(), quits.end());
    const double quit = quits[1];
    std::printf("quit without a kill: %.0f ms (median of %.0f, %.0f, %.0f)\n", quit, quits[0], quits[1],
                quits[2]);

    std::mt19937 random(static_cast<unsigned>(round) * 7919u + 17u);
    std::uniform_real_distribution<double> within(0, 1.2 * quit);
    int kills = 0, olds = 0, news = 0, finished = 0;
    for (int attempt = 0; kills < KillsPerRound && attempt < 3 * KillsPerRound; ++attempt) {
        GiveOldFiles();
        Program program;
        ASSERT_NO_FATAL_FAILURE(StartIdle(program));
        const auto delay = Millis(static_cast<long long>(within(random)));
        PostCommand(window_, QuitCommand);
        if (program.WaitForExit(delay)) {
            ++finished;
        } else {
            program.Kill();
            ++kills;
        }
        const std::optional<std::string> list = ReadBytes(scenario_.ListFile());
        const std::optional<std::string> settings = ReadBytes(scenario_.SettingsFile());
        const Found listFound = Classify(list, oldList_, newList_);
        const Found settingsFound = Classify(settings, oldSettings_, newSettings_);
        ASSERT_TRUE(listFound != Found::Other)
            << "attempt " << attempt << " after " << delay.count() << " ms: list.txt is " << Describe(list)
            << "; folder holds " << testing::PrintToString(FolderEntries(scenario_.ListFolder()));
        ASSERT_TRUE(settingsFound != Found::Other)
            << "attempt " << attempt << " after " << delay.count() << " ms: config.txt is "
            << Describe(settings) << "; folder holds "
            << testing::PrintToString(FolderEntries(scenario_.SettingsFolder()));
        // The settings are saved after the list.
        if (settingsFound == Found::New) {
            EXPECT_EQ(listFound, Found::New);
        }
        (listFound == Found::Old ? olds : news) += 1;
    }
    std::printf(
        "round %d of %d: %d kills, after which the old list was found %d times and the new one %d times; "
        "%d quits ended before their kill\n",
        round + 1, Rounds, kills, olds, news - finished, finished);
    EXPECT_EQ(kills, KillsPerRound);

    // Whatever the last kill left behind, a normal run still works.
    GiveOldFiles();
    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario_));
    EXPECT_EQ(Classify(ReadBytes(scenario_.ListFile()), oldList_, newList_), Found::New);
    EXPECT_EQ(ReadBytes(scenario_.SettingsFile()), newSettings_);
}

// The most dangerous moment of a save is when the finished file takes the
// place of the old one. Another program looking into the folder then (the
// reminder at logon, a backup tool) must find the file, and a
// crash right then must leave one: the test watches both files through the
// quit and kills the program the moment it sees either missing.
TEST_F(CrashSafeSave, KilledWhileAFileIsOutOfPlaceStillLeavesBoth) {
    constexpr int Attempts = 5;
    const std::string listPath = scenario_.ListFile();
    const std::string settingsPath = scenario_.SettingsFile();
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        GiveOldFiles();
        Program program;
        ASSERT_NO_FATAL_FAILURE(StartIdle(program));
        PostCommand(window_, QuitCommand);
        std::string missing;
        const auto deadline = Clock::now() + BigListTimeout;
        // Polled without a pause: the gap to be caught may be a fraction of
        // a millisecond.
        while (missing.empty() && program.Running() && Clock::now() < deadline) {
            if (GetFileAttributesA(listPath.c_str()) == INVALID_FILE_ATTRIBUTES) missing = "list.txt";
            if (GetFileAttributesA(settingsPath.c_str()) == INVALID_FILE_ATTRIBUTES) missing = "config.txt";
        }
        program.Kill();
        ASSERT_FALSE(program.Running()) << program.Describe();
        EXPECT_EQ(missing, "") << "attempt " << attempt << ": while the program saved, " << missing
                               << " was missing";
        const std::optional<std::string> list = ReadBytes(listPath);
        const std::optional<std::string> settings = ReadBytes(settingsPath);
        ASSERT_TRUE(Classify(list, oldList_, newList_) != Found::Other)
            << "attempt " << attempt << ": after the kill list.txt is " << Describe(list) << "; folder holds "
            << testing::PrintToString(FolderEntries(scenario_.ListFolder()));
        ASSERT_TRUE(Classify(settings, oldSettings_, newSettings_) != Found::Other)
            << "attempt " << attempt << ": after the kill config.txt is " << Describe(settings)
            << "; folder holds " << testing::PrintToString(FolderEntries(scenario_.SettingsFolder()));
    }
}

INSTANTIATE_TEST_SUITE_P(CrashSafeRounds, CrashSafeSave, testing::Range(0, Rounds),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Round" + std::to_string(info.param + 1);
                         });

}  // namespace
}  // namespace quillora::e2e
