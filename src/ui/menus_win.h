#pragma once
// The menu bar and the popup menu of the main window, and their check marks.
#include <windows.h>

#include <string>

#include "base/scoped_win.h"

namespace quillora {

class Menus {
public:
    // Creates the menu bar and attaches it to `window` (which then owns and
    // destroys it), with no marks yet.
    void AttachMenuBar(HWND window);
    void CreatePopupMenu();

    [[nodiscard]] bool MusicMarked() const;
    void MarkMusic(bool on);
    // Moves the mark to the entry of a stored days code; a text that is none
    // of the codes leaves every mark as it is.
    void SyncDaysMarks(const std::string& daysCode);

    // Greys "Undo" and "Redo" of the popup menu when there is nothing to
    // undo or redo.
    void EnableUndoRedo(bool canUndo, bool canRedo);

    // Opens the popup menu at the mouse position; a chosen entry arrives at
    // `window` as a menu command.
    void ShowPopupMenu(HWND window) const;
    // Opens it with its top-left corner at a point of the screen.
    void ShowPopupMenu(HWND window, POINT screen) const;

private:
    HMENU bar_ = nullptr;  // owned by the window it is attached to
    UniqueMenu popup_;
};

}  // namespace quillora
