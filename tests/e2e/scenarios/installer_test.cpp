// QuilloraSetup.exe as a user gets it: a silent installation into Program
// Files for everyone or below the user's own programs folder for one user,
// Quillora's first start from the Start-menu shortcut, and the uninstaller,
// which must leave the user's own files alone.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "driver.h"
#include "reminder/reminder_ids.h"
#include "test_support.h"

namespace quillora::e2e {
namespace {

constexpr Millis InstallTimeout{60000};
constexpr const char* UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillora";

std::string SetupPath() {
    const std::string relative = InstalledProgramFolder() + "\\..\\QuilloraSetup.exe";
    std::string full(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameA(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

std::string ShellFolder(int csidl) {
    std::string path(MAX_PATH, '\0');
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path.data()))) return {};
    path.resize(path.find('\0'));
    return path;
}

// Runs a command line and waits for its end; its exit code, or nothing when
// it could not be started or did not end in time.
std::optional<DWORD> RunToEnd(std::string commandLine, const std::string& workingFolder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &started)) {
        return std::nullopt;
    }
    CloseHandle(started.hThread);
    const Program program(UniqueKernelHandle(started.hProcess), started.dwProcessId);
    return program.WaitForExit(InstallTimeout);
}

std::string WithoutTrailingBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

enum class InstallMode { Everyone, CurrentUser };

// The places the installer writes to in each mode: every user's, or the
// current user's own.
struct Installation {
    explicit Installation(InstallMode mode = InstallMode::Everyone) {
        const bool everyone = mode == InstallMode::Everyone;
        registryRoot = everyone ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        folder =
            everyone ? ShellFolder(CSIDL_PROGRAM_FILES) : ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs";
        folder += "\\Quillora";
        startMenuShortcut = ShellFolder(everyone ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS) + "\\Quillora.lnk";
        desktopShortcut =
            ShellFolder(everyone ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY) + "\\Quillora.lnk";
    }

    HKEY registryRoot;
    std::string folder;
    std::string startMenuShortcut;
    std::string desktopShortcut;

    [[nodiscard]] std::string Uninstaller() const { return folder + "\\Uninstall.exe"; }
    [[nodiscard]] bool Gone() const {
        return !Exists(folder) && !Exists(startMenuShortcut) && !Exists(desktopShortcut) &&
               !RegistryKeyExists(registryRoot, UninstallKey);
    }
    // The uninstaller started with /S hands over to a copy of itself and
    // returns at once; the copy does the work.
    [[nodiscard]] bool UninstallSilently() const {
        return RunToEnd("\"" + Uninstaller() + "\" /S", folder).has_value() &&
               WaitUntil([this] { return Gone(); }, InstallTimeout);
    }
};

// A user's start of Quillora through the Start-menu shortcut, closed again
// at once; the program ends with exit code 0.
void StartAndCloseAsTheStartMenuDoes(const Scenario& scenario, const ShortcutView& startMenu) {
    const EnvironmentOverride appData("APPDATA", scenario.AppData());
    Program program = StartProcess(startMenu.target, startMenu.workingFolder);
    HWND window = program.WaitForWindow(MainWindowTitle);
    ASSERT_NE(window, nullptr) << program.Describe();
    PostClose(window);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0)) << program.Describe();
}

