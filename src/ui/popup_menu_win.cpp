#include "ui/popup_menu_win.h"

namespace quillora {

int ShowPopupMenuAt(HWND owner, HMENU menu, POINT screen, UINT flags) {
    // The menu closes when the user clicks elsewhere only if its owner is in
    // the foreground, and once it has had a message after the menu.
    SetForegroundWindow(owner);
    const int result = TrackPopupMenu(menu, flags, screen.x, screen.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    return result;
}

}  // namespace quillora
