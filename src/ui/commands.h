#pragma once
// What an event of the main window means, decided without Windows so that
// the dispatch rules are tested natively.
#include <string>

namespace quillora {

enum class ControlEventType : int { Click = 0, RightClick = 1, DoubleClick = 2 };

enum class MainAction {
    None,
    NewEntry,           // "ADD ENTRY", "New Entry"
    EditEntry,          // "EDIT ENTRY": edits the selected row, selects nothing first
    EditEntryFromMenu,  // "Edit Entry": selects the last row first when none is selected
    DeleteEntry,        // "DELETE ENTRY", "Delete Entry"
    ClearList,
    SetDaysBeforeRemind,
    ToggleMusic,
    Information,
    Donate,
    Quit,
    Import,             // "Import...": birthdays from a contact, calendar or CSV file
    Export,             // "Export...": the list to a calendar, contact or CSV file
    RefillSelectedTab,  // the user selected another tab
    ShowPopupMenu,      // right click in a list
};

MainAction ActionForCommand(int commandId);
MainAction ActionForControl(int controlId, ControlEventType type);

// The days code a "Days before remind" command stores ("0".."8").
std::string DaysCodeOfCommand(int commandId);

// The command whose entry carries the mark for a stored days code, compared
// as whole texts; -1 when the text is none of "0".."8".
int CommandOfDaysCode(const std::string& code);

}  // namespace quillora
