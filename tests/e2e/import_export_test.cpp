// "Import..." and "Export..." of the "Program" menu, through the real
// common file dialogs.
#include <gtest/gtest.h>

#include <string>

#include "driver.h"
#include "menu_marks.h"
#include "test_support.h"

namespace quillora::e2e {
namespace {

class ImportExport : public ProgramOnList {
protected:
    // The program's message box titled `title` (the file dialog, a box of
    // the same class, has closed by then).
    std::optional<MessageBoxView> OutcomeBox(std::string_view title) const {
        HWND box = WaitForTopLevel(program_.Id(), title, "#32770");
        if (!box) return std::nullopt;
        return ReadMessageBox(box);
    }

    void QuitAndWait() {
        PostClose(main_);
        ASSERT_TRUE(program_.WaitForExit().has_value()) << program_.Describe();
    }
};

TEST_F(ImportExport, TheProgramMenuHasImportAndExportAboveQuit) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    const std::optional<test::MenuMarks> menu = test::ReadMenuMarksWhenIdle(program_.Id());
    ASSERT_TRUE(menu.has_value()) << "the probe could not read the menu";
    const std::string program = "Program\n  " + std::to_string(ImportCommand) + " Import...\n  " +
                                std::to_string(ExportCommand) + " Export...\n  -\n  " +
                                std::to_string(QuitCommand) + " Quit\nSettings\n";
    EXPECT_EQ(std::string(menu->menuBar).rfind(program, 0), 0u) << menu->menuBar;
    QuitAndWait();
}

TEST_F(ImportExport, ExportWritesTheChosenFileAndSaysHowManyWentOut) {
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes({{"Anna", "14", "2", "1980", "1", "1"},
                                             {"Ben", "3", "11", "1975", "0", "1"},
                                             {"Undated", "", "", "", "1", "1"}})));
    const std::string path = scenario_->Root() + "\\birthdays.ics";
    PostCommand(main_, ExportCommand);
    ASSERT_TRUE(ChooseInFileDialog(program_.Id(), "EXPORT BIRTHDAYS", path)) << program_.Describe();
    const std::optional<MessageBoxView> box = OutcomeBox("EXPORT");
    ASSERT_TRUE(box.has_value()) << program_.Describe();
    EXPECT_EQ(box->text, "2 entries exported, 1 without a date left out.");
    PressDialogButton(box->window, IDOK);

    const std::optional<std::string> bytes = ReadBytes(path);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_NE(bytes->find("SUMMARY:Anna\r\n"), std::string::npos);
    EXPECT_NE(bytes->find("DTSTART;VALUE=DATE:19751103\r\n"), std::string::npos);
    // The lead of the settings ("3" days) for the reminded entry only.
    EXPECT_EQ(bytes->find("TRIGGER:-P3D\r\n"), bytes->rfind("TRIGGER:-P3D\r\n"));
    EXPECT_NE(bytes->find("TRIGGER:-P3D\r\n"), std::string::npos);
    QuitAndWait();
}

// A bare name with the iCalendar filter names "birthdays.ics": the dialog
// itself adds the extension and asks before that file is replaced.
TEST_F(ImportExport, ABareNameThatMeansAnExistingFileIsReplacedOnlyAfterAsking) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    const std::string path = scenario_->Root() + "\\birthdays";
    ASSERT_TRUE(WriteBytes(path + ".ics", "mine"));
    PostCommand(main_, ExportCommand);
    HWND dialog = EnterInFileDialog(program_.Id(), "EXPORT BIRTHDAYS", path);
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    const std::optional<MessageBoxView> question = WaitForNextMessageBox(program_.Id(), dialog);
    ASSERT_TRUE(question.has_value()) << "replaced without a question; " << program_.Describe();
    // The dialog's own question (Wine's does not name the file); the one the
    // program asks after the dialog is a fallback.
    EXPECT_TRUE(IsWindowVisible(dialog)) << question->text;
    EXPECT_EQ(ReadBytes(path + ".ics"), "mine");
    PressDialogButton(question->window, IDYES);

    const std::optional<MessageBoxView> box = OutcomeBox("EXPORT");
    ASSERT_TRUE(box.has_value()) << program_.Describe();
    EXPECT_EQ(box->text, "2 entries exported.");
    PressDialogButton(box->window, IDOK);
    EXPECT_EQ(ReadBytes(path + ".ics").value_or("").rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_FALSE(Exists(path));
    QuitAndWait();
}

