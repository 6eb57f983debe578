#include "storage/safekeeping.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "storage/birthday_table.h"
#include "storage/line_reader.h"
#include "storage/number_text.h"

namespace quillora {
namespace {

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}
std::string TwoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string DatePart(const LocalTime& when) {
    return FormatDate("%yyyy-%mm-%dd", when.day);
}

// "STEM (WHY YYYY-MM-DD HHMM).txt".
std::string KeptCopyName(std::string_view stem, std::string_view why, const LocalTime& when) {
    return std::string(stem) + " (" + std::string(why) + " " + DatePart(when) + " " + TwoDigits(when.hour) +
           TwoDigits(when.minute) + ").txt";
}

constexpr std::string_view BackupPrefix = "list-";
constexpr std::string_view BackupSuffix = ".txt";

// "list-YYYY-MM-DD.txt" and nothing else.
bool IsDailyBackupName(std::string_view name) {
    constexpr std::string_view Pattern = "list-0000-00-00.txt";
    if (name.size() != Pattern.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool digitWanted = Pattern[i] == '0';
        if (digitWanted ? !IsDecimalDigit(name[i]) : name[i] != Pattern[i]) return false;
    }
    return true;
}

bool IsNameCharacter(char c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'z') || c == '-' || c == '_';
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The part of `text` after `prefix`, when it starts with it.
std::optional<std::string_view> After(std::string_view text, std::string_view prefix) {
    if (!text.starts_with(prefix)) return std::nullopt;
    return text.substr(prefix.size());
}

}  // namespace

std::string UnreadableCopyName(const LocalTime& when) {
    return KeptCopyName("list", "unreadable", when);
}

std::string OtherVersionCopyName(const LocalTime& when) {
    return KeptCopyName("list", "other version", when);
}

ConflictCopyName ConflictCopyNameForm(std::string_view name) {
    const std::string lower = AsciiLower(name);
    if (!lower.ends_with(BackupSuffix)) return ConflictCopyName::None;
    const std::string_view stem = std::string_view(lower).substr(0, lower.size() - BackupSuffix.size());
    // Syncthing ("list.sync-conflict-20261208-153012-ABCDEF7") and ownCloud
    // ("list_conflict-20261208-153012").
    if (After(stem, "list.sync-conflict-") || After(stem, "list_conflict-"))
        return ConflictCopyName::SyncClient;
    // Dropbox and Nextcloud ("list (Anna's conflicted copy 2026-12-08)",
    // "list (conflicted copy 2026-12-08 153012)") and Google Drive
    // ("list (1)", which a person's copy may be called too); never the
    // program's own "list (unreadable ...)".
    if (const auto inner = After(stem, "list ("); inner && inner->ends_with(')')) {
        const std::string_view words = inner->substr(0, inner->size() - 1);
        if (words.find("conflicted copy") != std::string_view::npos) return ConflictCopyName::SyncClient;
        if (!words.empty() && std::all_of(words.begin(), words.end(), IsDecimalDigit))
            return ConflictCopyName::PersonToo;
        return ConflictCopyName::None;
    }
    // OneDrive adds the computer's name ("list-LAPTOP", "list-LAPTOP-2"), as
    // a person may ("list-backup"); the daily backups and rescue copies have
    // names of this shape too.
    if (const auto computer = After(stem, BackupPrefix)) {
        const bool named = !computer->empty() && computer->size() <= 63 &&
                           std::all_of(computer->begin(), computer->end(), IsNameCharacter) &&
                           !IsDailyBackupName(lower) && !computer->starts_with("unsaved-");
        return named ? ConflictCopyName::PersonToo : ConflictCopyName::None;
    }
    return ConflictCopyName::None;
}

CopyAction ActionForCopy(const CopyFacts& copy) {
    if (copy.form == ConflictCopyName::None || copy.answeredBefore) return CopyAction::Ignore;
    const bool syncClient = copy.form == ConflictCopyName::SyncClient;
    // A file a person may have named is considered only as a readable list,
    // and never moved unless the user took its changes.
    if (!copy.readable) return syncClient ? CopyAction::TellUnreadable : CopyAction::Ignore;
    if (copy.changesNothing) return syncClient ? CopyAction::MoveAway : CopyAction::Ignore;
    if (!copy.hasSharedBase) return CopyAction::PreviewAsImport;
    return syncClient ? CopyAction::MergeAtOnce : CopyAction::PreviewChanges;
}

bool IsSyncConflictCopyName(std::string_view name) {
    return ConflictCopyNameForm(name) != ConflictCopyName::None;
}

std::string UnreadableJournalCopyName(const LocalTime& when) {
    return KeptCopyName("recovery-journal", "unreadable", when);
}

std::string RescueCopyName(const LocalTime& when) {
    return "list-unsaved-" + DatePart(when) + "-" + TwoDigits(when.hour) + TwoDigits(when.minute) + ".txt";
}

std::string DailyBackupName(const LocalTime& when) {
    return std::string(BackupPrefix) + DatePart(when) + std::string(BackupSuffix);
}

std::string FreeName(std::string_view name, const std::function<bool(const std::string&)>& taken) {
    std::string candidate(name);
    const std::size_t dot = name.rfind('.');
    const std::string_view stem = dot == std::string_view::npos ? name : name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
    for (int number = 2; taken(candidate); ++number) {
        candidate = std::string(stem) + " (" + std::to_string(number) + ")" + std::string(extension);
    }
    return candidate;
}

std::vector<std::string> BackupsToRemove(const std::vector<std::string>& folderEntries, int kept) {
    std::vector<std::string> backups;
    for (const std::string& name : folderEntries) {
        if (IsDailyBackupName(name)) backups.push_back(name);
    }
    // The date in the name sorts as text: newest last.
    std::sort(backups.begin(), backups.end());
    const auto surplus = static_cast<std::ptrdiff_t>(backups.size()) - std::max(kept, 0);
    if (surplus <= 0) return {};
    backups.resize(static_cast<std::size_t>(surplus));
    return backups;
}

std::vector<int> SaveRetryPauses() {
    return {50, 100, 150, 250, 400, 500, 600};
}

}  // namespace quillora
