// "Import..." and "Export..." of the "Program" menu, through the real
// common file dialogs.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"
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

    // Ticks or unticks row `item` of the preview as a user does: a click on
    // the row, then Space; true once the tick shows `ticked`.
    static bool SetTick(HWND preview, int item, bool ticked) {
        const ListViewReader list(Control(preview, ImportListId));
        if (list.Checked(item) == ticked) return true;
        if (!SelectRow(Control(preview, ImportListId), item)) return false;
        PressKey(VK_SPACE);
        return WaitUntil([&] { return list.Checked(item) == ticked; }, ShortWait);
    }

    // Expects the box to say `text`, presses its OK and waits until it is
    // gone, so that the next command meets the main window.
    void PressOk(const std::optional<MessageBoxView>& box, std::string_view text) const {
        ASSERT_TRUE(box.has_value()) << program_.Describe();
        EXPECT_EQ(box->text, text);
        PressDialogButton(box->window, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }, ShortWait));
    }

    bool PreviewCloses(HWND preview) const {
        return WaitUntil([&] { return !IsWindow(preview) && IsEnabledWindow(main_); }, ShortWait);
    }
};

// Exports and imports on one list: what an export writes and says, the
// dialog's own question before an existing file is replaced, the folder used
// last, a file that cannot be imported (nothing changes), and a vCard whose
// new people reach the file.
TEST_F(ImportExport, ExportsAskAndRememberTheFolderAndImportsAddOnlyNewBirthdays) {
    const Entry undated{"Undated", "", "", "", "1", "1"};
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes({Anna, Ben, undated})));
    // A bare name with the iCalendar filter names "birthdays.ics": the
    // dialog itself adds the extension and asks before that file is replaced.
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
    ASSERT_NO_FATAL_FAILURE(PressOk(OutcomeBox("EXPORT"), "2 entries exported, 1 without a date left out."));
    EXPECT_FALSE(Exists(path));
    const std::string bytes = ReadBytes(path + ".ics").value_or("");
    EXPECT_EQ(bytes.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_NE(bytes.find("SUMMARY:Anna\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("DTSTART;VALUE=DATE:19751103\r\n"), std::string::npos);
    // The lead of the settings ("3" days) for the reminded entry only.
    EXPECT_EQ(bytes.find("TRIGGER:-P3D\r\n"), bytes.rfind("TRIGGER:-P3D\r\n"));
    EXPECT_NE(bytes.find("TRIGGER:-P3D\r\n"), std::string::npos);

    // A bare name lands in the folder the dialog opened in last. (Wine's
    // dialog also remembers the last folder of a program by itself, so this
    // shows what the user sees rather than which of the two remembered it.)
    const std::string folder = scenario_->Root() + "\\exports";
    ASSERT_TRUE(MakeFolders(folder));
    for (const std::string& chosen : {folder + "\\first.vcf", std::string("second.csv")}) {
        PostCommand(main_, ExportCommand);
        ASSERT_TRUE(ChooseInFileDialog(program_.Id(), "EXPORT BIRTHDAYS", chosen)) << program_.Describe();
        // A contact or a row without a birthday still goes out.
        ASSERT_NO_FATAL_FAILURE(PressOk(OutcomeBox("EXPORT"), "3 entries exported, 1 without a date."));
    }
    EXPECT_TRUE(Exists(folder + "\\first.vcf"));
    const std::optional<std::string> csv = ReadBytes(folder + "\\second.csv");
    ASSERT_TRUE(csv.has_value()) << "not written where the first export went";
    EXPECT_EQ(csv->rfind("\xEF\xBB\xBFName,Day,Month,Year,Remind\r\n", 0), 0u);

    const std::string people = scenario_->Root() + "\\people.csv";
    ASSERT_TRUE(WriteBytes(people, "Name,E-mail\r\nCarla,carla@example.org\r\n"));
    PostCommand(main_, ImportCommand);
    ASSERT_TRUE(ChooseInFileDialog(program_.Id(), "IMPORT BIRTHDAYS", people)) << program_.Describe();
    ASSERT_NO_FATAL_FAILURE(
        PressOk(OutcomeBox("ERROR"),
                "THE FILE'S FIRST LINE NAMES NO BIRTHDAY COLUMN (\"Birthday\", OR \"Day\" AND "
                "\"Month\").\r\n" +
                    people));
    const ListViewReader all(ListOfTab(main_, AllTab));
    EXPECT_EQ(all.ItemCount(), 3);

    const std::string contacts = scenario_->Root() + "\\contacts.vcf";
    ASSERT_TRUE(WriteBytes(
        contacts,
        VCardFile({{"Anna", "1980-02-14"}, {"Carla Berg", "1990-07-05"}, {"Dan", "--1224"}, {"Eve", ""}})));
    HWND preview = OpenImportPreview(contacts);
    ASSERT_NE(preview, nullptr) << program_.Describe();
    ClickButton(preview, ImportButtonId);
    ASSERT_NO_FATAL_FAILURE(PressOk(OutcomeBox("IMPORT"),
                                    "Added: 2\r\nLeft out by choice: 0\r\nSkipped, already in the list: 1\r\n"
                                    "Skipped, without a birthday: 1"));
    ASSERT_TRUE(WaitUntil([&] { return all.ItemCount() == 5; }, Millis{5000}));
    EXPECT_EQ(all.Text(3, 0), "Carla Berg");
    EXPECT_EQ(all.Text(4, 0), "Dan");
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes({Anna,
                                                           Ben,
                                                           undated,
                                                           {"Carla Berg", "5", "7", "1990", "1", "1"},
                                                           {"Dan", "24", "12", "", "1", "1"}}));
}

// A phone's export: more new people than free places, four spellings of
// one who is in the list already, one without a birthday and one whose name
// the code page cannot hold.
TEST_F(ImportExport, ThePreviewTicksNewPeopleUpToTheFreePlacesAndAddsExactlyTheTickedOnes) {
    const std::vector<Entry> listed = {{"Anna Berg", "14", "2", "1980", "1", "1"},
                                       {"Ben", "3", "11", "1975", "0", "1"}};
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes(listed)));
    struct Expected {
        std::string name, day, month, year, state;
    };
    std::vector<Card> cards;
    std::vector<Expected> rows;
    const std::vector<std::pair<int, Card>> others = {
        {0, {"Anna Berg", "1980-02-14"}},        {10, {"Nobody", ""}},
        {20, {"\xC5\x81ukasz Nowak", "--0304"}}, {40, {"anna  berg", "19800214"}},
        {90, {"Berg, Anna", "1980-02-14"}},      {128, {"Berg Anna", "--0214"}}};
    for (int i = 0; i < 129; ++i) {
        for (const auto& [at, card] : others) {
            if (at != i) continue;
            cards.push_back(card);
            const bool known = card.name.find("erg") != std::string::npos;
            rows.push_back(known ? Expected{card.name, "14", "2", card.birthday == "--0214" ? "" : "1980",
                                            "ALREADY IN THE LIST"}
                           : card.birthday.empty()
                               ? Expected{"Nobody", "", "", "", "NO BIRTHDAY"}
                               : Expected{"Lukasz Nowak", "4", "3", "", "NEW, NAME CHANGED"});
        }
        const int day = 1 + i % 28, month = 1 + i % 12, year = 1950 + i % 50;
        char name[16];
        std::snprintf(name, sizeof name, "Person %03d", i);
        char birthday[16];
        std::snprintf(birthday, sizeof birthday, "%04d-%02d-%02d", year, month, day);
        cards.push_back({name, birthday});
        rows.push_back({name, std::to_string(day), std::to_string(month), std::to_string(year), "NEW"});
    }
    const std::string path = scenario_->Root() + "\\phone.vcf";
    ASSERT_TRUE(WriteBytes(path, VCardFile(cards)));

    HWND preview = OpenImportPreview(path);
    ASSERT_NE(preview, nullptr) << program_.Describe();
    const ListViewReader list(Control(preview, ImportListId));
    EXPECT_EQ(list.ColumnTitles(), (std::vector<std::string>{"NAME", "DAY", "MONTH", "YEAR", "STATE"}));
    ASSERT_EQ(list.ItemCount(), static_cast<int>(rows.size()));
    std::vector<Entry> added = listed;
    int newPeople = 0;
    for (int item = 0; item < list.ItemCount(); ++item) {
        const Expected& row = rows[static_cast<std::size_t>(item)];
        EXPECT_EQ(list.Row(item),
                  (std::vector<std::string>{row.name, row.day, row.month, row.year, row.state}))
            << "row " << item;
        const bool isNew = row.state.rfind("NEW", 0) == 0;
        newPeople += isNew ? 1 : 0;
        EXPECT_EQ(list.Checked(item), isNew && newPeople <= 100) << "row " << item;
        // Rows 3 and 5 are unticked below.
        if (isNew && newPeople <= 100 && item != 3 && item != 5)
            added.push_back({row.name, row.day, row.month, row.year, "1", "1"});
    }
    EXPECT_EQ(newPeople, 130);
    EXPECT_EQ(TextOf(Control(preview, ImportCountId)), "FREE PLACES IN THE LIST: 100      TICKED: 100");

    ASSERT_TRUE(SetTick(preview, 3, false));
    ASSERT_TRUE(SetTick(preview, 5, false));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return TextOf(Control(preview, ImportCountId)) == "FREE PLACES IN THE LIST: 100      TICKED: 98";
        },
        ShortWait));
    PressKey(VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(PressOk(OutcomeBox("IMPORT"),
                                    "Added: 98\r\nLeft out by choice: 32\r\nSkipped, "
                                    "already in the list: 4\r\n"
                                    "Skipped, without a birthday: 1\r\nNames with "
                                    "characters replaced by the closest ones:\r\n"
                                    "    Lukasz Nowak"));
    const ListViewReader all(ListOfTab(main_, AllTab));
    ASSERT_TRUE(WaitUntil([&] { return all.ItemCount() == 100; }, ShortWait));
    EXPECT_EQ(all.Text(2, 0), "Person 000");
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes(added));
}

