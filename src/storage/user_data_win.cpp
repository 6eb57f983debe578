#include "storage/user_data_win.h"

#include <windows.h>
#include <shlobj.h>

#include "storage/files_win.h"
#include "storage/folders_win.h"
#include "storage/paths.h"
#include "storage/safekeeping.h"

namespace quillora {

namespace {

std::string AppDataVariable() {
    const DWORD needed = GetEnvironmentVariableA("APPDATA", nullptr, 0);
    if (needed == 0) return {};
    std::string value(needed, '\0');
    const DWORD length = GetEnvironmentVariableA("APPDATA", value.data(), needed);
    value.resize(length < needed ? length : 0);
    return value;
}

Stamp Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return Stamp{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A path in `folder` for `name` that no file holds yet.
std::string FreePath(const std::string& folder, const std::string& name) {
    return folder + FreeName(name, [&](const std::string& candidate) { return Exists(folder + candidate); });
}

// Keeps today's first state of the list in the backups folder and removes
// the backups of the oldest days beyond those kept. Nothing here stops a
// save.
void KeepDailyBackup(const std::string& listPath) {
    if (!Exists(listPath)) return;
    const std::string folder = BackupsDir();
    CreateDirectoryA(folder.c_str(), nullptr);
    KeepCopy(listPath, folder + DailyBackupName(Now()));
    for (const std::string& name : BackupsToRemove(FolderEntryNames(folder)))
        DeleteFileA((folder + name).c_str());
}

}  // namespace

// Without the variable the settings go to the user's own roaming folder, not
// to a folder at the root of the drive that every user shares.
std::string AppDataBase() {
    std::string value = AppDataVariable();
    if (!value.empty()) return value;
    value = ShellFolderPath(CSIDL_APPDATA);
    if (!value.empty()) value.pop_back();  // the variable has no backslash at its end
    return value;
}

std::string DocumentsBase() {
    return ShellFolderPath(CSIDL_PERSONAL);
}

std::string CurrentDirectory() {
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return {};
    std::string value(needed, '\0');
    const DWORD length = GetCurrentDirectoryA(needed, value.data());
    value.resize(length < needed ? length : 0);
    return value;
}

std::string ProgramPath() {
    // Grown until the path fits: a longer one comes back cut to the buffer.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string SettingsFilePath() {
    return DataDirFrom(AppDataBase()) + std::string(SettingsFileName);
}
std::string ListFilePath() {
    return ListDirFrom(DocumentsBase()) + std::string(ListFileName);
}
std::string InstallDataDir() {
    return InstallDataDirFrom(CurrentDirectory(), ProgramPath(), [](const std::string& folder) {
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
}
std::string BackupsDir() {
    return ListDirFrom(DocumentsBase()) + "Backups\\";
}

bool LoadSettings(Settings& settings) {
    const auto bytes = ReadWholeFile(SettingsFilePath());
    if (!bytes) return false;
    settings = ParseSettings(*bytes);
    return true;
}

void SaveSettings(const Settings& settings) {
    // See the header: a failed settings save is not reported.
    static_cast<void>(SaveWholeFile(SettingsFilePath(), SettingsToBytes(settings)));
}

bool LoadList(BirthdayTable& table, std::string* unreadableBytes) {
    auto bytes = ReadWholeFile(ListFilePath());
    if (!bytes) return false;
    table = ParseList(*bytes);
    if (unreadableBytes && IsUnreadableList(*bytes)) *unreadableBytes = std::move(*bytes);
    return true;
}

bool SaveList(const BirthdayTable& table) {
    const std::string path = ListFilePath();
    KeepDailyBackup(path);
    return SaveWholeFile(path, ListToBytes(table), path + ".bak");
}

std::optional<std::string> KeepUnreadableListAside(std::string_view bytes) {
    const std::string path = FreePath(ListDirFrom(DocumentsBase()), UnreadableCopyName(Now()));
    if (!WriteNewFile(path, bytes)) return std::nullopt;
    return path;
}

std::optional<std::string> SaveRescueCopy(const BirthdayTable& table) {
    const std::string path = FreePath(DataDirFrom(AppDataBase()), RescueCopyName(Now()));
    if (!WriteNewFile(path, ListToBytes(table))) return std::nullopt;
    return path;
}

}  // namespace quillora
