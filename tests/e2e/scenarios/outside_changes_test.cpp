// The list changed by another program while Quillora runs (a sync client, an
// editor, a restore): merged live and before the quit's save, never
// overwritten; a sync client's conflict copy merged against the version both
// computers last shared, or offered once where that version is not known.
#include <gtest/gtest.h>

#include <string>

#include "calc/list_row.h"
#include "driver.h"
#include "test_support.h"

namespace quillora::e2e {
namespace {

const Entry Cleo{"Cleo", "29", "2", "", "1", "1"};
const Entry Dora{"Dora", "1", "6", "2001", "1", "1"};
const Entry Emil{"Emil", "9", "9", "1999", "1", "1"};
const Entry AnnaMoved{"Anna", "15", "2", "1980", "1", "1"};

using OutsideChange = ProgramOnList;

// The user deletes Cleo; meanwhile the laptop's copy arrives with Anna's day
// changed and Dora added. All three changes show; Ctrl+Z takes the merge back
// whole; Emil, added outside just before the quit, reaches the file.
TEST_F(OutsideChange, IsMergedLiveUndoneWholeAndTakenInOnceMoreBeforeTheQuitsSave) {
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes({Anna, Ben, Cleo})));
    const HWND list = ListOfTab(main_, AllTab);
    ASSERT_TRUE(SelectRow(list, 2));
    PostCommand(main_, DeleteEntryCommand);
    ASSERT_TRUE(ColumnBecomes(list, NameColumn, {"Anna", "Ben"}));

    ASSERT_TRUE(ReplaceFromOutside(scenario_->ListFile(), ListBytes({AnnaMoved, Ben, Cleo, Dora})));
    ASSERT_TRUE(ColumnBecomes(list, NameColumn, {"Anna", "Ben", "Dora"}));
    ASSERT_TRUE(ColumnBecomes(list, DayColumn, {"15", "3", "1"}));
    EXPECT_EQ(program_.WaitForMessageBox(NoBoxWatch), std::nullopt) << "a clean merge is not told";

    PostCommand(main_, UndoCommand);
    ASSERT_TRUE(ColumnBecomes(list, NameColumn, {"Anna", "Ben"}));
    ASSERT_TRUE(ColumnBecomes(list, DayColumn, {"14", "3"}));

    ASSERT_TRUE(ReplaceFromOutside(scenario_->ListFile(), ListBytes({AnnaMoved, Ben, Cleo, Dora, Emil})));
    Quit();
    // The user's Anna and the deletions stand (the file's Anna, Cleo and
    // Dora are what the merge saw already); Emil is new.
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes({Anna, Ben, Emil}));
}

TEST_F(OutsideChange, AFileThatCannotBeReadReplacesNothingAndIsKeptAsideAndTold) {
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes({Anna, Ben})));
    // What an editor's "Unicode" save makes of a page of HTML.
    const std::string garbage("\xFF\xFE<\0h\0t\0m\0l\0>\0\r\0\n\0", 18);
    ASSERT_TRUE(ReplaceFromOutside(scenario_->ListFile(), garbage));
    const std::optional<MessageBoxView> box = program_.WaitForMessageBox();
    ASSERT_TRUE(box.has_value()) << program_.Describe();
    const std::string saying =
        "ANOTHER PROGRAM REPLACED THE BIRTHDAY-LIST WITH A FILE THAT CANNOT BE READ! YOUR "
        "LIST IS KEPT AS IT IS; THE FILE IS KEPT AS: ";
    ASSERT_EQ(box->text.rfind(saying, 0), 0u) << box->text;
    const std::string aside = box->text.substr(saying.size());
    PressDialogButton(box->window, IDOK);
    ASSERT_TRUE(ColumnBecomes(ListOfTab(main_, AllTab), NameColumn, {"Anna", "Ben"}));
    EXPECT_EQ(program_.WaitForMessageBox(NoBoxWatch), std::nullopt) << "told once";
    Quit();
    EXPECT_EQ(ReadBytes(aside), garbage);
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes({Anna, Ben}));
}

