#pragma once
// The shortcut in the user's Startup folder that starts the reminder at
// every logon.
#include <string>

#include "storage/autostart.h"

namespace quillora {

struct ShortcutFields {
    std::string targetPath;
    std::string shortcutPath;
    std::string workingFolder;  // empty: the target's folder part
    std::string arguments;
    int showCommand = 1;
    std::string description;
    int hotKey = 0;
    std::string iconPath = "|";  // "|": the target path
    int iconIndex = 0;
};

// Writes the shortcut, replacing an existing one. True only when the file was
// written.
[[nodiscard]] bool CreateAutostartShortcut(const ShortcutFields& fields);

// The uninstaller leaves this mark for the user whose shortcut it removed, so
// that the next start of Quillora after a new installation writes it again.
inline constexpr char AutostartRemovedKey[] = "Software\\Quillora";
inline constexpr char AutostartRemovedValue[] = "AutostartRemovedByUninstall";

// The Reminder shortcut of this user, pointing at the reminder in the data
// folder of the working folder (InstallDataDir), and the uninstall's mark.
class StartupShortcut final : public AutostartPlace {
public:
    [[nodiscard]] bool RemovedByUninstall() const override;
    [[nodiscard]] bool WriteShortcut() override;
    void ForgetRemoval() override;
};

}  // namespace quillora
