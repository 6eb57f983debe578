#pragma once
// The reminder's windows, controls and commands, by id and name.
namespace quillora {

inline constexpr char ReminderWindowTitle[] = "BIRTHDAY REMINDER";

inline constexpr int ReminderTitleId = 200;
inline constexpr int ReminderCaptionId = 201;
inline constexpr int ReminderListId = 202;
// The id Esc sends through the dialog keys, so Esc closes the window too.
inline constexpr int ReminderCloseButtonId = 2;  // IDCANCEL

// The hidden window that owns the notification-area icon, one per user
// session; a second start finds it by its class and asks it, with
// ShowRemindersCommand, to show the reminders.
inline constexpr char ReminderTrayClass[] = "QuilloraReminderTray";

// The icon's menu, as WM_COMMAND ids of the hidden window.
inline constexpr int ShowRemindersCommand = 301;
inline constexpr int OpenQuilloraCommand = 302;
inline constexpr int QuitReminderCommand = 303;

// The notification-area icon: its id and the message it sends (WM_APP + 1).
inline constexpr unsigned TrayIconId = 1;

// The tray window's timers: the next local day, and the user's folders quiet
// again after a change.
inline constexpr unsigned MidnightTimerId = 1;
inline constexpr unsigned FilesSettledTimerId = 2;
inline constexpr unsigned TrayCallbackMessage = 0x8001;

}  // namespace quillora
