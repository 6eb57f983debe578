#pragma once
// One copy of a program per user session: two Quillora windows would each
// save the list at quit, and two reminders would announce everything twice.
#include <windows.h>

#include <string_view>

#include "base/scoped_win.h"

namespace quillora {

class SingleInstance {
public:
    // Claims `program` for this user's session, under the name
    // "Local\<program>.Running.<user>"; false when a copy that runs already
    // holds it.
    [[nodiscard]] bool Claim(std::string_view program);

private:
    UniqueKernelHandle claim_;  // held for the whole run
};

// The window of class `className` of the copy that runs, waiting a moment
// for one that is still starting; null when none comes. The caller may then
// bring it forward: the copy that runs is allowed to take the foreground.
HWND RunningCopysWindow(const char* className);

}  // namespace quillora
