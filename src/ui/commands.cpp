#include "ui/commands.h"

#include "storage/settings.h"
#include "ui/ids.h"

namespace quillora {

static_assert(LastDaysBeforeRemindCommand - FirstDaysBeforeRemindCommand + 1 ==
                  static_cast<int>(DaysBeforeRemindChoices.size()),
              "one \"Days before remind\" command per choice");

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
        case ImportCommand:
            return MainAction::Import;
        case ExportCommand:
            return MainAction::Export;
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
    const auto choice = static_cast<std::size_t>(commandId - FirstDaysBeforeRemindCommand);
    return std::string(DaysBeforeRemindChoices.at(choice).code);
}

int CommandOfDaysCode(const std::string& code) {
    const int choice = DaysBeforeRemindChoiceOf(code);
    return choice < 0 ? -1 : FirstDaysBeforeRemindCommand + choice;
}

}  // namespace quillora