TEST(Installer, InstallsSilentlyStartsFromTheStartMenuAndUninstallsKeepingTheUsersFiles) {
    const std::string setup = SetupPath();
    ASSERT_TRUE(Exists(setup)) << setup << " has not been built";
    const Installation installation;
    // What an earlier, failed run may have left in this Wine prefix (a
    // user's own installation would make /S install for that user again).
    for (const Installation& left : {installation, Installation(InstallMode::CurrentUser)}) {
        if (Exists(left.Uninstaller())) {
            ASSERT_TRUE(left.UninstallSilently());
        }
    }

    ASSERT_EQ(RunToEnd("\"" + setup + "\" /S", OwnFolder()), std::optional<DWORD>(0));

    // Every file of the built installation folder, byte for byte.
    EXPECT_EQ(FolderEntries(installation.folder),
              (std::vector<std::string>{"Quillora.exe", "Uninstall.exe", "data"}));
    EXPECT_EQ(FolderEntries(installation.folder + "\\data"),
              (std::vector<std::string>{"Reminder.exe", "config.txt", "list.txt", "reminder.wav"}));
    for (const char* file :
         {"Quillora.exe", "data\\Reminder.exe", "data\\config.txt", "data\\list.txt", "data\\reminder.wav"}) {
        // Compared whole but not printed: most of them are binary.
        const std::optional<std::string> installed = ReadBytes(installation.folder + "\\" + file);
        const std::optional<std::string> built = ReadBytes(InstalledProgramFolder() + "\\" + file);
        EXPECT_TRUE(installed && built && *installed == *built) << file << " differs from the build's";
    }

    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, UninstallKey, "DisplayName"), "Quillora");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, UninstallKey, "Publisher"), "Quillora");
    const std::string version = RegistryText(HKEY_LOCAL_MACHINE, UninstallKey, "DisplayVersion").value_or("");
    EXPECT_TRUE(!version.empty() && std::all_of(version.begin(), version.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.';
    })) << version;
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, UninstallKey, "DisplayIcon"),
              installation.folder + "\\Quillora.exe,0");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, UninstallKey, "UninstallString"),
              "\"" + installation.Uninstaller() + "\"");

    const std::optional<ShortcutView> startMenu = ReadShortcut(installation.startMenuShortcut);
    ASSERT_TRUE(startMenu.has_value()) << "no Start-menu shortcut " << installation.startMenuShortcut;
    EXPECT_EQ(startMenu->target, installation.folder + "\\Quillora.exe");
    EXPECT_EQ(WithoutTrailingBackslash(startMenu->workingFolder), installation.folder);
    EXPECT_EQ(startMenu->arguments, "");
    EXPECT_TRUE(Exists(installation.desktopShortcut));

    // A user's first start, as the Start-menu shortcut starts Quillora.
    const Scenario scenario(CurrentTestName());
    ASSERT_NO_FATAL_FAILURE(StartAndCloseAsTheStartMenuDoes(scenario, *startMenu));
    EXPECT_EQ(ReadBytes(scenario.ListFile()), ReadBytes(installation.folder + "\\data\\list.txt"));
    const std::optional<std::string> settings = ReadBytes(scenario.SettingsFile());
    const std::optional<std::string> settingsTemplate = ReadBytes(installation.folder + "\\data\\config.txt");
    ASSERT_TRUE(settings && settingsTemplate);
    EXPECT_EQ(settings->substr(0, 6), settingsTemplate->substr(0, 6));
    const std::string autostart = scenario.Startup() + "\\Reminder.lnk";
    const std::optional<ShortcutView> reminder = ReadShortcut(autostart);
    ASSERT_TRUE(reminder.has_value()) << "no autostart shortcut " << autostart;
    EXPECT_EQ(reminder->target, installation.folder + "\\data\\Reminder.exe");
    EXPECT_EQ(WithoutTrailingBackslash(reminder->workingFolder), installation.folder + "\\data");

    // An upgrade over a running Quillora with a change not saved yet, and a
    // running reminder: Quillora is closed normally and saves, the reminder
    // ends and runs again from the new installation.
    scenario.GiveList(TwoEntryList());
    {
        const EnvironmentOverride appData("APPDATA", scenario.AppData());
        Program quillora = StartProcess(startMenu->target, startMenu->workingFolder);
        HWND window = quillora.WaitForWindow(MainWindowTitle);
        ASSERT_NE(window, nullptr) << quillora.Describe();
        PostCommand(window, ClearListCommand);
        ASSERT_TRUE(WaitUntil([&] { return ListViewReader(ListOfTab(window, AllTab)).ItemCount() == 0; },
                              DefaultTimeout));
        const std::string dataFolder = installation.folder + "\\data";
        Program reminder = StartProcess(dataFolder + "\\Reminder.exe", dataFolder);
        ASSERT_TRUE(WaitUntil([&] { return ReminderTrayWindow(reminder) != nullptr; }, DefaultTimeout));

        ASSERT_EQ(RunToEnd("\"" + setup + "\" /S", OwnFolder()), std::optional<DWORD>(0));
        EXPECT_EQ(quillora.WaitForExit(), std::optional<DWORD>(0)) << quillora.Describe();
        EXPECT_EQ(reminder.WaitForExit(), std::optional<DWORD>(0)) << reminder.Describe();
        EXPECT_EQ(ReadBytes(scenario.ListFile()), std::string("0\r\n"));
        EXPECT_TRUE(
            WaitUntil([] { return FindWindowA(ReminderTrayClass, nullptr) != nullptr; }, DefaultTimeout))
            << "the reminder was not started again";
    }

    // The user's own list and settings, as they are after some use.
    scenario.GiveList(TwoEntryList());
    const std::optional<std::string> settingsBefore = ReadBytes(scenario.SettingsFile());
    const std::vector<std::string> listFolderBefore = FolderEntries(scenario.ListFolder());
    const std::vector<std::string> settingsFolderBefore = FolderEntries(scenario.SettingsFolder());

    ASSERT_TRUE(installation.UninstallSilently())
        << "left: folder " << Exists(installation.folder) << ", Start menu "
        << Exists(installation.startMenuShortcut) << ", desktop " << Exists(installation.desktopShortcut)
        << ", uninstall entry " << RegistryKeyExists(HKEY_LOCAL_MACHINE, UninstallKey);
    EXPECT_FALSE(Exists(autostart));
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
    EXPECT_EQ(ReadBytes(scenario.SettingsFile()), settingsBefore);
    EXPECT_EQ(FolderEntries(scenario.ListFolder()), listFolderBefore);
    EXPECT_EQ(FolderEntries(scenario.SettingsFolder()), settingsFolderBefore);
    // The uninstaller ended the reminder before it removed it.
    EXPECT_EQ(FindWindowA(ReminderTrayClass, nullptr), nullptr);

    // A new installation: the next start of Quillora gives the user the
    // autostart shortcut again, although the settings say it was written.
    ASSERT_EQ(RunToEnd("\"" + setup + "\" /S", OwnFolder()), std::optional<DWORD>(0));
    ASSERT_NO_FATAL_FAILURE(StartAndCloseAsTheStartMenuDoes(scenario, *startMenu));
    const std::optional<ShortcutView> again = ReadShortcut(autostart);
    ASSERT_TRUE(again.has_value()) << "no autostart shortcut after the new installation";
    EXPECT_EQ(again->target, installation.folder + "\\data\\Reminder.exe");
    // Only once: a user who then removes it does not get it back.
    DeleteTree(autostart);
    ASSERT_NO_FATAL_FAILURE(StartAndCloseAsTheStartMenuDoes(scenario, *startMenu));
    EXPECT_FALSE(Exists(autostart));
    EXPECT_TRUE(installation.UninstallSilently());
}

