#include "storage/autostart.h"

#include "storage/number_text.h"

namespace quillora {

bool WriteAutostartIfDue(Settings& settings, AutostartPlace& place) {
    const bool removed = place.RemovedByUninstall();
    if (NumberFromText(settings.Get(AutostartCreated)) != 0 && !removed) return false;
    if (!place.WriteShortcut()) return false;
    if (removed) place.ForgetRemoval();
    settings.Set(AutostartCreated, "1");
    return true;
}

bool NeedsWorkingFolder(bool settingsFileThere, bool listFileThere) {
    return !settingsFileThere || !listFileThere;
}

}  // namespace quillora
