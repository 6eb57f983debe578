#pragma once
// Where the user's two files live, and loading and saving them. Every path
// is built anew from its sources each time it is needed.
#include <string>

#include "storage/birthday_table.h"
#include "storage/settings.h"

namespace quillora {

std::string AppDataBase();       // the APPDATA variable; empty when unset
std::string DocumentsBase();     // the Documents folder with a backslash, or empty
std::string CurrentDirectory();  // the process's working folder, as Windows gives it

std::string SettingsFilePath();  // APPDATA\Quillora\data\config.txt
std::string ListFilePath();      // Documents\Quillora\Saved-List\list.txt
std::string InstallDataDir();    // working folder\data\ (templates and the companion)

// False when the file cannot be opened; the settings are then unchanged.
[[nodiscard]] bool LoadSettings(Settings& settings);
// Failures are silent on purpose: every command that changes a setting
// saves at once and the quit saves again, the change stays in memory for the
// rest of the run, and a settings file that cannot be written (read-only,
// say) must not nag the user at every click.
void SaveSettings(const Settings& settings);

// False when the file cannot be opened; the table is then unchanged.
[[nodiscard]] bool LoadList(BirthdayTable& table);
// False when the file could not be written; the previous list stays intact
// and is also kept as list.txt.bak after a successful save.
[[nodiscard]] bool SaveList(const BirthdayTable& table);

}  // namespace quillora
