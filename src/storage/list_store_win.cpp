#include "storage/list_store_win.h"

#include <windows.h>

#include "storage/files_win.h"
#include "storage/paths.h"
#include "storage/user_data_win.h"

namespace quillora {

ListFileLook ListFilesOnDisk::ReadList() {
    // Another writer is never stood in the way.
    std::optional<std::string> bytes = ReadListFile(ShareWith::Everyone);
    if (bytes) return {ListFileLook::State::Read, std::move(*bytes)};
    const std::string path = ListFilePath();
    return {path.empty() || !PathExists(path) ? ListFileLook::State::Missing : ListFileLook::State::Held, {}};
}

ListStore::SaveResult ListFilesOnDisk::SaveList(const BirthdayTable& table,
                                                const std::function<bool()>& fileAsExpected) {
    bool changed = false;
    const auto mayReplace = [&] {
        changed = !fileAsExpected();
        return !changed;
    };
    if (quillora::SaveList(table, mayReplace)) return SaveResult::Saved;
    return changed ? SaveResult::FileChanged : SaveResult::Failed;
}

std::optional<std::string> ListFilesOnDisk::ReadJournal() {
    const std::string path = JournalFilePath();
    if (path.empty() || !PathExists(path)) return std::nullopt;
    // One that is there but cannot be read is as good as garbage: kept
    // aside, never applied.
    return ReadWholeFile(path).value_or(std::string());
}

bool ListFilesOnDisk::WriteJournal(std::string_view bytes) {
    const std::string path = JournalFilePath();
    return !path.empty() && SaveWholeFile(path, bytes);
}

void ListFilesOnDisk::RemoveJournal() {
    const std::string path = JournalFilePath();
    if (!path.empty()) DeleteFileA(path.c_str());
}

std::optional<std::string> ListFilesOnDisk::KeepUnreadableList(std::string_view bytes) {
    return KeepUnreadableListAside(bytes);
}

std::optional<std::string> ListFilesOnDisk::KeepOtherVersion(const std::vector<BirthdayEntry>& people) {
    return KeepOtherVersionAside(people);
}

std::optional<std::string> ListFilesOnDisk::KeepUnreadableJournal(std::string_view bytes) {
    return KeepUnreadableJournalAside(bytes);
}

std::optional<std::string> ListFilesOnDisk::SaveRescueCopy(const BirthdayTable& table) {
    return quillora::SaveRescueCopy(table);
}

std::optional<std::string> ListFilesOnDisk::ReadDataFile(std::string_view name) {
    const auto base = AppDataBase();
    if (!base) return std::nullopt;
    return ReadWholeFile(DataDirFrom(*base) + std::string(name));
}

bool ListFilesOnDisk::WriteDataFile(std::string_view name, std::string_view bytes) {
    const auto base = AppDataBase();
    return base && SaveWholeFile(DataDirFrom(*base) + std::string(name), bytes);
}

void ListFilesOnDisk::Pause(int millis) {
    Sleep(static_cast<DWORD>(millis));
}

}  // namespace quillora
