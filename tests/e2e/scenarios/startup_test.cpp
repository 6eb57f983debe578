// Starting Quillora: the per-user folders, the first-run copies of the
// templates, later starts, and every way a start can fail.
#include <gtest/gtest.h>

#include "driver.h"
#include "test_support.h"

namespace quillora::e2e {
namespace {

// Where the settings of a start without APPDATA went before the program
// asked the shell: "\Quillora\data" on the drive of the working folder.
// Removed before and after such a test.
class CurrentDriveSettings {
public:
    static constexpr const char* Tree = "C:\\Quillora";
    CurrentDriveSettings() { DeleteTree(Tree); }
    ~CurrentDriveSettings() { DeleteTree(Tree); }
    CurrentDriveSettings(const CurrentDriveSettings&) = delete;
    CurrentDriveSettings& operator=(const CurrentDriveSettings&) = delete;
};

TEST(FirstStart, FromTheInstallationFolderMakesBothTreesCopiesTheTemplatesAndTheShortcut) {
    const Scenario scenario(CurrentTestName());
    const Templates templates = InstalledTemplates();
    ASSERT_EQ(templates.config, "3\r\n1\r\n0") << "in " << InstalledProgramFolder();
    ASSERT_EQ(templates.list, "0\r\n") << "in " << InstalledProgramFolder();

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario, {}, ListAtStart::Readable, [&](HWND) {
        EXPECT_TRUE(IsFolder(scenario.AppData() + "\\Quillora"));
        EXPECT_TRUE(IsFolder(scenario.SettingsFolder()));
        EXPECT_TRUE(IsFolder(scenario.Documents() + "\\Quillora"));
        EXPECT_TRUE(IsFolder(scenario.ListFolder()));
        EXPECT_EQ(ReadBytes(scenario.ListFile()), templates.list);
        // The template's third line 0 asks for the autostart shortcut, written
        // once the window exists; then the line reads 1, saved at once.
        const std::string settingsAfter = "3\r\n1\r\n1";
        EXPECT_TRUE(
            WaitUntil([&] { return ReadBytes(scenario.SettingsFile()) == settingsAfter; }, Millis(5000)))
            << "settings: " << ReadBytes(scenario.SettingsFile()).value_or("(none)");
        EXPECT_EQ(FolderEntries(scenario.Startup()), std::vector<std::string>{"Reminder.lnk"});
        // Beside the settings: the list as this start read it, the version
        // another computer sharing the list will be merged against.
        EXPECT_EQ(FolderEntries(scenario.SettingsFolder()),
                  (std::vector<std::string>{"config.txt", "list-shared-base.txt"}));
        EXPECT_EQ(FolderEntries(scenario.ListFolder()), std::vector<std::string>{"list.txt"});
    }));
}

TEST(FirstStart, CopiesTheTemplatesOfItsWorkingFolderByteForByte) {
    const Scenario scenario(CurrentTestName());
    // Settings that differ from the installation's, with the third line 1 so
    // that nothing at start-up has a reason to rewrite them.
    const std::string config = "6\r\n0\r\n1";
    const std::string list = TwoEntryList();
    const std::string folder = scenario.MakeWorkingFolder("Portable", Templates{config, list});

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario, LaunchOptions{folder}, ListAtStart::Readable, [&](HWND) {
        EXPECT_EQ(ReadBytes(scenario.SettingsFile()), config);
        EXPECT_EQ(ReadBytes(scenario.ListFile()), list);
    }));
    // Quitting writes the same table and settings back: the same bytes.
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), config);
    EXPECT_EQ(ReadBytes(scenario.ListFile()), list);
}

// From a command prompt in another folder, the first start takes the
// templates and the reminder's place from the data folder beside the
// program.
TEST(FirstStart, FromAFolderWithoutDataUsesTheOneBesideTheProgram) {
    const Scenario scenario(CurrentTestName());
    const std::string folder = scenario.MakeWorkingFolder("Elsewhere", Templates{});
    const Templates templates = InstalledTemplates();

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario, LaunchOptions{folder}, ListAtStart::Readable, [&](HWND) {
        EXPECT_EQ(ReadBytes(scenario.ListFile()), templates.list);
        EXPECT_TRUE(
            WaitUntil([&] { return ReadBytes(scenario.SettingsFile()) == "3\r\n1\r\n1"; }, Millis(5000)));
        const std::optional<ShortcutView> shortcut = ReadShortcut(scenario.Startup() + "\\Reminder.lnk");
        ASSERT_TRUE(shortcut.has_value());
        const std::string data = InstalledProgramFolder() + "\\data\\";
        EXPECT_EQ(shortcut->target, data + "Reminder.exe");
        EXPECT_EQ(shortcut->workingFolder, data);
    }));
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{});
}

