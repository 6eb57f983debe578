// The end of a Windows session, close requests while a child window is open,
// a stray WM_QUIT, and a second start: none of them may lose the run's
// changes or touch the user's files behind the running copy's back.
#include <gtest/gtest.h>

#include "driver.h"
#include "test_support.h"
#include "ui/ids.h"

namespace quillora::e2e {
namespace {

// A line end after the third line: only a save of the settings removes it.
constexpr const char* UnsavedSettings = "3\r\n1\r\n1\r\n";
constexpr const char* SavedSettings = "3\r\n1\r\n1";

class SessionEnd : public ProgramOnList {
protected:
    void ExpectSavedWithoutBen() {
        EXPECT_FALSE(program_.WaitForMessageBox(Millis(0)).has_value()) << program_.Describe();
        EXPECT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
        EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes({Anna}));
        EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), SavedSettings);
    }
};

TEST_F(SessionEnd, LogOffOrShutdownSavesTheListAndTheSettings) {
    ASSERT_NO_FATAL_FAILURE(StartAndDeleteBen(UnsavedSettings));
    ASSERT_TRUE(EndWineSession());
    ExpectSavedWithoutBen();
}

// Installers and the Restart Manager close a program with
// ENDSESSION_CLOSEAPP; what the open dialog holds was never confirmed.
TEST_F(SessionEnd, ClosingForAnInstallerWithTheDialogOpenSavesTheListAsItStands) {
    ASSERT_NO_FATAL_FAILURE(StartAndDeleteBen(UnsavedSettings));
    HWND dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    EXPECT_TRUE(SendEndSession(main_, ENDSESSION_CLOSEAPP));
    ExpectSavedWithoutBen();
}

// At the end of a session no message box may hold things up; a list that
// cannot be saved then still ends in its rescue copy.
TEST_F(SessionEnd, ABlockedListEndsInARescueCopyWithoutAMessage) {
    ASSERT_NO_FATAL_FAILURE(StartAndDeleteBen(UnsavedSettings));
    const FileLock lock(scenario_->ListFile(), FILE_SHARE_READ);
    ASSERT_TRUE(lock.Held());
    EXPECT_TRUE(SendEndSession(main_, ENDSESSION_LOGOFF));
    EXPECT_FALSE(program_.WaitForMessageBox(Millis(0)).has_value()) << program_.Describe();
    EXPECT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
    std::vector<std::string> rescues;
    for (const std::string& name : FolderEntries(scenario_->SettingsFolder())) {
        if (name.rfind("list-unsaved-", 0) == 0) rescues.push_back(name);
    }
    ASSERT_EQ(rescues.size(), 1u) << testing::PrintToString(FolderEntries(scenario_->SettingsFolder()));
    EXPECT_EQ(ReadBytes(scenario_->SettingsFolder() + "\\" + rescues[0]), ListBytes({Anna}));
    EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), SavedSettings);
}

// The rescue copy is written before the quit says that the list could not be
// saved, so the end of the session while that message is open loses nothing.
TEST_F(SessionEnd, TheEndOfTheSessionDuringTheQuitsMessageLosesNothing) {
    ASSERT_NO_FATAL_FAILURE(StartAndDeleteBen(UnsavedSettings));
    const FileLock lock(scenario_->ListFile(), FILE_SHARE_READ);
    ASSERT_TRUE(lock.Held());
    PostClose(main_);
    const std::optional<MessageBoxView> failed = program_.WaitForMessageBox(Millis(20000));
    ASSERT_TRUE(failed.has_value()) << program_.Describe();
    EXPECT_EQ(failed->text, "COULDNT SAVE THE BIRTHDAY-LIST!");
    const auto rescues = [&] {
        std::vector<std::string> paths;
        for (const std::string& name : FolderEntries(scenario_->SettingsFolder()))
            if (name.rfind("list-unsaved-", 0) == 0)
                paths.push_back(scenario_->SettingsFolder() + "\\" + name);
        return paths;
    };
    ASSERT_EQ(rescues().size(), 1u) << "no rescue copy before the message";
    EXPECT_EQ(ReadBytes(rescues()[0]), ListBytes({Anna}));
    EXPECT_TRUE(SendEndSession(main_, ENDSESSION_LOGOFF));
    EXPECT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
    EXPECT_EQ(rescues().size(), 1u);
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
    EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), SavedSettings);
}

