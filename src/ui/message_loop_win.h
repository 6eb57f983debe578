#pragma once
#include <windows.h>

#include <functional>
#include <vector>

namespace quillora {

// Handles the loop waits for beside the messages (folder watches), and what
// is done when one of them is signalled (its index in `handles`).
struct LoopWaits {
    std::function<std::vector<HANDLE>()> handles;
    std::function<void(std::size_t)> signalled;
};

// Runs the message loop until `finished` says so or WM_QUIT arrives (which
// is then posted again for the outer loop). Tab and Shift+Tab move the focus
// through the active window's controls; no other key is given a dialog
// meaning (Enter and Esc would otherwise press the controls with ids 1 and 2).
// `keys`, when given, sees every key message first and says whether it
// handled it. Returns false when WM_QUIT ended it.
bool RunMessageLoop(const std::function<bool()>& finished, const std::function<bool(const MSG&)>& keys = {},
                    const LoopWaits& waits = {});

}  // namespace quillora