// A shortcut that could not be written (a file where the Startup folder
// should be) is not reported and is tried again at the next start.
TEST(FirstStart, TriesTheShortcutAgainUntilItIsWritten) {
    const Scenario scenario(CurrentTestName());
    ASSERT_TRUE(DeleteTree(scenario.Startup()));
    ASSERT_TRUE(WriteBytes(scenario.Startup(), "not a folder"));
    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), "3\r\n1\r\n0");

    ASSERT_TRUE(DeleteTree(scenario.Startup()));
    ASSERT_TRUE(MakeFolders(scenario.Startup()));
    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), "3\r\n1\r\n1");
    EXPECT_EQ(FolderEntries(scenario.Startup()), std::vector<std::string>{"Reminder.lnk"});
}

TEST(LaterStart, ChangesNothingWhenNothingWasEdited) {
    const Scenario scenario(CurrentTestName());
    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    const std::optional<std::string> settings = ReadBytes(scenario.SettingsFile());
    const std::optional<std::string> list = ReadBytes(scenario.ListFile());
    ASSERT_TRUE(settings && list);
    // The user removed the autostart shortcut: it stays removed.
    ASSERT_TRUE(DeleteTree(scenario.Startup() + "\\Reminder.lnk"));

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), settings);
    EXPECT_EQ(ReadBytes(scenario.ListFile()), list);
    EXPECT_EQ(FolderEntries(scenario.Startup()), std::vector<std::string>{});
    EXPECT_EQ(FolderEntries(scenario.AppData()), std::vector<std::string>{"Quillora"});
    EXPECT_EQ(FolderEntries(scenario.Documents()), std::vector<std::string>{"Quillora"});
}

TEST(LaterStart, NeverReplacesTheUsersFilesWithTemplates) {
    const Scenario scenario(CurrentTestName());
    const std::string config = "2\r\n0\r\n1";
    scenario.GiveSettings(config);
    scenario.GiveList(TwoEntryList());

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario, {}, ListAtStart::Readable, [&](HWND) {
        EXPECT_EQ(ReadBytes(scenario.SettingsFile()), config);
        EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
    }));
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), config);
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
}

TEST(LaterStart, CopiesADeletedSettingsFileAgainAndKeepsTheList) {
    const Scenario scenario(CurrentTestName());
    const std::string config = "5\r\n1\r\n1";
    const std::string folder = scenario.MakeWorkingFolder("Install", Templates{config, "0\r\n"});
    MakeFolders(scenario.SettingsFolder());
    scenario.GiveList(TwoEntryList());

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario, LaunchOptions{folder}));
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), config);
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
}

TEST(LaterStart, FindsFoldersAndFilesWhoseNamesDifferInLetterCase) {
    const Scenario scenario(CurrentTestName());
    const std::string config = "4\r\n1\r\n1";
    WriteBytes(scenario.AppData() + "\\QUILLORA\\DATA\\CONFIG.TXT", config);
    WriteBytes(scenario.Documents() + "\\quillora\\saved-list\\List.Txt", TwoEntryList());

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), config);
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
    EXPECT_EQ(FolderEntries(scenario.AppData()), std::vector<std::string>{"QUILLORA"});
    EXPECT_EQ(FolderEntries(scenario.Documents()), std::vector<std::string>{"quillora"});
}

// Without APPDATA (unset or empty) the settings go to the user's own roaming
// folder from the shell, never to a folder at the root of the drive that
// every user shares.
TEST(LaterStart, WithoutAppDataKeepsTheSettingsInTheUsersRoamingFolder) {
    const Scenario scenario(CurrentTestName());
    const CurrentDriveSettings tree;
    const std::string config = "7\r\n0\r\n1";
    const std::string folder = scenario.MakeWorkingFolder("Install", Templates{config, "0\r\n"});

    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario, LaunchOptions{folder, std::nullopt}));
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), config);
    EXPECT_FALSE(Exists(CurrentDriveSettings::Tree));
    EXPECT_EQ(ReadBytes(scenario.ListFile()), "0\r\n");

    scenario.GiveSettings("5\r\n1\r\n1");
    LaunchOptions empty{folder, std::nullopt};
    empty.emptyAppData = true;
    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario, empty));
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), "5\r\n1\r\n1");
    EXPECT_FALSE(Exists(CurrentDriveSettings::Tree));
}