// Killed after a change (a crash, the Task Manager): the next start brings
// the change back from the journal, says so once, and Ctrl+Z takes it back.
TEST_F(SessionEnd, AKilledRunsChangeComesBackAtTheNextStartAsOneChange) {
    ASSERT_NO_FATAL_FAILURE(StartAndDeleteBen());
    const std::string journal = scenario_->SettingsFolder() + "\\recovery-journal.txt";
    EXPECT_TRUE(ReadBytes(journal).has_value());
    program_.Kill();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());

    program_ = scenario_->Launch();
    const std::optional<MessageBoxView> told = program_.WaitForMessageBox();
    ASSERT_TRUE(told.has_value()) << program_.Describe();
    EXPECT_EQ(told->text,
              "QUILLORA WAS NOT QUIT PROPERLY LAST TIME. THE CHANGES OF THAT RUN ARE BACK IN THE LIST"
              " (CTRL+Z TAKES THEM BACK).");
    PressDialogButton(told->window, IDOK);
    main_ = program_.WaitForWindow(MainWindowTitle);
    ASSERT_NE(main_, nullptr) << program_.Describe();
    EXPECT_TRUE(ColumnBecomes(List(AllTab), 0, {"Anna"}));
    PostCommand(main_, UndoCommand);
    EXPECT_TRUE(ColumnBecomes(List(AllTab), 0, {"Anna", "Ben"}));
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
    EXPECT_FALSE(ReadBytes(journal).has_value()) << "the journal outlived the save";
}

TEST_F(SessionEnd, AStrayQuitMessageStillSaves) {
    ASSERT_NO_FATAL_FAILURE(StartAndDeleteBen(UnsavedSettings));
    ASSERT_TRUE(PostThreadMessageA(GetWindowThreadProcessId(main_, nullptr), WM_QUIT, 0, 0));
    ExpectSavedWithoutBen();
}

// A second start of Quillora by the same user ends at once with exit code
// 0, touching no file, and brings the running copy (or its open dialog) to
// the front. A close request while a child window is open brings that window
// to the front and does nothing else: no save, nothing destroyed.
TEST_F(SessionEnd, ASecondStartOrACloseRequestBringsTheRunningCopyOrItsChildForward) {
    ASSERT_NO_FATAL_FAILURE(StartAndDeleteBen(UnsavedSettings));
    const auto listFolder = FolderEntries(scenario_->ListFolder());
    const auto settingsFolder = FolderEntries(scenario_->SettingsFolder());

    ShowWindow(main_, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(main_) != 0; }));
    Program second = scenario_->Launch();
    EXPECT_EQ(second.WaitForExit(), std::optional<DWORD>(0)) << second.Describe();
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(main_) && GetForegroundWindow() == main_; }, Millis(5000)));

    HWND dialog = OpenBy(AddEntryButtonId, "NEW ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    BringToFront(main_);
    Program third = scenario_->Launch();
    EXPECT_EQ(third.WaitForExit(), std::optional<DWORD>(0)) << third.Describe();
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, Millis(5000)));

    EXPECT_TRUE(program_.Running());
    EXPECT_EQ(FolderEntries(scenario_->ListFolder()), listFolder);
    EXPECT_EQ(FolderEntries(scenario_->SettingsFolder()), settingsFolder);
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
    EXPECT_EQ(ReadBytes(scenario_->SettingsFile()), UnsavedSettings);
    PostClose(dialog);  // the close box stores nothing
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && IsEnabledWindow(main_); }));

    struct Child {
        const char* title;
        int openCommand;
        int closeButton;
    };
    const Child children[] = {{"NEW ENTRY", NewEntryCommand, CancelButtonId},
                              {"INFORMATION", InformationCommand, InfoCloseButtonId}};
    for (const Child& child : children) {
        SCOPED_TRACE(child.title);
        PostCommand(main_, child.openCommand);
        HWND window = program_.WaitForWindow(child.title);
        ASSERT_NE(window, nullptr) << program_.Describe();
        BringToFront(main_);
        // Sent, not posted: handled before the call returns.
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutA(main_, WM_CLOSE, 0, 0, SMTO_BLOCK, 20000, &result));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, Millis(5000)));
        EXPECT_TRUE(IsWindow(window) && IsWindow(main_) && program_.Running());
        EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
        // Closed by its button's command: a real click is not what this tests.
        PressDialogButton(window, child.closeButton);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window) && IsEnabledWindow(main_); }));
    }
    PostClose(main_);
    ExpectSavedWithoutBen();
}

}  // namespace
}  // namespace quillora::e2e
