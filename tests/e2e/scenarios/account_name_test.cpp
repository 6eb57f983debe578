// Quillora and its reminder for a Windows account whose name the ANSI code
// page cannot hold. Runs in a Wine prefix made for the user "Łukasz" (see
// scripts/as-user.sh), in that user's own folders rather than a scenario's.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "driver.h"
#include "test_support.h"

namespace quillora::e2e {
namespace {

class AccountName : public ProgramOnList {
protected:
    static std::wstring File(int csidl, const std::wstring& rest) { return UserShellFolder(csidl) + rest; }
};

TEST_F(AccountName, QuilloraAndTheReminderLiveInTheUsersOwnFolders) {
    ASSERT_NE(UserShellFolder(CSIDL_PROFILE).find(L"\u0141ukasz"), std::wstring::npos)
        << "not in a prefix made for the user \"\u0141ukasz\"";
    program_ = StartProcess(InstalledProgramPath(), InstalledProgramFolder());
    main_ = program_.WaitForWindow(MainWindowTitle);
    ASSERT_NE(main_, nullptr) << program_.Describe();
    ASSERT_TRUE(WaitUntil([&] { return IsFullyDrawn(main_); }, Millis{10000}));
    const Day today = LocalToday();
    ASSERT_TRUE(AddEntry("Anna", std::to_string(today.day), std::to_string(today.month), "1990"));

    // Export to and import from a folder whose name the code page lacks too.
    const std::wstring photos = File(CSIDL_PERSONAL, L"\\Zdj\u0119cia");
    ASSERT_TRUE(CreateDirectoryW(photos.c_str(), nullptr));
    PostCommand(main_, ExportCommand);
    ASSERT_TRUE(ChooseInFileDialog(program_.Id(), "EXPORT BIRTHDAYS", photos + L"\\birthdays.ics"))
        << program_.Describe();
    std::optional<MessageBoxView> box = program_.WaitForMessageBox();
    ASSERT_TRUE(box.has_value()) << program_.Describe();
    EXPECT_EQ(box->title, "EXPORT") << box->text;
    PressDialogButton(box->window, IDOK);
    EXPECT_NE(ReadBytes(photos + L"\\birthdays.ics").value_or("").find("SUMMARY:Anna\r\n"),
              std::string::npos);

    ASSERT_TRUE(WriteBytes(photos + L"\\friends.vcf",
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Carla\r\nBDAY:1985-07-05\r\nEND:VCARD\r\n"));
    PostCommand(main_, ImportCommand);
    ASSERT_TRUE(ChooseInFileDialog(program_.Id(), "IMPORT BIRTHDAYS", photos + L"\\friends.vcf"))
        << program_.Describe();
    const HWND preview = WaitForTopLevel(program_.Id(), "IMPORT", ImportPreviewClass, ShortWait);
    ASSERT_NE(preview, nullptr) << program_.Describe();
    ClickButton(preview, ImportButtonId);
    box = program_.WaitForMessageBox();
    ASSERT_TRUE(box.has_value()) << program_.Describe();
    EXPECT_EQ(box->title, "IMPORT") << box->text;
    PressDialogButton(box->window, IDOK);

    PostClose(main_);
    ASSERT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
    const std::string day = std::to_string(today.day);
    const std::string month = std::to_string(today.month);
    EXPECT_EQ(ReadBytes(File(CSIDL_PERSONAL, L"\\Quillora\\Saved-List\\list.txt")),
              ListBytes({{"Anna", day, month, "1990", "1", "1"}, {"Carla", "5", "7", "1985", "1", "1"}}));
    EXPECT_EQ(ReadBytes(File(CSIDL_APPDATA, L"\\Quillora\\data\\config.txt")), "3\r\n1\r\n1");
    const std::optional<ShortcutView> shortcut = ReadShortcut(File(CSIDL_STARTUP, L"\\Reminder.lnk"));
    ASSERT_TRUE(shortcut.has_value());
    const std::string dataFolder = InstalledProgramFolder() + "\\data\\";
    EXPECT_EQ(shortcut->target, dataFolder + "Reminder.exe");
    EXPECT_EQ(shortcut->workingFolder, dataFolder);

    // The reminder, started as the shortcut starts it, finds the list.
    Program reminder = StartProcess(shortcut->target, shortcut->workingFolder);
    const HWND window = reminder.WaitForWindow(ReminderWindowTitle);
    ASSERT_NE(window, nullptr) << reminder.Describe();
    const auto rows = ListViewReader(Control(window, ReminderListId)).Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at(0), "Anna");
    QuitReminder(reminder);
}

}  // namespace
}  // namespace quillora::e2e