TEST_F(ImportExport, TheNextDialogOpensInTheFolderUsedLast) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    const std::string folder = scenario_->Root() + "\\exports";
    ASSERT_TRUE(MakeFolders(folder));
    PostCommand(main_, ExportCommand);
    ASSERT_TRUE(ChooseInFileDialog(program_.Id(), "EXPORT BIRTHDAYS", folder + "\\first.vcf"));
    std::optional<MessageBoxView> box = OutcomeBox("EXPORT");
    ASSERT_TRUE(box.has_value()) << program_.Describe();
    PressDialogButton(box->window, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !FindTopLevel(program_.Id(), "EXPORT", "#32770"); }));

    // A bare name lands in the folder the dialog opened in. (Wine's dialog
    // also remembers the last folder of a program by itself, so this shows
    // what the user sees rather than which of the two remembered it.)
    PostCommand(main_, ExportCommand);
    ASSERT_TRUE(ChooseInFileDialog(program_.Id(), "EXPORT BIRTHDAYS", "second.csv"));
    box = OutcomeBox("EXPORT");
    ASSERT_TRUE(box.has_value()) << program_.Describe();
    EXPECT_EQ(box->text, "2 entries exported.");
    PressDialogButton(box->window, IDOK);
    EXPECT_TRUE(Exists(folder + "\\first.vcf"));
    const std::optional<std::string> csv = ReadBytes(folder + "\\second.csv");
    ASSERT_TRUE(csv.has_value()) << "not written where the first export went";
    EXPECT_EQ(csv->rfind("\xEF\xBB\xBFName,Day,Month,Year,Remind\r\n", 0), 0u);
    QuitAndWait();
}

TEST_F(ImportExport, ImportOfAVCardAddsTheNewBirthdaysAndTheFileAtQuitHoldsThem) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    const std::string path = scenario_->Root() + "\\contacts.vcf";
    ASSERT_TRUE(WriteBytes(path,
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna\r\nBDAY:1980-02-14\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Carla Berg\r\nBDAY:1990-07-05\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Dan\r\nBDAY:--1224\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Eve\r\nEND:VCARD\r\n"));
    PostCommand(main_, ImportCommand);
    ASSERT_TRUE(ChooseInFileDialog(program_.Id(), "IMPORT BIRTHDAYS", path)) << program_.Describe();
    const std::optional<MessageBoxView> box = OutcomeBox("IMPORT");
    ASSERT_TRUE(box.has_value()) << program_.Describe();
    EXPECT_EQ(box->text,
              "Added: 2\r\nSkipped, already in the list: 1\r\nSkipped, without a birthday: 1\r\n"
              "Not added, the list is full: 0");
    PressDialogButton(box->window, IDOK);

    const ListViewReader all(ListOfTab(main_, AllTab));
    ASSERT_TRUE(WaitUntil([&] { return all.ItemCount() == 4; }, Millis{5000}));
    EXPECT_EQ(all.Text(2, 0), "Carla Berg");
    EXPECT_EQ(all.Text(3, 0), "Dan");
    QuitAndWait();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes({{"Anna", "14", "2", "1980", "1", "1"},
                                                           {"Ben", "3", "11", "1975", "0", "1"},
                                                           {"Carla Berg", "5", "7", "1990", "1", "1"},
                                                           {"Dan", "24", "12", "", "1", "1"}}));
}

TEST_F(ImportExport, AFileThatCannotBeImportedChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    const std::string path = scenario_->Root() + "\\people.csv";
    ASSERT_TRUE(WriteBytes(path, "Name,E-mail\r\nCarla,carla@example.org\r\n"));
    PostCommand(main_, ImportCommand);
    ASSERT_TRUE(ChooseInFileDialog(program_.Id(), "IMPORT BIRTHDAYS", path)) << program_.Describe();
    const std::optional<MessageBoxView> box = OutcomeBox("ERROR");
    ASSERT_TRUE(box.has_value()) << program_.Describe();
    EXPECT_EQ(box->text,
              "THE FILE'S FIRST LINE NAMES NO BIRTHDAY COLUMN (\"Birthday\", OR \"Day\" AND \"Month\").\r\n" +
                  path);
    PressDialogButton(box->window, IDOK);
    QuitAndWait();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
}

}  // namespace
}  // namespace quillora::e2e
