#include "storage/user_data_win.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "storage/files_win.h"
#include "storage/folders_win.h"
#include "storage/paths.h"
#include "storage/safekeeping.h"

namespace quillora {

namespace {

// The text of a call that first tells the size it needs, then fills it.
template <typename Call>
std::wstring TextOfSizedCall(Call call) {
    const DWORD needed = call(nullptr, 0);
    if (needed == 0) return {};
    std::wstring value(needed, L'\0');
    const DWORD length = call(value.data(), needed);
    value.resize(length < needed ? length : 0);
    return value;
}

// Without the variable the settings go to the user's own roaming folder, not
// to a folder at the root of the drive that every user shares.
std::wstring AppDataWide() {
    std::wstring value = TextOfSizedCall(
        [](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(L"APPDATA", buffer, size); });
    if (!value.empty()) return value;
    value = ShellFolderPathWide(CSIDL_APPDATA);
    if (!value.empty()) value.pop_back();  // the variable has no backslash at its end
    return value;
}

std::wstring CurrentDirectoryWide() {
    return TextOfSizedCall([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

// A path in `folder` for `name` that no file holds yet.
std::string FreePath(const std::string& folder, const std::string& name) {
    return folder +
           FreeName(name, [&](const std::string& candidate) { return PathExists(folder + candidate); });
}

// Writes `content` (bytes or a writer) as a new file in `folder` (none when
// empty) under `name`, or a free name made from it; its path, or nothing
// when it could not.
template <typename Content>
std::optional<std::string> WriteAside(const std::string& folder, const std::string& name,
                                      const Content& content) {
    if (folder.empty()) return std::nullopt;
    std::string path = FreePath(folder, name);
    if (!WriteNewFile(path, content)) return std::nullopt;
    return path;
}

// Keeps today's first state of the list in the backups folder and removes
// the backups of the oldest days beyond those kept. Nothing here stops a
// save.
void KeepDailyBackup(const std::string& listPath) {
    if (!PathExists(listPath)) return;
    const std::string folder = BackupsDir();
    CreateDirectoryA(folder.c_str(), nullptr);
    KeepCopy(listPath, folder + DailyBackupName(LocalNow()));
    for (const std::string& name : BackupsToRemove(FolderEntryNames(folder)))
        DeleteFileA((folder + name).c_str());
}

}  // namespace

std::optional<std::string> AppDataBase() {
    return AnsiPathOf(AppDataWide());
}

std::optional<std::string> DocumentsBase() {
    return AnsiPathOf(ShellFolderPathWide(CSIDL_PERSONAL));
}

std::optional<std::string> CurrentDirectory() {
    return AnsiPathOf(CurrentDirectoryWide());
}

std::optional<std::wstring> UnreachableUserFolder(bool withWorkingFolder) {
    std::vector<std::wstring> folders{AppDataWide(), ShellFolderPathWide(CSIDL_PERSONAL)};
    if (withWorkingFolder) folders.push_back(CurrentDirectoryWide());
    for (std::wstring& folder : folders) {
        if (!AnsiPathOf(folder)) return std::move(folder);
    }
    return std::nullopt;
}

std::string ProgramPath() {
    // Grown until the path fits: a longer one comes back cut to the buffer.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return AnsiPathOf(path).value_or(std::string());
        }
        path.resize(path.size() * 2);
    }
}

std::string SettingsFilePath() {
    const auto base = AppDataBase();
    return base ? DataDirFrom(*base) + std::string(SettingsFileName) : std::string();
}
std::string ListFilePath() {
    const auto base = DocumentsBase();
    return base ? ListDirFrom(*base) + std::string(ListFileName) : std::string();
}
std::string JournalFilePath() {
    const auto base = AppDataBase();
    return base ? DataDirFrom(*base) + std::string(JournalFileName) : std::string();
}
std::string InstallDataDir() {
    const auto base = CurrentDirectory();
    if (!base) return {};
    return InstallDataDirFrom(*base, ProgramPath(), FolderExists);
}
std::string ListDir() {
    const auto base = DocumentsBase();
    return base ? ListDirFrom(*base) : std::string();
}
std::string BackupsDir() {
    const std::string list = ListDir();
    return list.empty() ? list : list + "Backups\\";
}

bool LoadSettings(Settings& settings, ShareWith share) {
    const auto bytes = ReadWholeFile(SettingsFilePath(), share);
    if (!bytes) return false;
    settings = ParseSettings(*bytes);
    return true;
}

void SaveSettings(const Settings& settings) {
    const std::string path = SettingsFilePath();
    if (path.empty()) return;
    // See the header: a failed settings save is not reported.
    static_cast<void>(SaveWholeFile(path, SettingsToBytes(settings)));
}

std::optional<std::string> ReadListFile(ShareWith share) {
    return ReadWholeFile(ListFilePath(), share);
}

bool LoadList(BirthdayTable& table, std::string* fileBytes, ShareWith share) {
    auto bytes = ReadListFile(share);
    if (!bytes) return false;
    table = ParseList(*bytes);
    if (fileBytes) *fileBytes = std::move(*bytes);
    return true;
}

bool SaveList(const BirthdayTable& table, const ReplaceCheck& mayReplace) {
    const std::string path = ListFilePath();
    if (path.empty()) return false;
    KeepDailyBackup(path);
    return SaveWholeFile(path, ListContent(table), path + ".bak", MoveIntoPlace, mayReplace);
}

std::optional<std::string> KeepUnreadableListAside(std::string_view bytes) {
    return WriteAside(ListDir(), UnreadableCopyName(LocalNow()), bytes);
}

std::optional<std::string> KeepOtherVersionAside(const std::vector<BirthdayEntry>& people) {
    BirthdayTable table;
    for (const BirthdayEntry& person : people)
        table.AppendLoaded(person);
    return WriteAside(ListDir(), OtherVersionCopyName(LocalNow()), ListContent(table));
}

bool MoveIntoBackups(const std::string& name) {
    const std::string folder = BackupsDir();
    if (folder.empty()) return false;
    CreateDirectoryA(folder.c_str(), nullptr);
    return MoveFileExA((ListDir() + name).c_str(), FreePath(folder, name).c_str(), MOVEFILE_WRITE_THROUGH) !=
           0;
}

std::optional<std::string> KeepUnreadableJournalAside(std::string_view bytes) {
    const auto base = AppDataBase();
    return WriteAside(base ? DataDirFrom(*base) : std::string(), UnreadableJournalCopyName(LocalNow()),
                      bytes);
}

std::optional<std::string> SaveRescueCopy(const BirthdayTable& table) {
    const auto base = AppDataBase();
    return WriteAside(base ? DataDirFrom(*base) : std::string(), RescueCopyName(LocalNow()),
                      ListContent(table));
}

}  // namespace quillora
