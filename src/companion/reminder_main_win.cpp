// Reminder.exe: started at every logon by the autostart shortcut, it stays
// in the notification area and reminds of the user's birthdays, reading the
// settings and the list whenever a reminder may have become due and never
// writing either. One runs per user session: a second start asks the running
// one to show its reminders and ends.
#include <windows.h>
#include <commctrl.h>

#include "base/scoped_win.h"
#include "companion/companion_win.h"
#include "companion/reminder_ids.h"
#include "storage/folders_win.h"
#include "storage/user_data_win.h"

namespace {

// How long a second start looks for the first one's window, which may still
// be on its way up.
constexpr DWORD HandOverMillis = 5000;
constexpr DWORD HandOverStepMillis = 50;

void AskRunningCompanionToShowReminders() {
    for (DWORD waited = 0; waited < HandOverMillis; waited += HandOverStepMillis) {
        if (HWND running = FindWindowA(quillora::CompanionWindowClass, nullptr)) {
            DWORD processId = 0;
            GetWindowThreadProcessId(running, &processId);
            // The running companion may then bring its window to the front.
            AllowSetForegroundWindow(processId);
            PostMessageA(running, WM_COMMAND, quillora::ShowRemindersCommand, 0);
            return;
        }
        Sleep(HandOverStepMillis);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace quillora;
    const UniqueKernelHandle instance(CreateMutexA(nullptr, FALSE, CompanionInstanceName));
    if (instance && GetLastError() == ERROR_ALREADY_EXISTS) {
        AskRunningCompanionToShowReminders();
        return 0;
    }
    // Under a folder that its ANSI calls cannot reach it would only ever find
    // nothing to remind of; the user is told why instead.
    if (const auto unreachable = UnreachableUserFolder(/*withWorkingFolder=*/false)) {
        ShowUnreachablePath(nullptr, *unreachable);
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Companion companion;
    if (!companion.Start()) return 0;
    return companion.Run();
}