// The same upgrade clicked through as a user does it: Setup asks before it
// closes anything, and only then Quillora closes normally (saving the change
// it held) and the reminder ends.
TEST(Installer, AnInteractiveUpgradeAsksBeforeItClosesQuilloraWhichThenSaves) {
    const std::string setup = SetupPath();
    const Installation installation;
    if (!Exists(installation.Uninstaller())) {
        ASSERT_EQ(RunToEnd("\"" + setup + "\" /S", OwnFolder()), std::optional<DWORD>(0));
    }
    const Scenario scenario(CurrentTestName());
    scenario.GiveSettings(QuietSettings);
    scenario.GiveList(TwoEntryList());
    const EnvironmentOverride appData("APPDATA", scenario.AppData());
    Program quillora = StartProcess(installation.folder + "\\Quillora.exe", installation.folder);
    HWND window = quillora.WaitForWindow(MainWindowTitle);
    ASSERT_NE(window, nullptr) << quillora.Describe();
    PostCommand(window, ClearListCommand);
    ASSERT_TRUE(WaitUntil([&] { return ListViewReader(ListOfTab(window, AllTab)).ItemCount() == 0; }));
    const std::string dataFolder = installation.folder + "\\data";
    Program reminder = StartProcess(dataFolder + "\\Reminder.exe", dataFolder);
    ASSERT_TRUE(WaitUntil([&] { return ReminderTrayWindow(reminder) != nullptr; }));

    Program wizard = StartProcess(setup, OwnFolder());
    HWND page = wizard.WaitForWindow("Quillora Setup", InstallTimeout);
    ASSERT_NE(page, nullptr) << wizard.Describe();
    // Welcome, for whom (an administrator chooses), components, folder: the
    // fourth page's button installs.
    for (const char* button : {"&Next >", "&Next >", "&Next >", "&Install"}) {
        ASSERT_TRUE(WaitUntil([&] { return TextOf(Control(page, IDOK)) == button; })) << button;
        PressDialogButton(page, IDOK);
    }
    const std::optional<MessageBoxView> question = WaitForNextMessageBox(wizard.Id(), page, InstallTimeout);
    ASSERT_TRUE(question.has_value()) << "Setup did not ask";
    EXPECT_NE(question->text.find("Quillora or its birthday reminder is running"), std::string::npos)
        << question->text;
    EXPECT_FALSE(quillora.WaitForExit(Millis{0}).has_value()) << "closed before the user answered";
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
    PressDialogButton(question->window, IDOK);

    EXPECT_EQ(quillora.WaitForExit(InstallTimeout), std::optional<DWORD>(0)) << quillora.Describe();
    EXPECT_EQ(reminder.WaitForExit(), std::optional<DWORD>(0)) << reminder.Describe();
    EXPECT_EQ(ReadBytes(scenario.ListFile()), std::string("0\r\n"));
    ASSERT_TRUE(WaitUntil([&] { return TextOf(Control(page, IDOK)) == "&Finish"; }, InstallTimeout))
        << "the installation did not end";
    PressDialogButton(page, IDOK);
    EXPECT_EQ(wizard.WaitForExit(), std::optional<DWORD>(0)) << wizard.Describe();
    EXPECT_TRUE(WaitUntil([] { return FindWindowA(ReminderTrayClass, nullptr) != nullptr; }))
        << "the reminder was not started again";
    const HWND restarted = FindWindowA(ReminderTrayClass, nullptr);
    if (restarted) PostCommand(restarted, QuitReminderCommand);
    EXPECT_TRUE(installation.UninstallSilently());
}

