#include "reminder/reminder_app_win.h"

#include <mmsystem.h>
#include <wtsapi32.h>

#include "calc/day_change.h"
#include "reminder/reminder_files_win.h"
#include "reminder/reminder_ids.h"
#include "storage/files_win.h"
#include "storage/number_text.h"
#include "storage/paths.h"
#include "storage/settings.h"
#include "storage/user_data_win.h"
#include "ui/message_box_win.h"
#include "ui/message_loop_win.h"
#include "ui/popup_menu_win.h"
#include "ui/process_win.h"

namespace quillora {
namespace {

constexpr char ReminderTrayTitle[] = "Quillora reminder";
constexpr char MelodyFileName[] = "reminder.wav";
constexpr char ProgramFileName[] = "Quillora.exe";

// The notification area holds 128 bytes of tooltip and 256 of text.
constexpr std::size_t TipLimit = sizeof(NOTIFYICONDATAA{}.szTip) - 1;
constexpr std::size_t BalloonLimit = sizeof(NOTIFYICONDATAA{}.szInfo) - 1;

// Posted by the reminder window's close, so the window goes after its messages.
constexpr UINT ReminderClosedMessage = WM_APP + 2;

enum MenuPosition : UINT { ShowPosition, OpenPosition };

}  // namespace

bool ReminderApp::Start() {
    // Never shown: it only receives the icon's, the system's and the timers'
    // messages.
    if (!CreateCentred(ReminderTrayClass, ReminderTrayTitle, WS_OVERLAPPED, 0, 1, 1)) return false;
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    if (WTSRegisterSessionNotification(Window(), NOTIFY_FOR_THIS_SESSION))
        sessionNotifications_.Reset(Window());
    icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                          LR_SHARED));
    // The icon first, so that the first check's notification has a place.
    tray_.Add(Window(), TrayCallbackMessage, icon_, ReminderTrayTitle);
    newDay_.Arm(Window());
    filesSettled_.Attach(Window());
    Check();
    return true;
}

int ReminderApp::Run() {
    // Tab moves between the reminder window's controls, Enter and Esc press
    // CLOSE.
    const auto dialogKeys = [this](const MSG& message) {
        MSG copy = message;
        return reminderWindow_ && reminderWindow_->Window() &&
               IsDialogMessageA(reminderWindow_->Window(), &copy);
    };
    RunMessageLoop([] { return false; }, dialogKeys, WaitsOf(watches_, filesSettled_));
    return 0;
}

LRESULT ReminderApp::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (newDay_.TakeNewDay(Window(), message, wParam)) {
        Check();
        return message == WM_POWERBROADCAST ? TRUE : 0;
    }
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case TrayCallbackMessage:
            OnTrayEvent(LOWORD(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == FilesSettledTimerId) filesSettled_.Stop();
            Check();
            return 0;
        case WM_POWERBROADCAST:
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            if (wParam == WTS_SESSION_UNLOCK || wParam == WTS_SESSION_LOGON) Check();
            return 0;
        case ReminderClosedMessage:
            reminderWindow_.reset();
            return 0;
        case WM_CLOSE:
            // The installer's request before it replaces the files.
            Destroy();
            return 0;
        case WM_DESTROY:
            tray_.Remove();
            sessionNotifications_.Reset();
            PostQuitMessage(0);
            return 0;
        default:
            if (message == taskbarCreated_ && taskbarCreated_ != 0) {
                // Explorer started again with an empty notification area.
                tray_.Remove();
                tray_.Add(Window(), TrayCallbackMessage, icon_, NextBirthdayTip(table_, Today(), TipLimit));
                return 0;
            }
            return DefaultHandling(message, wParam, lParam);
    }
}

void ReminderApp::OnCommand(int command) {
    switch (command) {
        case ShowRemindersCommand:
            Check();
            ShowReminders(due_);
            break;
        case OpenQuilloraCommand:
            OpenQuillora();
            break;
        case QuitReminderCommand:
            Destroy();
            break;
        default:
            break;
    }
}

