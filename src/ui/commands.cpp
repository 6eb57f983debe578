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
        case UndoCommand:
            return MainAction::Undo;
        case RedoCommand:
            return MainAction::Redo;
        default:
            return MainAction::None;
    }
}

MainAction ActionForControl(int controlId, ControlEventType type) {
    if (controlId >= FirstListViewId && controlId <= LastListViewId) {
        if (type == ControlEventType::RightClick) return MainAction::ShowPopupMenu;
        // A double click on a row edits it, as EDIT ENTRY does.
        return type == ControlEventType::DoubleClick ? MainAction::EditEntry : MainAction::None;
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

MainAction ActionForKey(const KeyStroke& stroke) {
    if (stroke.alt) return MainAction::None;
    const bool plain = !stroke.control && !stroke.shift;
    const bool inList = stroke.focus == MainFocus::List;
    switch (stroke.key) {
        case Key::Tab:
            if (stroke.control) return stroke.shift ? MainAction::PreviousTab : MainAction::NextTab;
            return stroke.shift ? MainAction::FocusPrevious : MainAction::FocusNext;
        case Key::PageDown:
            return stroke.control && !stroke.shift ? MainAction::NextTab : MainAction::None;
        case Key::PageUp:
            return stroke.control && !stroke.shift ? MainAction::PreviousTab : MainAction::None;
        case Key::Right:
            return plain && stroke.focus == MainFocus::TabStrip ? MainAction::TabRight : MainAction::None;
        case Key::Left:
            return plain && stroke.focus == MainFocus::TabStrip ? MainAction::TabLeft : MainAction::None;
        case Key::Enter:
            return plain && inList ? MainAction::EditEntry : MainAction::None;
        case Key::Delete:
            return plain && inList ? MainAction::DeleteEntry : MainAction::None;
        case Key::N:
            return stroke.control && !stroke.shift ? MainAction::NewEntry : MainAction::None;
        case Key::Z:
            if (!stroke.control) return MainAction::None;
            return stroke.shift ? MainAction::Redo : MainAction::Undo;
        case Key::Y:
            return stroke.control && !stroke.shift ? MainAction::Redo : MainAction::None;
        case Key::F10:
            return stroke.shift && !stroke.control ? MainAction::ShowPopupMenuAtSelection : MainAction::None;
        case Key::ContextMenu:
            return MainAction::ShowPopupMenuAtSelection;
        default:
            return MainAction::None;
    }
}

MainFocus NextFocus(MainFocus focus, bool backwards) {
    constexpr int stops = static_cast<int>(MainFocus::Other);
    // From outside the cycle, Tab starts at its first stop and Shift+Tab at its last.
    if (focus == MainFocus::Other) return backwards ? MainFocus::List : MainFocus::AddButton;
    const int step = backwards ? stops - 1 : 1;
    return static_cast<MainFocus>((static_cast<int>(focus) + step) % stops);
}

int TabAfter(int tab, MainAction action) {
    switch (action) {
        case MainAction::NextTab:
            return (tab + 1) % MonthTabCount;
        case MainAction::PreviousTab:
            return (tab + MonthTabCount - 1) % MonthTabCount;
        case MainAction::TabRight:
            return tab + 1 < MonthTabCount ? tab + 1 : tab;
        case MainAction::TabLeft:
            return tab > 0 ? tab - 1 : tab;
        default:
            return tab;
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
