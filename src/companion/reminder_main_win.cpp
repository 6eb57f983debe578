// Reminder.exe: started at every logon by the autostart shortcut. It reads
// the user's settings and list, never writing either, and shows the
// birthdays that are due, or ends at once without a trace when none is.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include "calc/calendar.h"
#include "calc/reminders.h"
#include "companion/companion_files_win.h"
#include "companion/reminder_window_win.h"
#include "storage/birthday_table.h"
#include "storage/files_win.h"
#include "storage/number_text.h"
#include "storage/settings.h"
#include "storage/user_data_win.h"

namespace {

constexpr char MelodyFileName[] = "reminder.wav";

void RememberThisRun(quillora::CalendarDay today) {
    // Losing this record only means no catch-up next time.
    (void)quillora::SaveWholeFile(quillora::LastRunFilePath(), quillora::LastRunToBytes(today));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    using namespace quillora;
    // One reading of the clock for the whole run, so every row counts from
    // the same day as the record written at the end.
    const CalendarDay today = DayFromDate(Today());

    // Without its files there is nothing to remind of, and nothing to say:
    // Quillora itself reports missing files when the user starts it.
    const auto settingsBytes = ReadWholeFile(SettingsFilePath(), ShareWith::Everyone);
    const auto listBytes = ReadWholeFile(ListFilePath(), ShareWith::Everyone);
    if (!settingsBytes || !listBytes) return 0;
    const Settings settings = ParseSettings(*settingsBytes);

    std::optional<CalendarDay> lastRun;
    if (const auto state = ReadWholeFile(LastRunFilePath(), ShareWith::Everyone))
        lastRun = ParseLastRun(*state);

    std::vector<DueReminder> due = DueReminders(ParseList(*listBytes), settings, today, lastRun);
    if (due.empty()) {
        RememberThisRun(today);
        return 0;
    }

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    ReminderWindow window(std::move(due));
    if (!window.Open(showCommand)) return 0;
    // Only a reminder the user has seen counts as given.
    RememberThisRun(today);
    if (NumberFromText(settings.Get(PlayMusicAtRemind)) != 0) {
        const std::string melody = OwnFolder() + MelodyFileName;
        PlaySoundA(melody.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
    }
    window.RunUntilClosed();
    return 0;
}
