// Reminder.exe: started at every logon by the autostart shortcut, it stays
// in the notification area and reminds of the user's birthdays, reading the
// settings and the list whenever a reminder may have become due and never
// writing either. One runs per user session: a second start asks the running
// one to show its reminders and ends.
#include <windows.h>
#include <commctrl.h>

#include "base/scoped_win.h"
#include "reminder/reminder_app_win.h"
#include "reminder/reminder_ids.h"
#include "storage/folders_win.h"
#include "storage/user_data_win.h"
#include "ui/single_instance_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace quillora;
    SingleInstance instance;
    if (!instance.Claim("QuilloraReminder")) {
        // The reminder that runs shows its reminders, and may come forward.
        if (HWND running = RunningCopysWindow(ReminderTrayClass)) {
            PostMessageA(running, WM_COMMAND, ShowRemindersCommand, 0);
        }
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
    ReminderApp reminder;
    if (!reminder.Start()) return 0;
    return reminder.Run();
}