// ---------------------------------------------------------------------------

// A data folder in the working folder is the one used, even when empty.
TEST(StartFailure, WithoutTemplatesInTheWorkingFoldersData) {
    const Scenario scenario(CurrentTestName());
    const std::string folder = scenario.MakeWorkingFolder("Elsewhere", Templates{});
    ASSERT_TRUE(MakeFolders(folder + "\\data"));

    ExpectStartFailure(
        scenario.Launch(LaunchOptions{folder}),
        "COULDN'T COPY: '" + folder + "\\data\\config.txt' To THE DIRECTORY: '" + scenario.SettingsFile());
    // The four folders come before the copies; nothing else was made.
    EXPECT_TRUE(IsFolder(scenario.SettingsFolder()));
    EXPECT_TRUE(IsFolder(scenario.ListFolder()));
    EXPECT_EQ(FolderEntries(scenario.SettingsFolder()), std::vector<std::string>{});
    EXPECT_EQ(FolderEntries(scenario.ListFolder()), std::vector<std::string>{});
    EXPECT_EQ(FolderEntries(folder + "\\data"), std::vector<std::string>{});
}

TEST(StartFailure, WithoutTheListTemplate) {
    const Scenario scenario(CurrentTestName());
    const std::string config = "3\r\n1\r\n0";
    const std::string folder = scenario.MakeWorkingFolder("HalfInstalled", Templates{config, std::nullopt});

    ExpectStartFailure(
        scenario.Launch(LaunchOptions{folder}),
        "COULDN'T COPY: '" + folder + "\\data\\list.txt' To THE DIRECTORY: '" + scenario.ListFile());
    // The settings were copied, and nothing after the failed step ran.
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), config);
    EXPECT_EQ(FolderEntries(scenario.Startup()), std::vector<std::string>{});
}

TEST(StartFailure, FileInPlaceOfTheSettingsFolder) {
    const Scenario scenario(CurrentTestName());
    WriteBytes(scenario.AppData() + "\\Quillora", "not a folder");

    ExpectStartFailure(scenario.Launch(),
                       "KONNTE VERZEICHNISS NICHT ERSTELLEN: " + scenario.SettingsFolder());
    EXPECT_EQ(ReadBytes(scenario.AppData() + "\\Quillora"), "not a folder");
    EXPECT_EQ(FolderEntries(scenario.Documents()), std::vector<std::string>{});
}

TEST(StartFailure, FileInPlaceOfTheListFolder) {
    const Scenario scenario(CurrentTestName());
    WriteBytes(scenario.Documents() + "\\Quillora", "");

    ExpectStartFailure(scenario.Launch(), "KONNTE VERZEICHNISS NICHT ERSTELLEN: " + scenario.ListFolder());
    EXPECT_TRUE(IsFolder(scenario.SettingsFolder()));
    EXPECT_EQ(FolderEntries(scenario.SettingsFolder()), std::vector<std::string>{});
}

TEST(StartFailure, SettingsFileThatCannotBeOpened) {
    const Scenario scenario(CurrentTestName());
    // A folder of that name counts as present, so no template is copied,
    // and it cannot be read as a file.
    MakeFolders(scenario.SettingsFile());
    scenario.GiveList(TwoEntryList());

    ExpectStartFailure(scenario.Launch(), "COULDNT FIND: " + scenario.SettingsFile());
    EXPECT_TRUE(IsFolder(scenario.SettingsFile()));
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
}

TEST(StartFailure, ListFileLockedByAnotherProgram) {
    const Scenario scenario(CurrentTestName());
    // Third line 0: a start that got past the list would write the shortcut
    // and rewrite these settings.
    const std::string config = "3\r\n1\r\n0";
    scenario.GiveSettings(config);
    scenario.GiveList(TwoEntryList());
    {
        const FileLock lock(scenario.ListFile());
        ASSERT_TRUE(lock.Held());
        ExpectStartFailure(scenario.Launch(), "COULDNT FIND THE BIRTHDAY-LIST!");
    }
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), config);
    EXPECT_EQ(FolderEntries(scenario.Startup()), std::vector<std::string>{});
}

}  // namespace
}  // namespace quillora::e2e
