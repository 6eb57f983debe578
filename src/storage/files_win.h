#pragma once
// Whole-file reading and crash-safe whole-file writing.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/byte_sink.h"

namespace quillora {

// Whom a reader lets use the file meanwhile: other readers only (the
// program's own loads), or also writers and deleters (the reminder, which
// must never stand in the program's way).
enum class ShareWith { Readers, Everyone };

// The file's bytes, read to its end; nothing when it cannot be opened or
// read.
std::optional<std::string> ReadWholeFile(const std::string& path, ShareWith share = ShareWith::Readers);

// The last step of a safe save: keeps the previous target as `backupPath`
// (when not empty) and renames the finished temporary file over the target
// in one step, so the target never goes missing. Replaceable so that tests
// can make it fail.
using FinalSaveStep = bool (*)(const std::string& targetPath, const std::string& tempPath, bool targetExists,
                               const std::string& backupPath);
// Asked right before the target is replaced: false leaves it as it is (the
// save fails), for a caller that must not replace bytes it has not seen.
using ReplaceCheck = std::function<bool()>;
bool MoveIntoPlace(const std::string& targetPath, const std::string& tempPath, bool targetExists,
                   const std::string& backupPath);

// Writes `bytes` as the whole new content of `path` so that a crash or a full
// disk never leaves a truncated file: the bytes go to a temporary file beside
// the target (a stale one from an earlier crash is removed first), are
// flushed, and then replace the target in one step. Another program holding
// the target for a moment (a scanner, a sync client) only delays the save:
// the last step is retried for about two seconds. Fails, writing nothing,
// where the target could not have been rewritten in place (read-only, folder
// missing) or stayed blocked.
[[nodiscard]] bool SaveWholeFile(const std::string& path, std::string_view bytes,
                                 const std::string& backupPath = {}, FinalSaveStep finalStep = MoveIntoPlace);
// The same save with the content handed over in pieces by `content` (called
// once), written to the temporary file as they come: a large file is never
// built in memory first.
[[nodiscard]] bool SaveWholeFile(const std::string& path, const ContentWriter& content,
                                 const std::string& backupPath = {}, FinalSaveStep finalStep = MoveIntoPlace,
                                 const ReplaceCheck& mayReplace = {});

// The name of the temporary file a save of `path` writes first.
std::string TempPathFor(const std::string& path);

// Writes `bytes` as a new file at `path`, never replacing one that exists.
[[nodiscard]] bool WriteNewFile(const std::string& path, std::string_view bytes);
[[nodiscard]] bool WriteNewFile(const std::string& path, const ContentWriter& content);

// Keeps the current content of `path` as `copyPath` (a second name for the
// same bytes, or a copy), unless `copyPath` exists. False when nothing was
// kept.
bool KeepCopy(const std::string& path, const std::string& copyPath);

// Whether a file or folder of that path exists; whether a folder does.
bool PathExists(const std::string& path);
bool FolderExists(const std::string& path);

// Names of the entries of a folder, without "." and "..".
std::vector<std::string> FolderEntryNames(const std::string& folder);

}  // namespace quillora
