#include "ui/single_instance_win.h"

#include <string>

namespace quillora {
namespace {

// A copy that starts right after another may find its window not yet made.
constexpr DWORD WindowWaitMs = 5000;
constexpr DWORD WindowPollMs = 50;

// Named in the session's own namespace and after the user, so that another
// user's copy (through "Run as") is no obstacle.
std::string ClaimName(std::string_view program) {
    std::string user(256, '\0');
    DWORD size = static_cast<DWORD>(user.size());
    if (!GetUserNameA(user.data(), &size)) size = 1;
    user.resize(size > 0 ? size - 1 : 0);
    for (char& c : user) {
        if (c == '\\') c = '_';  // a backslash would name a namespace
    }
    return "Local\\" + std::string(program) + ".Running." + user;
}

}  // namespace

bool SingleInstance::Claim(std::string_view program) {
    HANDLE claim = CreateMutexA(nullptr, FALSE, ClaimName(program).c_str());
    const DWORD error = GetLastError();
    claim_.Reset(claim);
    // Without the object (no rights, no memory) the program runs as before.
    return !claim_ || error != ERROR_ALREADY_EXISTS;
}

HWND RunningCopysWindow(const char* className) {
    for (DWORD waited = 0; waited <= WindowWaitMs; waited += WindowPollMs) {
        if (HWND running = FindWindowA(className, nullptr)) {
            DWORD processId = 0;
            GetWindowThreadProcessId(running, &processId);
            AllowSetForegroundWindow(processId);
            return running;
        }
        Sleep(WindowPollMs);
    }
    return nullptr;
}

}  // namespace quillora
