#include "ui/menus_win.h"

#include "storage/settings.h"
#include "ui/commands.h"
#include "ui/ids.h"
#include "ui/popup_menu_win.h"

namespace quillora {
namespace {

struct MenuEntry {
    int command;  // -1 for a separator
    const char* caption;
};

constexpr MenuEntry PopupEntries[] = {
    {NewEntryCommand, "New Entry"},       {EditEntryCommand, "Edit Entry"},
    {DeleteEntryCommand, "Delete Entry"}, {-1, nullptr},
    {ClearListCommand, "Clear List"},     {-1, nullptr},
    {UndoCommand, "Undo\tCtrl+Z"},        {RedoCommand, "Redo\tCtrl+Y"},
};

template <std::size_t N>
void AppendEntries(HMENU menu, const MenuEntry (&entries)[N]) {
    for (const MenuEntry& entry : entries) {
        if (entry.command < 0) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(entry.command), entry.caption);
        }
    }
}

}  // namespace

void Menus::AttachMenuBar(HWND window) {
    bar_ = CreateMenu();
    if (!bar_) return;
    HMENU program = ::CreatePopupMenu();
    AppendMenuA(program, MF_STRING, ImportCommand, "Import...");
    AppendMenuA(program, MF_STRING, ExportCommand, "Export...");
    AppendMenuA(program, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(program, MF_STRING, QuitCommand, "Quit");
    HMENU days = ::CreatePopupMenu();
    int command = FirstDaysBeforeRemindCommand;
    for (const DaysBeforeRemindChoice& choice : DaysBeforeRemindChoices) {
        AppendMenuA(days, MF_STRING, static_cast<UINT_PTR>(command++), choice.caption);
    }
    HMENU settings = ::CreatePopupMenu();
    AppendMenuA(settings, MF_STRING, PlayMusicCommand, "Play music at remind");
    AppendMenuA(settings, MF_POPUP, reinterpret_cast<UINT_PTR>(days), "Days before remind");
    HMENU help = ::CreatePopupMenu();
    AppendMenuA(help, MF_STRING, InformationCommand, "Information");
    AppendMenuA(help, MF_STRING, DonateCommand, "Donate");
    AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(program), "Program");
    AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(settings), "Settings");
    AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "?");
    SetMenu(window, bar_);
}

void Menus::CreatePopupMenu() {
    popup_.Reset(::CreatePopupMenu());
    if (popup_) AppendEntries(popup_.Get(), PopupEntries);
}

bool Menus::MusicMarked() const {
    if (!bar_) return false;
    const UINT state = GetMenuState(bar_, PlayMusicCommand, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void Menus::MarkMusic(bool on) {
    if (bar_) CheckMenuItem(bar_, PlayMusicCommand, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void Menus::SyncDaysMarks(const std::string& daysCode) {
    const int marked = CommandOfDaysCode(daysCode);
    if (!bar_ || marked < 0) return;
    for (int command = FirstDaysBeforeRemindCommand; command <= LastDaysBeforeRemindCommand; ++command) {
        CheckMenuItem(bar_, command, MF_BYCOMMAND | (command == marked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void Menus::EnableUndoRedo(bool canUndo, bool canRedo) {
    if (!popup_) return;
    EnableMenuItem(popup_.Get(), UndoCommand, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(popup_.Get(), RedoCommand, MF_BYCOMMAND | (canRedo ? MF_ENABLED : MF_GRAYED));
}

void Menus::ShowPopupMenu(HWND window) const {
    POINT cursor{};
    GetCursorPos(&cursor);
    ShowPopupMenu(window, POINT{cursor.x - 1, cursor.y - 1});
}

void Menus::ShowPopupMenu(HWND window, POINT screen) const {
    if (!popup_) return;
    ShowPopupMenuAt(window, popup_.Get(), screen, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON);
}

}  // namespace quillora
