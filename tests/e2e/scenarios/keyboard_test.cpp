// The main window by keyboard: the tab strip as a tab stop, keys that change
// the month, open the popup menu and run the commands of the buttons, and
// keys that must do nothing by themselves.
#include <gtest/gtest.h>

#include "calc/list_row.h"
#include "driver.h"
#include "test_support.h"

namespace quillora::e2e {
namespace {

class KeyboardTest : public ProgramOnList {
protected:
    bool FocusBecomes(HWND control) const {
        return WaitUntil([&] { return FocusedControl(main_) == control; }, Millis{5000});
    }
    bool TabBecomes(int tab) const {
        return WaitUntil([&] { return TabReader(TabStrip()).Selected() == tab && IsShown(List(tab)); },
                         Millis{5000});
    }
    // Selects a row of the "ALL" list with a click, which also gives the
    // list the focus.
    void SelectRow(int row) {
        ASSERT_TRUE(quillora::e2e::SelectRow(List(AllTab), row));
        ASSERT_TRUE(FocusBecomes(List(AllTab)));
    }
};

// Enter, Escape and Delete with nothing selected do nothing by themselves;
// the control keys change the month from the list; Shift+F10 and the menu
// key open the popup at the selected row.
TEST_F(KeyboardTest, ControlKeysChangeTheMonthAndOpenThePopupAndLoneKeysDoNothing) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    ASSERT_NO_FATAL_FAILURE(SelectRow(0));
    PressKey(VK_ESCAPE);
    // A click below the rows leaves the list focused with nothing selected.
    ClickIn(List(AllTab), POINT{200, 300});
    ASSERT_TRUE(WaitUntil([&] { return ListViewReader(List(AllTab)).SelectedItem() == -1; }, Millis{5000}));
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    PressKey(VK_DELETE);
    // Keys are handled in order: once a later key has acted, the earlier
    // ones have had every chance to.
    PressKey(VK_TAB, {VK_CONTROL});
    ASSERT_TRUE(TabBecomes(1));
    ASSERT_TRUE(FocusBecomes(List(1))) << "the focus follows to the list shown";
    EXPECT_EQ(program_.FindWindowTitled("EDIT ENTRY"), nullptr);
    EXPECT_EQ(program_.FindWindowTitled("NEW ENTRY"), nullptr);
    EXPECT_EQ(ListViewReader(List(AllTab)).ItemCount(), 2);

    PressKey(VK_NEXT, {VK_CONTROL});
    ASSERT_TRUE(TabBecomes(2));
    EXPECT_EQ(ListViewReader(List(2)).ItemCount(), 1);
    PressKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
    ASSERT_TRUE(TabBecomes(1));
    PressKey(VK_PRIOR, {VK_CONTROL});
    ASSERT_TRUE(TabBecomes(AllTab));
    PressKey(VK_PRIOR, {VK_CONTROL});
    ASSERT_TRUE(TabBecomes(12)) << "round from ALL to Dec";
    PressKey(VK_NEXT, {VK_CONTROL});
    ASSERT_TRUE(TabBecomes(AllTab));

    ASSERT_NO_FATAL_FAILURE(SelectRow(1));
    const RECT row = ListViewReader(List(AllTab)).ItemRect(1);
    const POINT underRow = ToScreen(List(AllTab), POINT{row.left, row.bottom});
    for (const WORD key : {VK_F10, VK_APPS}) {
        if (key == VK_F10) {
            PressKey(VK_F10, {VK_SHIFT});
        } else {
            PressKey(VK_APPS);
        }
        HWND popup = WaitForPopupMenu(program_.Id(), Millis{5000});
        ASSERT_NE(popup, nullptr) << key;
        RECT shown{};
        GetWindowRect(popup, &shown);
        EXPECT_NEAR(shown.top, underRow.y, 2) << key;
        EXPECT_NEAR(shown.left, underRow.x, 2) << key;
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(
            WaitUntil([&] { return WaitForPopupMenu(program_.Id(), Millis{0}) == nullptr; }, Millis{5000}));
    }
    EXPECT_EQ(program_.FindWindowTitled("QUILLORA"), main_);
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), TwoEntryList());
}