TEST_F(ImportExport, TickingPastTheFreePlacesIsRefusedAndCancelEscAndTheCloseBoxAddNothing) {
    const std::vector<Entry> listed = ManyEntries(100);
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes(listed)));
    const std::string path = scenario_->Root() + "\\three.vcf";
    ASSERT_TRUE(
        WriteBytes(path, VCardFile({{"Carla", "1990-02-01"}, {"Dan", "1991-03-02"}, {"Eve", "--0403"}})));

    HWND preview = OpenImportPreview(path);
    ASSERT_NE(preview, nullptr) << program_.Describe();
    const ListViewReader list(Control(preview, ImportListId));
    EXPECT_TRUE(list.Checked(0));
    EXPECT_TRUE(list.Checked(1));
    EXPECT_FALSE(list.Checked(2));
    ASSERT_TRUE(SetTick(preview, 2, true));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return TextOf(Control(preview, ImportCountId)) == "FREE PLACES IN THE LIST: 2      TICKED: 3";
        },
        ShortWait));
    ClickButton(preview, ImportButtonId);
    ASSERT_NO_FATAL_FAILURE(PressOk(OutcomeBox("ERROR"),
                                    "YOU TICKED 3 PEOPLE, BUT THE LIST HAS ONLY "
                                    "2 FREE PLACES.\r\nUNTICK 1 TO IMPORT."));
    EXPECT_TRUE(IsWindow(preview)) << "the preview stays open after the refusal";
    BringToFront(preview);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PreviewCloses(preview));

    preview = OpenImportPreview(path);
    ASSERT_NE(preview, nullptr) << program_.Describe();
    ClickButton(preview, ImportCancelButtonId);
    ASSERT_TRUE(PreviewCloses(preview));

    preview = OpenImportPreview(path);
    ASSERT_NE(preview, nullptr) << program_.Describe();
    PostClose(preview);
    ASSERT_TRUE(PreviewCloses(preview));
    EXPECT_FALSE(
        WaitUntil([&] { return FindTopLevel(program_.Id(), "IMPORT", "#32770") != nullptr; }, NoBoxWatch))
        << "no summary after a cancelled preview";

    // A file with nobody to add says so instead of opening the preview.
    const std::string known = scenario_->Root() + "\\known.vcf";
    ASSERT_TRUE(WriteBytes(known, VCardFile({{"person  1", "1901-02-02"}, {"Undated", ""}})));
    PostCommand(main_, ImportCommand);
    ASSERT_TRUE(ChooseInFileDialog(program_.Id(), "IMPORT BIRTHDAYS", known)) << program_.Describe();
    const std::optional<MessageBoxView> box = OutcomeBox("IMPORT");
    ASSERT_TRUE(box.has_value()) << program_.Describe();
    EXPECT_EQ(box->text.rfind("THE FILE HOLDS NOBODY TO ADD.\r\n", 0), 0u) << box->text;
    EXPECT_EQ(FindTopLevel(program_.Id(), "IMPORT", ImportPreviewClass), nullptr);
    PressDialogButton(box->window, IDOK);

    EXPECT_EQ(ListViewReader(ListOfTab(main_, AllTab)).ItemCount(), 100);
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes(listed));
}

}  // namespace
}  // namespace quillora::e2e
