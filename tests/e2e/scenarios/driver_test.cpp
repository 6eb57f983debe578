// The driver's reading and input helpers, checked on a small window of the
// tests' own with the same kinds of controls as Quillora's, so that a fault
// of the driver is not taken for a fault of the program.
#include <gtest/gtest.h>

#include "driver.h"
#include "fixture_ids.h"

namespace quillora::e2e {
namespace {

namespace fx = fixture;

// The fixture started, its window up.
class Driver : public testing::Test {
protected:
    void SetUp() override {
        program_ = StartProcess(OwnFolder() + "\\quillora_e2e_fixture.exe", OwnFolder());
        ASSERT_TRUE(program_.Started()) << program_.Describe();
        window_ = program_.WaitForWindow(fx::WindowTitle);
        ASSERT_NE(window_, nullptr) << program_.Describe();
    }
    void TearDown() override {
        if (!window_) return;
        PostClose(window_);
        EXPECT_EQ(program_.WaitForExit(), std::optional<DWORD>(0));
    }

    [[nodiscard]] HWND ControlOf(int id) const { return Control(window_, id); }
    // Waits until the fixture has logged `event`.
    [[nodiscard]] testing::AssertionResult Logged(const std::string& event) const {
        if (WaitUntil([&] { return TextOf(ControlOf(fx::EventLogId)) == event; }, Millis(5000)))
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << "the last event was \"" << TextOf(ControlOf(fx::EventLogId)) << "\"";
    }

    Program program_;
    HWND window_ = nullptr;
};

TEST_F(Driver, ReadsTheControls) {
    const ListViewReader list(ControlOf(fx::ListId));
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

    const TabReader tabs(ControlOf(fx::TabId));
    ASSERT_EQ(tabs.Count(), 3);
    EXPECT_EQ(tabs.Caption(1), "January");
    EXPECT_EQ(tabs.Selected(), 0);
    EXPECT_LT(tabs.ItemRect(0).right, tabs.ItemRect(1).right);

    const RECT button = RectInParent(ControlOf(fx::ButtonId));
    EXPECT_EQ(button.left, 10);
    EXPECT_EQ(button.top, 10);
    EXPECT_EQ(button.right, 110);
    EXPECT_EQ(ClientSize(window_).cx, 580);
    EXPECT_EQ(TextOf(ControlOf(fx::ButtonId)), "ADD ENTRY");
    EXPECT_TRUE(IsShown(ControlOf(fx::ButtonId)));
    EXPECT_TRUE(IsEnabledWindow(ControlOf(fx::ButtonId)));
}

// Real clicks and their notifications, the popup menu, and typing.
TEST_F(Driver, DrivesTheControlsWithRealInput) {
    ClickTab(ControlOf(fx::TabId), 2);
    EXPECT_TRUE(Logged("tab 2"));
    EXPECT_EQ(TabReader(ControlOf(fx::TabId)).Selected(), 2);

    ClickHeader(ControlOf(fx::ListId), 1);
    EXPECT_TRUE(Logged("column 1"));

    ClickButton(window_, fx::ButtonId);
    EXPECT_TRUE(Logged("button"));

    ClickItem(ControlOf(fx::ListId), 1);
    EXPECT_TRUE(
        WaitUntil([&] { return ListViewReader(ControlOf(fx::ListId)).SelectedItem() == 1; }, Millis(5000)));

    ClickItem(ControlOf(fx::ListId), 0, MouseButton::Left, 2);
    EXPECT_TRUE(Logged("double 0"));

    RightClickList(ControlOf(fx::ListId), 1);
    EXPECT_TRUE(Logged("right 1"));
    HWND menu = WaitForPopupMenu(program_.Id(), Millis(5000));
    ASSERT_NE(menu, nullptr) << program_.Describe();
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    EXPECT_TRUE(Logged("popup command"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, Millis(5000)));

    RightClickList(ControlOf(fx::ListId));
    EXPECT_TRUE(Logged("right -1"));
    menu = WaitForPopupMenu(program_.Id(), Millis(5000));
    ASSERT_NE(menu, nullptr);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, Millis(5000)));

    ClickIn(ControlOf(fx::EditId), POINT{5, 5});
    TypeText("Ab 3-x");
    EXPECT_TRUE(Logged("edit Ab 3-x"));
    PressKey(VK_BACK);
    PressKey(VK_HOME, {VK_SHIFT});
    TypeText("Z");
    EXPECT_TRUE(Logged("edit Z"));
    EXPECT_EQ(TextOf(ControlOf(fx::EditId)), "Z");
}

TEST_F(Driver, ReadsMessageBoxes) {
    PostCommand(window_, fx::ShowPlainBoxCommand);
    std::optional<MessageBoxView> box = program_.WaitForMessageBox(Millis(5000));
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, "ERROR");
    EXPECT_EQ(box->text, "Plain text");
    ASSERT_EQ(box->buttons.size(), 1u);
    EXPECT_EQ(box->buttons[0].id, IDOK);
    EXPECT_EQ(box->buttons[0].text, "OK");
    EXPECT_FALSE(box->hasIcon);
    PressDialogButton(box->window, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }, Millis(5000)));

    PostCommand(window_, fx::ShowIconBoxCommand);
    box = program_.WaitForMessageBox(Millis(5000));
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "With icon");
    EXPECT_TRUE(box->hasIcon);
    PressDialogButton(box->window, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }, Millis(5000)));
}

}  // namespace
}  // namespace quillora::e2e
