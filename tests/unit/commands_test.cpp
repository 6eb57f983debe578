#include "ui/commands.h"
#include "storage/settings.h"

#include <gtest/gtest.h>

#include "ui/ids.h"

namespace quillora {
namespace {

TEST(ActionForCommand, FollowsTheMenuIds) {
    const std::pair<int, MainAction> cases[] = {
        {-1, MainAction::None},
        {0, MainAction::NewEntry},
        {1, MainAction::EditEntryFromMenu},
        {2, MainAction::DeleteEntry},
        {3, MainAction::ClearList},
        {4, MainAction::None},
        {5, MainAction::SetDaysBeforeRemind},
        {13, MainAction::SetDaysBeforeRemind},
        {14, MainAction::Information},
        {15, MainAction::Donate},
        {16, MainAction::ToggleMusic},
        {17, MainAction::Quit},
        {18, MainAction::Import},
        {19, MainAction::Export},
        {20, MainAction::None},
    };
    for (const auto& [id, action] : cases)
        EXPECT_EQ(ActionForCommand(id), action) << id;
}

TEST(ActionForControl, FollowsControlAndEventType) {
    using enum ControlEventType;
    const struct {
        int id;
        ControlEventType type;
        MainAction action;
    } cases[] = {
        {AddEntryButtonId, Click, MainAction::NewEntry},
        {EditEntryButtonId, Click, MainAction::EditEntry},
        {DeleteEntryButtonId, Click, MainAction::DeleteEntry},
        {AddEntryButtonId, DoubleClick, MainAction::None},
        {TabStripId, Click, MainAction::RefillSelectedTab},
        {TabStripId, RightClick, MainAction::None},
        {FrameId, Click, MainAction::None},
        {FirstListViewId, RightClick, MainAction::ShowPopupMenu},
        {LastListViewId, RightClick, MainAction::ShowPopupMenu},
        {FirstListViewId, Click, MainAction::None},
        {LastListViewId, DoubleClick, MainAction::None},
        {LastListViewId + 1, RightClick, MainAction::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ActionForControl(c.id, c.type), c.action) << c.id << " type " << static_cast<int>(c.type);
    }
}

TEST(DaysCodes, MapCommandsCodesAndLeadDays) {
    const int leadDays[] = {0, 1, 2, 3, 4, 5, 10, 15, 20};
    for (int command = FirstDaysBeforeRemindCommand; command <= LastDaysBeforeRemindCommand; ++command) {
        const std::string code = DaysCodeOfCommand(command);
        EXPECT_EQ(CommandOfDaysCode(code), command) << code;
        EXPECT_EQ(LeadDaysOfCode(code), leadDays[command - FirstDaysBeforeRemindCommand]) << code;
    }
    EXPECT_EQ(DaysCodeOfCommand(13), "8");
    for (const std::string code : {"06", " 6", "6 ", "10", "9", "-1", ""}) {
        EXPECT_EQ(CommandOfDaysCode(code), -1) << '"' << code << '"';
        EXPECT_EQ(LeadDaysOfCode(code), 0) << '"' << code << '"';
    }
}

}  // namespace
}  // namespace quillora