// For the current user only, as a user without administrator rights gets it:
// below the user's own programs folder, with the uninstall entry and the
// shortcuts the user's own and nothing for everyone; an upgrade without a
// switch keeps that mode.
TEST(Installer, ForTheCurrentUserOnlyInstallsBelowTheUsersProgramsAndAnUpgradeKeepsTheMode) {
    const std::string setup = SetupPath();
    const Installation mine(InstallMode::CurrentUser);
    const Installation everyones(InstallMode::Everyone);

    ASSERT_EQ(RunToEnd("\"" + setup + "\" /S /CurrentUser", OwnFolder()), std::optional<DWORD>(0));
    EXPECT_EQ(FolderEntries(mine.folder),
              (std::vector<std::string>{"Quillora.exe", "Uninstall.exe", "data"}));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, UninstallKey, "InstallLocation"), mine.folder);
    EXPECT_TRUE(everyones.Gone()) << "something of it was installed for everyone";

    const std::optional<ShortcutView> startMenu = ReadShortcut(mine.startMenuShortcut);
    ASSERT_TRUE(startMenu.has_value()) << "no Start-menu shortcut " << mine.startMenuShortcut;
    EXPECT_EQ(startMenu->target, mine.folder + "\\Quillora.exe");
    EXPECT_EQ(WithoutTrailingBackslash(startMenu->workingFolder), mine.folder);
    const Scenario scenario(CurrentTestName());
    ASSERT_NO_FATAL_FAILURE(StartAndCloseAsTheStartMenuDoes(scenario, *startMenu));
    const std::optional<ShortcutView> reminder = ReadShortcut(scenario.Startup() + "\\Reminder.lnk");
    ASSERT_TRUE(reminder.has_value());
    EXPECT_EQ(reminder->target, mine.folder + "\\data\\Reminder.exe");

    ASSERT_EQ(RunToEnd("\"" + setup + "\" /S", OwnFolder()), std::optional<DWORD>(0));
    EXPECT_TRUE(Exists(mine.Uninstaller()));
    EXPECT_TRUE(everyones.Gone()) << "the upgrade changed the mode";

    scenario.GiveList(TwoEntryList());
    ASSERT_TRUE(mine.UninstallSilently())
        << "left: folder " << Exists(mine.folder) << ", desktop " << Exists(mine.desktopShortcut);
    EXPECT_EQ(ReadBytes(scenario.ListFile()), TwoEntryList());
}

}  // namespace
}  // namespace quillora::e2e
