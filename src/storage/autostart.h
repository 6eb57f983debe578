#pragma once
// When a start writes the Reminder shortcut into the user's Startup folder,
// and what it needs of its working folder, whose data folder holds the
// templates and the reminder.
#include "storage/settings.h"

namespace quillora {

// What the decision asks of Windows.
class AutostartPlace {
public:
    virtual ~AutostartPlace() = default;

    // Whether an uninstall removed the user's shortcut and left its mark.
    [[nodiscard]] virtual bool RemovedByUninstall() const = 0;
    // Writes the shortcut; false when it was not written (no faithful path
    // to the Startup folder or to the working folder, a shell failure).
    [[nodiscard]] virtual bool WriteShortcut() = 0;
    // Takes the uninstall's mark away.
    virtual void ForgetRemoval() = 0;
};

// Writes the shortcut while the settings say it is still to be written, and
// once more after an uninstall removed it. Only a written shortcut is
// recorded (AutostartCreated "1", true: the settings want saving) and takes
// the uninstall's mark; after any failure the next start tries again. A
// user who deletes the shortcut himself does not get it back.
[[nodiscard]] bool WriteAutostartIfDue(Settings& settings, AutostartPlace& place);

// Whether a start must reach its working folder by a faithful path before
// it goes on: only while a template is still to be copied. A later start
// needs it for nothing but the shortcut, which then waits for a start that
// reaches it.
bool NeedsWorkingFolder(bool settingsFileThere, bool listFileThere);

}  // namespace quillora
