#pragma once
// One Quillora per user session: two copies would each save the list at
// quit, and the last one would silently overwrite the other's changes.
#include "base/scoped_win.h"

namespace quillora {

class SingleInstance {
public:
    // Claims the program for this user's session; false when a copy that
    // runs already holds it.
    [[nodiscard]] bool Claim();

private:
    UniqueKernelHandle claim_;  // held for the whole run
};

// Brings the copy that runs to the front: its main window, restored when
// minimised, or the dialog or message box open over it. Waits a moment for
// a copy that is still starting.
void BringRunningCopyToFront();

}  // namespace quillora
