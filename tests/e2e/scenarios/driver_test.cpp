// The driver's reading and input helpers, checked on a small window of the
// tests' own with the same kinds of controls as Quillora's, so that a fault
// of the driver is not taken for a fault of the program.
#include <gtest/gtest.h>

#include "driver.h"
#include "fixture_ids.h"

namespace quillora::e2e {
namespace {

namespace fx = fixture;

// One start of the fixture: what the driver reads first, then real clicks
// and their notifications, the popup menu, typing, and message boxes.
TEST(Driver, ReadsTheControlsAndDrivesThemWithRealInput) {
    const Program program = StartProcess(OwnFolder() + "\\quillora_e2e_fixture.exe", OwnFolder());
    ASSERT_TRUE(program.Started()) << program.Describe();
    HWND window = program.WaitForWindow(fx::WindowTitle);
    ASSERT_NE(window, nullptr) << program.Describe();
    const auto control = [&](int id) { return Control(window, id); };
    // Waits until the fixture has logged `event`.
    const auto logged = [&](const std::string& event) {
        if (WaitUntil([&] { return TextOf(control(fx::EventLogId)) == event; }, Millis(5000)))
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << "the last event was \"" << TextOf(control(fx::EventLogId)) << "\"";
    };

    const ListViewReader list(control(fx::ListId));
    EXPECT_EQ(list.ColumnTitles(), (std::vector<std::string>{"NAME", "DAY", "MONTH"}));
    const auto rows = list.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Anna", "14", "2"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"Ben", "3", "11"}));
    EXPECT_EQ(rows[2][0], std::string(fx::LongNameLength, 'x'));
    EXPECT_EQ(rows[2][1], "");
    EXPECT_EQ(list.SelectedItem(), -1);

    const RECT first = list.ItemRect(0);
    const RECT second = list.ItemRect(1);
    EXPECT_GT(first.bottom, first.top);
    EXPECT_EQ(second.top, first.bottom);
    const RECT header = list.HeaderItemRect(1);
    EXPECT_EQ(header.right - header.left, 150);

    const TabReader tabs(control(fx::TabId));
    ASSERT_EQ(tabs.Count(), 3);
    EXPECT_EQ(tabs.Caption(1), "January");
    EXPECT_EQ(tabs.Selected(), 0);
    EXPECT_LT(tabs.ItemRect(0).right, tabs.ItemRect(1).right);

    const RECT button = RectInParent(control(fx::ButtonId));
    EXPECT_EQ(button.left, 10);
    EXPECT_EQ(button.top, 10);
    EXPECT_EQ(button.right, 110);
    EXPECT_EQ(ClientSize(window).cx, 580);
    EXPECT_EQ(TextOf(control(fx::ButtonId)), "ADD ENTRY");
    EXPECT_TRUE(IsShown(control(fx::ButtonId)));
    EXPECT_TRUE(IsEnabledWindow(control(fx::ButtonId)));

    ClickTab(control(fx::TabId), 2);
    EXPECT_TRUE(logged("tab 2"));
    EXPECT_EQ(TabReader(control(fx::TabId)).Selected(), 2);

    ClickHeader(control(fx::ListId), 1);
    EXPECT_TRUE(logged("column 1"));

    ClickButton(window, fx::ButtonId);
    EXPECT_TRUE(logged("button"));

    ClickItem(control(fx::ListId), 1);
    EXPECT_TRUE(
        WaitUntil([&] { return ListViewReader(control(fx::ListId)).SelectedItem() == 1; }, Millis(5000)));

    ClickItem(control(fx::ListId), 0, MouseButton::Left, 2);
    EXPECT_TRUE(logged("double 0"));

    RightClickList(control(fx::ListId), 1);
    EXPECT_TRUE(logged("right 1"));
    HWND menu = WaitForPopupMenu(program.Id(), Millis(5000));
    ASSERT_NE(menu, nullptr) << program.Describe();
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    EXPECT_TRUE(logged("popup command"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, Millis(5000)));

    RightClickList(control(fx::ListId));
    EXPECT_TRUE(logged("right -1"));
    menu = WaitForPopupMenu(program.Id(), Millis(5000));
    ASSERT_NE(menu, nullptr);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, Millis(5000)));

    ClickIn(control(fx::EditId), POINT{5, 5});
    TypeText("Ab 3-x");
    EXPECT_TRUE(logged("edit Ab 3-x"));
    PressKey(VK_BACK);
    PressKey(VK_HOME, {VK_SHIFT});
    TypeText("Z");
    EXPECT_TRUE(logged("edit Z"));
    EXPECT_EQ(TextOf(control(fx::EditId)), "Z");

    PostCommand(window, fx::ShowPlainBoxCommand);
    std::optional<MessageBoxView> box = program.WaitForMessageBox(Millis(5000));
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, "ERROR");
    EXPECT_EQ(box->text, "Plain text");
    ASSERT_EQ(box->buttons.size(), 1u);
    EXPECT_EQ(box->buttons[0].id, IDOK);
    EXPECT_EQ(box->buttons[0].text, "OK");
    EXPECT_FALSE(box->hasIcon);
    PressDialogButton(box->window, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }, Millis(5000)));

    PostCommand(window, fx::ShowIconBoxCommand);
    box = program.WaitForMessageBox(Millis(5000));
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "With icon");
    EXPECT_TRUE(box->hasIcon);
    PressDialogButton(box->window, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }, Millis(5000)));

    PostClose(window);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace quillora::e2e
