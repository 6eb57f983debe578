#pragma once
// The resident reminder: a hidden window that owns the notification-area
// icon and looks at the user's files at the moments a birthday can become
// due (start, a new local day, resume from sleep, unlock, a change of either
// file), announcing each due birthday once a day.
#include <windows.h>
#include <wtsapi32.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/scoped_win.h"
#include "calc/reminder_texts.h"
#include "calc/reminders.h"
#include "reminder/reminder_ids.h"
#include "reminder/reminder_window_win.h"
#include "reminder/tray_icon_win.h"
#include "storage/birthday_table.h"
#include "ui/folder_watch_win.h"
#include "ui/new_day_win.h"
#include "ui/window_base_win.h"

namespace quillora {

// The lock and unlock notifications of a window's session, given up before
// the window goes.
struct SessionNotificationTraits {
    static HWND Invalid() { return nullptr; }
    static bool IsValid(HWND window) { return window != nullptr; }
    static void Close(HWND window) { WTSUnRegisterSessionNotification(window); }
};
using SessionNotifications = UniqueHandle<HWND, SessionNotificationTraits>;

class ReminderApp : public WindowBase<ReminderApp> {
public:
    ReminderApp() = default;
    ReminderApp(const ReminderApp&) = delete;
    ReminderApp& operator=(const ReminderApp&) = delete;
    ~ReminderApp() = default;

    // Creates the hidden window and the icon and runs the first check; false
    // when the window could not be made.
    [[nodiscard]] bool Start();
    // Runs until "Quit reminder" or the end of the session; the exit code.
    int Run();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnCommand(int command);
    void OnTrayEvent(UINT event);
    // Reads both files afresh and announces what is newly due.
    void Check();
    void ShowReminders(std::vector<DueReminder> due);
    void ShowMenu();
    void OpenQuillora();
    // Watches the folders of the two files where they exist.
    void WatchFolders();

    NewDayTimer newDay_{MidnightTimerId};
    TrayIcon tray_;
    HICON icon_ = nullptr;
    UINT taskbarCreated_ = 0;
    SessionNotifications sessionNotifications_;
    BirthdayTable table_;
    std::vector<DueReminder> due_;
    std::unique_ptr<ReminderWindow> reminderWindow_;
    std::array<FolderWatch, 2> watches_;
    SettleTimer filesSettled_{FilesSettledTimerId};
};

}  // namespace quillora
