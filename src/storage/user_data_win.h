#pragma once
// Where the user's two files live, and loading and saving them. Every path
// is built anew from its sources each time it is needed.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/birthday_table.h"
#include "storage/files_win.h"
#include "storage/settings.h"

namespace quillora {

// The folders as the ANSI calls reach them (see AnsiPathOf); nothing when
// no faithful path can be had, and then nothing may be read or written in
// their place.
// The APPDATA variable; when it is unset or empty, the user's roaming
// application-data folder from the shell (empty only when that fails too).
std::optional<std::string> AppDataBase();
// The Documents folder with a backslash, or empty.
std::optional<std::string> DocumentsBase();
// The process's working folder, as Windows gives it.
std::optional<std::string> CurrentDirectory();

// The first of the user's two folders (and, when asked, the working folder)
// that no faithful ANSI path reaches, as Windows names it; nothing when all
// are reachable.
std::optional<std::wstring> UnreachableUserFolder(bool withWorkingFolder);

// The files and folders built on them; the empty text when their base has
// no faithful path (an empty path opens nothing, and the savers write
// nothing for it).
std::string SettingsFilePath();  // APPDATA\Quillora\data\config.txt
std::string ListFilePath();      // Documents\Quillora\Saved-List\list.txt
std::string JournalFilePath();   // APPDATA\Quillora\data\recovery-journal.txt
std::string ProgramPath();       // the running executable's full path, or empty (none faithful)
// The working folder's data\ when there is one, else the one beside the
// executable (templates and the reminder).
std::string InstallDataDir();
std::string ListDir();     // Documents\Quillora\Saved-List\ (with the backslash)
std::string BackupsDir();  // the list folder + "Backups\\"

// False when the file cannot be opened; the settings are then unchanged.
// Quillora shares its files with readers while it reads them; the reminder,
// which only reads, shares them with everyone, so that Quillora can save.
[[nodiscard]] bool LoadSettings(Settings& settings, ShareWith share = ShareWith::Readers);
// Failures are silent on purpose: every command that changes a setting
// saves at once and the quit saves again, the change stays in memory for the
// rest of the run, and a settings file that cannot be written (read-only,
// say) must not nag the user at every click.
void SaveSettings(const Settings& settings);

// False when the file cannot be opened; the table is then unchanged. The
// bytes read go to `fileBytes` when asked: a file the program cannot read
// (see IsUnreadableList) must be kept aside before a save replaces it, and
// they are the base against which another program's change is merged.
[[nodiscard]] bool LoadList(BirthdayTable& table, std::string* fileBytes = nullptr,
                            ShareWith share = ShareWith::Readers);
// The bytes of the list file as they are now; nothing when it cannot be
// opened (missing, or held by a writer for the moment). A look at what
// another program changed lets that program write meanwhile (`share`).
std::optional<std::string> ReadListFile(ShareWith share = ShareWith::Readers);
// False when the file could not be written; the previous list stays intact
// and is also kept as list.txt.bak after a successful save. The list as it
// was before the day's first save is kept in the backups folder, which holds
// the last days with saves.
// `mayReplace` is asked right before the old file is replaced (see
// SaveWholeFile).
[[nodiscard]] bool SaveList(const BirthdayTable& table, const ReplaceCheck& mayReplace = {});

// Keeps the bytes of an unreadable list beside it under a name of its own;
// the path of the copy, or nothing when it could not be written.
std::optional<std::string> KeepUnreadableListAside(std::string_view bytes);
// Keeps people whom a merge with another program's change could not take
// in as a list file of their own beside the list; its path, or nothing.
std::optional<std::string> KeepOtherVersionAside(const std::vector<BirthdayEntry>& people);
// Moves the file `name` of the list's folder into the backups folder, under
// a name no file there has; false when it stays where it is.
bool MoveIntoBackups(const std::string& name);
// Keeps a recovery journal that could not be read beside it.
std::optional<std::string> KeepUnreadableJournalAside(std::string_view bytes);
// Writes the table as a rescue copy in the settings folder, for a save of
// the list that failed; the path of the copy, or nothing.
std::optional<std::string> SaveRescueCopy(const BirthdayTable& table);

}  // namespace quillora
