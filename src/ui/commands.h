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
    Undo,               // "Undo", Ctrl+Z: takes back the last change to the list
    Redo,               // "Redo", Ctrl+Y, Ctrl+Shift+Z
    RefillSelectedTab,  // the user selected another tab
    ShowPopupMenu,      // right click in a list
    // Keyboard only:
    ShowPopupMenuAtSelection,  // Shift+F10, the context-menu key
    NextTab,                   // Ctrl+Tab, Ctrl+PageDown: round to "ALL" after "Dec"
    PreviousTab,               // Ctrl+Shift+Tab, Ctrl+PageUp
    TabRight,                  // arrow keys on the tab strip: stop at either end
    TabLeft,
    FocusNext,  // Tab, Shift+Tab
    FocusPrevious,
};

MainAction ActionForCommand(int commandId);

// Keys of the main window, as Windows' virtual-key codes.
namespace Key {
inline constexpr int Tab = 0x09;
inline constexpr int Enter = 0x0D;
inline constexpr int Escape = 0x1B;
inline constexpr int PageUp = 0x21;
inline constexpr int PageDown = 0x22;
inline constexpr int Left = 0x25;
inline constexpr int Right = 0x27;
inline constexpr int Delete = 0x2E;
inline constexpr int N = 0x4E;
inline constexpr int Y = 0x59;
inline constexpr int Z = 0x5A;
inline constexpr int ContextMenu = 0x5D;
inline constexpr int F10 = 0x79;
}  // namespace Key

// The controls of the main window that take the keyboard focus, in the order
// Tab visits them; `Other` is anything else.
enum class MainFocus { AddButton, EditButton, DeleteButton, TabStrip, List, Other };

struct KeyStroke {
    int key = 0;
    bool control = false;
    bool shift = false;
    bool alt = false;
    MainFocus focus = MainFocus::Other;
};

// What a key pressed in the main window means. Enter and Delete act only in
// a list and Escape never acts, so that no key reaches a command by chance.
MainAction ActionForKey(const KeyStroke& stroke);

// The focus stop after (or before) `focus`, round in Tab's order.
MainFocus NextFocus(MainFocus focus, bool backwards);

// The tab that NextTab, PreviousTab, TabRight or TabLeft selects from `tab`.
int TabAfter(int tab, MainAction action);
MainAction ActionForControl(int controlId, ControlEventType type);

// The days code a "Days before remind" command stores ("0".."8").
std::string DaysCodeOfCommand(int commandId);

// The command whose entry carries the mark for a stored days code, compared
// as whole texts; -1 when the text is none of "0".."8".
int CommandOfDaysCode(const std::string& code);

}  // namespace quillora
