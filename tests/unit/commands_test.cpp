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
        {20, MainAction::Undo},
        {21, MainAction::Redo},
        {22, MainAction::None},
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
        {LastListViewId, DoubleClick, MainAction::EditEntry},
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

// Keys of the main window. Enter and Escape must never stand in for the
// buttons with ids 1 and 2, and Delete never deletes from outside the list.
TEST(ActionForKey, MapsKeysAndModifiersWhereTheFocusIs) {
    using enum MainFocus;
    using A = MainAction;
    const struct {
        int key;
        bool control, shift, alt;
        MainFocus focus;
        MainAction action;
    } cases[] = {
        {Key::Tab, false, false, false, AddButton, A::FocusNext},
        {Key::Tab, false, true, false, List, A::FocusPrevious},
        {Key::Tab, true, false, false, List, A::NextTab},
        {Key::Tab, true, true, false, AddButton, A::PreviousTab},
        {Key::PageDown, true, false, false, TabStrip, A::NextTab},
        {Key::PageUp, true, false, false, List, A::PreviousTab},
        {Key::PageDown, false, false, false, List, A::None},  // the list scrolls
        {Key::Right, false, false, false, TabStrip, A::TabRight},
        {Key::Left, false, false, false, TabStrip, A::TabLeft},
        {Key::Right, false, false, false, List, A::None},
        {Key::Enter, false, false, false, List, A::EditEntry},
        {Key::Enter, false, false, false, AddButton, A::None},
        {Key::Enter, false, false, false, TabStrip, A::None},
        {Key::Enter, true, false, false, List, A::None},
        {Key::Escape, false, false, false, List, A::None},
        {Key::Escape, false, false, false, EditButton, A::None},
        {Key::Delete, false, false, false, List, A::DeleteEntry},
        {Key::Delete, false, false, false, DeleteButton, A::None},
        {Key::Delete, false, true, false, List, A::None},
        {Key::N, true, false, false, TabStrip, A::NewEntry},
        {Key::N, false, false, false, List, A::None},  // typing in the list
        {Key::N, true, false, true, List, A::None},
        {Key::F10, false, true, false, List, A::ShowPopupMenuAtSelection},
        {Key::F10, false, false, false, List, A::None},  // the menu bar's key
        {Key::ContextMenu, false, false, false, Other, A::ShowPopupMenuAtSelection},
        {Key::Z, true, false, false, AddButton, A::Undo},
        {Key::Z, true, true, false, TabStrip, A::Redo},
        {Key::Y, true, false, false, Other, A::Redo},
        {Key::Z, false, false, false, List, A::None},
    };
    for (const auto& c : cases) {
        const KeyStroke stroke{c.key, c.control, c.shift, c.alt, c.focus};
        EXPECT_EQ(ActionForKey(stroke), c.action) << "key " << c.key << " ctrl " << c.control << " shift "
                                                  << c.shift << " focus " << static_cast<int>(c.focus);
    }
}

TEST(NextFocus, GoesRoundButtonsTabStripAndList) {
    using enum MainFocus;
    const MainFocus order[] = {AddButton, EditButton, DeleteButton, TabStrip, List};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(NextFocus(order[i], false), order[(i + 1) % 5]);
        EXPECT_EQ(NextFocus(order[(i + 1) % 5], true), order[i]);
    }
    EXPECT_EQ(NextFocus(Other, false), AddButton);
    EXPECT_EQ(NextFocus(Other, true), List);
}

TEST(TabAfter, RoundsWithControlKeysAndStopsWithArrows) {
    using A = MainAction;
    const int dec = MonthTabCount - 1;
    EXPECT_EQ(TabAfter(AllTab, A::NextTab), 1);
    EXPECT_EQ(TabAfter(dec, A::NextTab), AllTab);
    EXPECT_EQ(TabAfter(AllTab, A::PreviousTab), dec);
    EXPECT_EQ(TabAfter(5, A::PreviousTab), 4);
    EXPECT_EQ(TabAfter(AllTab, A::TabRight), 1);
    EXPECT_EQ(TabAfter(dec, A::TabRight), dec);
    EXPECT_EQ(TabAfter(AllTab, A::TabLeft), AllTab);
    EXPECT_EQ(TabAfter(3, A::TabLeft), 2);
    EXPECT_EQ(TabAfter(3, A::EditEntry), 3);
}

}  // namespace
}  // namespace quillora