// OneDrive kept the laptop's version as "list-LAPTOP.txt": at the start its
// missing person is offered ticked; IMPORT adds her, and the copy goes to
// the backups, so the next start does not ask again.
TEST_F(OutsideChange, ASyncClientsConflictCopyIsOfferedOnceAtTheStart) {
    const Scenario scenario(CurrentTestName());
    scenario.GiveSettings(QuietSettings);
    scenario.GiveList(ListBytes({Anna}));
    const std::string copy = scenario.ListFolder() + "\\list-LAPTOP.txt";
    ASSERT_TRUE(WriteBytes(copy, ListBytes({Anna, Dora})));
    {
        Program program = scenario.Launch();
        const HWND preview = WaitForTopLevel(program.Id(), "IMPORT", ImportPreviewClass, DefaultTimeout);
        ASSERT_NE(preview, nullptr) << program.Describe();
        EXPECT_EQ(TextOf(Control(preview, ImportTitleId)), "FROM: list-LAPTOP.txt");
        const ListViewReader offered(Control(preview, ImportListId));
        ASSERT_EQ(offered.ItemCount(), 2);
        EXPECT_FALSE(offered.Checked(0));
        EXPECT_TRUE(offered.Checked(1));
        ClickButton(preview, ImportButtonId);
        const std::optional<MessageBoxView> summary = program.WaitForMessageBox();
        ASSERT_TRUE(summary.has_value()) << program.Describe();
        PressDialogButton(summary->window, IDOK);
        const HWND window = program.WaitForWindow(MainWindowTitle);
        ASSERT_TRUE(WaitUntil([&] { return ColumnTexts(ListOfTab(window, AllTab)).size() == 2; }, ShortWait));
        PostClose(window);
        ASSERT_EQ(program.WaitForExit(), std::optional<DWORD>(0)) << program.Describe();
    }
    EXPECT_EQ(ReadBytes(scenario.ListFile()), ListBytes({Anna, Dora}));
    EXPECT_FALSE(Exists(copy));
    EXPECT_EQ(ReadBytes(scenario.ListFolder() + "\\Backups\\list-LAPTOP.txt"), ListBytes({Anna, Dora}));
    ASSERT_NO_FATAL_FAILURE(StartAndQuit(scenario));
}

// Two computers changed the list apart: this one deleted Cleo, the other
// moved Anna's birthday and added Dora, and Syncthing kept the other's
// version beside list.txt. The start merges it against the version both
// last shared, says so once, and Ctrl+Z takes the merge back.
TEST_F(OutsideChange, ASyncClientsConflictCopyIsMergedAgainstTheSharedVersionAtTheStart) {
    const Scenario scenario(CurrentTestName());
    scenario.GiveSettings(QuietSettings);
    ASSERT_TRUE(
        WriteBytes(scenario.SettingsFolder() + "\\list-shared-base.txt", ListBytes({Anna, Ben, Cleo})));
    scenario.GiveList(ListBytes({Anna, Ben}));
    const std::string name = "list.sync-conflict-20261208-153012-ABCDEF7.txt";
    ASSERT_TRUE(WriteBytes(scenario.ListFolder() + "\\" + name, ListBytes({AnnaMoved, Ben, Cleo, Dora})));
    Program program = scenario.Launch();
    const std::optional<MessageBoxView> told = program.WaitForMessageBox();
    ASSERT_TRUE(told.has_value()) << program.Describe();
    EXPECT_EQ(told->text,
              "ANOTHER COMPUTER'S VERSION OF THE BIRTHDAY-LIST, KEPT BY A SYNC CLIENT AS " + name +
                  ", IS MERGED INTO THE LIST (CTRL+Z TAKES IT BACK). THE COPY IS NOW IN THE BACKUPS"
                  " FOLDER.");
    PressDialogButton(told->window, IDOK);
    const HWND window = program.WaitForWindow(MainWindowTitle);
    ASSERT_NE(window, nullptr) << program.Describe();
    const HWND list = ListOfTab(window, AllTab);
    EXPECT_TRUE(ColumnBecomes(list, NameColumn, {"Anna", "Ben", "Dora"}));
    EXPECT_TRUE(ColumnBecomes(list, DayColumn, {"15", "3", "1"}));
    EXPECT_EQ(program.WaitForMessageBox(NoBoxWatch), std::nullopt) << "told once";
    EXPECT_FALSE(Exists(scenario.ListFolder() + "\\" + name));
    EXPECT_TRUE(Exists(scenario.ListFolder() + "\\Backups\\" + name));
    PostCommand(window, UndoCommand);
    EXPECT_TRUE(ColumnBecomes(list, NameColumn, {"Anna", "Ben"}));
    PostClose(window);
    ASSERT_EQ(program.WaitForExit(), std::optional<DWORD>(0)) << program.Describe();
    EXPECT_EQ(ReadBytes(scenario.ListFile()), ListBytes({Anna, Ben}));
}

}  // namespace
}  // namespace quillora::e2e