// Tab goes through the buttons to the tab strip, where the arrow keys change
// the month; Enter, a double click, Delete and Ctrl+N run the commands of
// the buttons.
TEST_F(KeyboardTest, TabReachesTheStripWhereArrowsChangeTheMonthAndKeysRunTheButtonsCommands) {
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    ASSERT_NO_FATAL_FAILURE(SelectRow(0));

    // From the list round to the buttons, then the strip.
    for (int id : {AddEntryButtonId, EditEntryButtonId, DeleteEntryButtonId}) {
        PressKey(VK_TAB);
        ASSERT_TRUE(FocusBecomes(Control(main_, id))) << id;
    }
    PressKey(VK_TAB);
    ASSERT_TRUE(FocusBecomes(TabStrip()));

    PressKey(VK_RIGHT);
    ASSERT_TRUE(TabBecomes(1));
    EXPECT_EQ(TabReader(TabStrip()).Caption(1), "Jan");
    EXPECT_EQ(ListViewReader(List(1)).ItemCount(), 0);
    PressKey(VK_RIGHT);
    ASSERT_TRUE(TabBecomes(2));
    EXPECT_EQ(ListViewReader(List(2)).Rows().at(0).at(NameColumn), "Anna") << "February is filled";
    PressKey(VK_LEFT);
    ASSERT_TRUE(TabBecomes(1));
    EXPECT_EQ(FocusedControl(main_), TabStrip());

    // On to the list of the month shown, and back with Shift+Tab through the
    // strip and the buttons round to the list.
    PressKey(VK_TAB);
    ASSERT_TRUE(FocusBecomes(List(1)));
    for (HWND control : {TabStrip(), Control(main_, DeleteEntryButtonId), Control(main_, EditEntryButtonId),
                         Control(main_, AddEntryButtonId), List(1)}) {
        PressKey(VK_TAB, {VK_SHIFT});
        ASSERT_TRUE(FocusBecomes(control)) << ClassNameOf(control);
    }

    PressKey(VK_PRIOR, {VK_CONTROL});
    ASSERT_TRUE(TabBecomes(AllTab));
    ASSERT_NO_FATAL_FAILURE(SelectRow(1));
    PressKey(VK_RETURN);
    HWND dialog = program_.WaitForWindow("EDIT ENTRY", Millis{10000});
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    EXPECT_EQ(TextOf(Control(dialog, NameFieldId)), "Ben");

    // A double click on a row edits it too, also one that a quick user
    // makes right behind CANCEL: it waits in the queue while the dialog
    // closes, the main window is enabled again and its list refilled.
    const RECT row = ListViewReader(List(AllTab)).ItemRect(0, LVIR_LABEL);
    const POINT onAnna = ToScreen(List(AllTab), POINT{row.left + 8, (row.top + row.bottom) / 2});
    ClickButton(dialog, CancelButtonId);
    ClickAt(onAnna, MouseButton::Left, 2);
    const HWND closed = dialog;
    ASSERT_TRUE(WaitUntil(
        [&] {
            dialog = program_.FindWindowTitled("EDIT ENTRY");
            return dialog != nullptr && dialog != closed;
        },
        ShortWait))
        << program_.Describe();
    EXPECT_EQ(TextOf(Control(dialog, NameFieldId)), "Anna");
    ClickButton(dialog, CancelButtonId);
    ASSERT_TRUE(WaitUntil([&] { return program_.FindWindowTitled("EDIT ENTRY") == nullptr; }, Millis{10000}));

    ASSERT_NO_FATAL_FAILURE(SelectRow(1));
    PressKey(VK_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return ListViewReader(List(AllTab)).ItemCount() == 1; }, Millis{5000}));
    EXPECT_EQ(ListViewReader(List(AllTab)).Text(0, NameColumn), "Anna");

    BringToFront(main_);
    PressKey('N', {VK_CONTROL});
    dialog = program_.WaitForWindow("NEW ENTRY", Millis{10000});
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    ClickButton(dialog, CancelButtonId);
    ASSERT_TRUE(WaitUntil([&] { return program_.FindWindowTitled("NEW ENTRY") == nullptr; }, Millis{10000}));
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), std::string("1\r\nAnna\r\n14\r\n2\r\n1980\r\n1\r\n1"));
}

}  // namespace
}  // namespace quillora::e2e
