#pragma once
// The dialog that adds and edits one birthday entry. It exchanges data only:
// the texts to show come in, the entry to store goes out; the table is the
// caller's.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "storage/birthday_table.h"

namespace quillora {

struct EntryDialogRequest {
    bool editMode = false;
    // The texts shown at opening; the box is ticked when Remind reads as a
    // number other than 0.
    BirthdayEntry shown;
    // New mode only: whether a name is already in the list (then refused
    // with a message, and the dialog stays open).
    std::function<bool(const std::string&)> nameTaken;
};

// Opens the dialog over `mainWindow`, disabled while it is open, and runs
// its own message loop. Returns the
// entry to store after "OK" (Remind "1" or "0", Mark "1"), nothing after
// "CANCEL" or the close box.
std::optional<BirthdayEntry> RunEntryDialog(HWND mainWindow, const EntryDialogRequest& request);

}  // namespace quillora
