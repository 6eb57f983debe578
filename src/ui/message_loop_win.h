#pragma once
#include <windows.h>

#include <functional>

namespace quillora {

// Runs the message loop until `finished` says so or WM_QUIT arrives (which
// is then posted again for the outer loop). Tab and Shift+Tab move the focus
// through the active window's controls; no other key is given a dialog
// meaning (Enter and Esc would otherwise press the controls with ids 1 and 2).
// Returns false when WM_QUIT ended it.
bool RunMessageLoop(const std::function<bool()>& finished);

}  // namespace quillora
