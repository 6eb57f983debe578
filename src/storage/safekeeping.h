#pragma once
// The rules that keep the user's list from being lost: which list files the
// program cannot read (and so must never overwrite), the names of the copies
// it keeps aside, the daily backups it keeps and removes, and how long a
// blocked save is retried.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/calendar.h"

namespace quillora {

// The name a copy of an unreadable list is kept under in the list's folder,
// e.g. "list (unreadable 2026-12-07 1530).txt".
std::string UnreadableCopyName(const LocalTime& when);
// The other version of people that a merge with a change made outside could
// not take in, in the list's folder, e.g.
// "list (other version 2026-12-07 1530).txt".
std::string OtherVersionCopyName(const LocalTime& when);
// Whether a file beside the list is a copy that a sync client made of it
// when two computers changed it while apart (OneDrive's "list-LAPTOP.txt",
// Dropbox's and Nextcloud's "list (... conflicted copy ...).txt", Google
// Drive's "list (1).txt", Syncthing's "list.sync-conflict-....txt"); never
// a copy the program keeps itself. Letter case does not matter.
bool IsSyncConflictCopyName(std::string_view name);
// Which kind of such a name: one only a sync client gives, or one a person
// could also give a file ("list-backup.txt", "list (2).txt").
enum class ConflictCopyName { None, SyncClient, PersonToo };
ConflictCopyName ConflictCopyNameForm(std::string_view name);

// What to do with such a copy beside the list.
enum class CopyAction {
    Ignore,           // not a copy, answered before, or a person's file the program cannot read
    TellUnreadable,   // a sync client's copy that cannot be read: said once, with its name
    MoveAway,         // a sync client's copy that holds no change: into the backups
    MergeAtOnce,      // a sync client's copy: merged, said once, one change to undo, then moved
    PreviewChanges,   // a person may have made it: its changes offered line by line
    PreviewAsImport,  // no shared base to merge against: offered as an import
};
struct CopyFacts {
    ConflictCopyName form = ConflictCopyName::None;
    bool readable = false;        // a list the program can read
    bool answeredBefore = false;  // these very bytes under this name were answered or told
    bool hasSharedBase = false;   // the version both computers last shared is known
    bool changesNothing = false;  // merged, it would change nothing in the list
};
CopyAction ActionForCopy(const CopyFacts& copy);
// The rescue copy of a list that could not be saved, in the settings folder,
// e.g. "list-unsaved-2026-12-07-1530.txt".
std::string RescueCopyName(const LocalTime& when);
// A recovery journal that could not be read, kept beside the settings, e.g.
// "recovery-journal (unreadable 2026-12-07 1530).txt".
std::string UnreadableJournalCopyName(const LocalTime& when);
// The daily backup of the list, e.g. "list-2026-12-07.txt".
std::string DailyBackupName(const LocalTime& when);

// `name`, or the first of "name (2).ext", "name (3).ext", ... that `taken`
// does not report, so that a copy never replaces another.
std::string FreeName(std::string_view name, const std::function<bool(const std::string&)>& taken);

// How many days with saves the backup folder keeps.
inline constexpr int DailyBackupsKept = 14;

// Of the entries of the backup folder, the daily backups to remove so that
// the `kept` newest days remain. Other files are never named.
std::vector<std::string> BackupsToRemove(const std::vector<std::string>& folderEntries,
                                         int kept = DailyBackupsKept);

// The pauses, in milliseconds, between the attempts of a blocked save's last
// step: growing, about two seconds in all.
std::vector<int> SaveRetryPauses();

}  // namespace quillora