void ReminderApp::OnTrayEvent(UINT event) {
    switch (event) {
        case WM_LBUTTONDBLCLK:
        case NIN_KEYSELECT:
            OnCommand(ShowRemindersCommand);
            break;
        case WM_CONTEXTMENU:
            ShowMenu();
            break;
        case WM_RBUTTONUP:
            // The newer shell sends WM_CONTEXTMENU after it as well.
            if (!tray_.SendsContextMenu()) ShowMenu();
            break;
        default:
            break;
    }
}

void ReminderApp::Check() {
    WatchFolders();
    const CalendarDay today = Today();
    Settings settings;
    if (!LoadSettings(settings, ShareWith::Everyone) || !LoadList(table_, nullptr, ShareWith::Everyone)) {
        // Nothing to remind of until Quillora has made the user's files.
        table_ = BirthdayTable();
        due_.clear();
        tray_.SetTip(NextBirthdayTip(table_, today, TipLimit));
        return;
    }

    const std::string statePath = ReminderStateFilePath();
    std::optional<ReminderState> previous;
    if (const auto stateBytes = ReadWholeFile(statePath, ShareWith::Everyone))
        previous = ParseReminderState(*stateBytes);
    ReminderCheck check = CheckReminders(table_, settings, today, previous);
    due_ = check.due;
    tray_.SetTip(NextBirthdayTip(table_, today, TipLimit));
    // An unreadable record is replaced; losing it only means no catch-up.
    if (!statePath.empty() && (!previous || check.state != *previous))
        (void)SaveWholeFile(statePath, ReminderStateToBytes(check.state));

    if (!check.newlyDue.empty()) {
        ShowReminders(check.due);
        tray_.ShowBalloon(ReminderWindowTitle, AnnouncementText(check.newlyDue, BalloonLimit));
        if (NumberFromText(settings.Get(PlayMusicAtRemind)) != 0) {
            const std::string melody = OwnFolder() + MelodyFileName;
            PlaySoundA(melody.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
        }
    } else if (reminderWindow_ && reminderWindow_->Due() != check.due) {
        // An open window never goes on saying TODAY about yesterday.
        if (check.due.empty()) {
            reminderWindow_.reset();
        } else {
            ShowReminders(check.due);
        }
    }
}

void ReminderApp::ShowReminders(std::vector<DueReminder> due) {
    reminderWindow_.reset();
    auto window = std::make_unique<ReminderWindow>(std::move(due));
    window->SetClosedHandler([this] { PostMessageA(Window(), ReminderClosedMessage, 0, 0); });
    if (window->Open(SW_SHOWNORMAL)) reminderWindow_ = std::move(window);
}

void ReminderApp::ShowMenu() {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    AppendMenuA(menu.Get(), MF_STRING, ShowRemindersCommand, "Show reminders");
    AppendMenuA(menu.Get(), MF_STRING, OpenQuilloraCommand, "Open Quillora");
    AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.Get(), MF_STRING, QuitReminderCommand, "Quit reminder");
    SetMenuDefaultItem(menu.Get(), ShowPosition, TRUE);
    POINT cursor{};
    GetCursorPos(&cursor);
    const int command =
        ShowPopupMenuAt(Window(), menu.Get(), cursor, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY);
    if (command != 0) OnCommand(command);
}

void ReminderApp::OpenQuillora() {
    // The reminder lives in the installation's data folder; Quillora finds
    // its own data folder through its working folder.
    std::string folder = OwnFolder();
    if (!folder.empty()) folder.pop_back();
    const std::string installation = FolderPart(folder);
    const auto started = StartProgram(installation + ProgramFileName, {}, installation);
    if (!started) {
        ShowError(nullptr, "QUILLORA COULD NOT BE STARTED FROM " + installation, false);
        return;
    }
    AllowSetForegroundWindow(*started);
}

void ReminderApp::WatchFolders() {
    const std::array<std::string, 2> folders = {FolderPart(SettingsFilePath()), FolderPart(ListFilePath())};
    for (std::size_t index = 0; index < watches_.size(); ++index)
        watches_[index].Watch(folders[index]);
}

}  // namespace quillora
