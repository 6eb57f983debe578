#include "ui/commands.h"

#include <array>
#include <string_view>

#include "ui/ids.h"

namespace quillora {

namespace {

constexpr std::array<std::string_view, 9> DaysCodes = {"0", "1", "2", "3", "4", "5", "6", "7", "8"};

// The lead in days shown by the menu entry of each code.
constexpr std::array<int, 9> LeadDays = {0, 1, 2, 3, 4, 5, 10, 15, 20};

}  // namespace

MainAction ActionForCommand(int commandId) {
    if (commandId >= FirstDaysBeforeRemindCommand && commandId <= LastDaysBeforeRemindCommand) {
        return MainAction::SetDaysBeforeRemind;
    }
    switch (commandId) {
        case NewEntryCommand:
            return MainAction::NewEntry;
        case EditEntryCommand:
            return MainAction::EditEntryFromMenu;
        case DeleteEntryCommand:
            return MainAction::DeleteEntry;
        case ClearListCommand:
            return MainAction::ClearList;
        case InformationCommand:
            return MainAction::Information;
        case DonateCommand:
            return MainAction::Donate;
        case PlayMusicCommand:
            return MainAction::ToggleMusic;
        case QuitCommand:
            return MainAction::Quit;
        default:
            return MainAction::None;
    }
}

MainAction ActionForControl(int controlId, ControlEventType type) {
    if (controlId >= FirstListViewId && controlId <= LastListViewId) {
        return type == ControlEventType::RightClick ? MainAction::ShowPopupMenu : MainAction::None;
    }
    if (type != ControlEventType::Click) return MainAction::None;
    switch (controlId) {
        case AddEntryButtonId:
            return MainAction::NewEntry;
        case EditEntryButtonId:
            return MainAction::EditEntry;
        case DeleteEntryButtonId:
            return MainAction::DeleteEntry;
        case TabStripId:
            return MainAction::RefillSelectedTab;
        default:
            return MainAction::None;
    }
}

std::string DaysCodeOfCommand(int commandId) {
    return std::to_string(commandId - FirstDaysBeforeRemindCommand);
}

int CommandOfDaysCode(const std::string& code) {
    for (std::size_t k = 0; k < DaysCodes.size(); ++k) {
        if (code == DaysCodes[k]) return FirstDaysBeforeRemindCommand + static_cast<int>(k);
    }
    return -1;
}

int LeadDaysOfCode(const std::string& code) {
    for (std::size_t k = 0; k < DaysCodes.size(); ++k) {
        if (code == DaysCodes[k]) return LeadDays[k];
    }
    return 0;
}

}  // namespace quillora
