#pragma once
// Paths are plain texts built by concatenation each time they are needed;
// these functions hold the rules, the Windows side supplies the sources
// (APPDATA, the Documents folder, the current directory).
#include <functional>
#include <string>
#include <string_view>

namespace quillora {

// `path` with one backslash at its end (added only when missing).
std::string WithTrailingBackslash(std::string path);

// parent + "\" + name; the backslash is left out when the parent is empty or
// already ends in one.
std::string JoinPath(std::string_view parent, std::string_view name);

// The settings folder: APPDATA + "\Quillora\data\".
std::string DataDirFrom(std::string_view appDataBase);
// The list folder: Documents (ending in a backslash) + "Quillora\Saved-List\".
std::string ListDirFrom(std::string_view documentsBase);
// The installation's data folder: current directory (with backslash) + "data\".
std::string InstallDataDirFrom(std::string_view currentDirectory);
// The data folder a start uses (templates, the reminder): the working
// folder's when it has one, as a start from the installation folder or a
// portable copy finds it; otherwise the one beside the program, so that a
// start from a command prompt elsewhere still finds its installation.
std::string InstallDataDirFrom(std::string_view currentDirectory, std::string_view programPath,
                               const std::function<bool(const std::string&)>& isFolder);

// The folders Quillora makes for a user: the program's folder under both
// APPDATA and Documents, the settings folder inside the first and the list
// folder inside the second.
inline constexpr std::string_view ProgramFolderName = "Quillora";
inline constexpr std::string_view SettingsFolderName = "data";
inline constexpr std::string_view ListFolderName = "Saved-List";

inline constexpr std::string_view SettingsFileName = "config.txt";
inline constexpr std::string_view ListFileName = "list.txt";
// Beside the settings, never in the list's folder (which sync clients share).
inline constexpr std::string_view JournalFileName = "recovery-journal.txt";
inline constexpr std::string_view ReminderFileName = "Reminder.exe";
inline constexpr std::string_view AutostartShortcutName = "Reminder.lnk";

// Everything up to and including the last backslash or slash; a leading
// double quote is skipped and the scan stops at "|". Empty without a
// separator.
std::string FolderPart(std::string_view path);

// Folder entry names match as the file system matches them: without regard
// to ASCII letter case.
bool SameEntryName(std::string_view a, std::string_view b);

}  // namespace quillora
