#include "app/single_instance_win.h"

#include <windows.h>

#include <string>

#include "ui/child_window_win.h"
#include "ui/main_window_win.h"

namespace quillora {
namespace {

// A copy that starts right after another may find its window not yet made.
constexpr DWORD WindowWaitMs = 5000;
constexpr DWORD WindowPollMs = 50;

// Named in the session's own namespace and after the user, so that another
// user's Quillora (through "Run as") is no obstacle.
std::string ClaimName() {
    std::string user(256, '\0');
    DWORD size = static_cast<DWORD>(user.size());
    if (!GetUserNameA(user.data(), &size)) size = 1;
    user.resize(size > 0 ? size - 1 : 0);
    for (char& c : user) {
        if (c == '\\') c = '_';  // a backslash would name a namespace
    }
    return "Local\\Quillora.Running." + user;
}

}  // namespace

bool SingleInstance::Claim() {
    HANDLE claim = CreateMutexA(nullptr, FALSE, ClaimName().c_str());
    const DWORD error = GetLastError();
    claim_.Reset(claim);
    // Without the object (no rights, no memory) the program runs as before.
    return !claim_ || error != ERROR_ALREADY_EXISTS;
}

void BringRunningCopyToFront() {
    for (DWORD waited = 0; waited <= WindowWaitMs; waited += WindowPollMs) {
        if (HWND running = FindWindowA(MainWindow::ClassName, nullptr)) {
            BringToFront(WindowTakingInput(running));
            return;
        }
        Sleep(WindowPollMs);
    }
}

}  // namespace quillora
