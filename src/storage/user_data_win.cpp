#include "storage/user_data_win.h"

#include <windows.h>
#include <shlobj.h>

#include "storage/files_win.h"
#include "storage/folders_win.h"
#include "storage/paths.h"

namespace quillora {

std::string AppDataBase() {
    const DWORD needed = GetEnvironmentVariableA("APPDATA", nullptr, 0);
    if (needed == 0) return {};
    std::string value(needed, '\0');
    const DWORD length = GetEnvironmentVariableA("APPDATA", value.data(), needed);
    value.resize(length < needed ? length : 0);
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

std::string SettingsFilePath() {
    return DataDirFrom(AppDataBase()) + std::string(SettingsFileName);
}
std::string ListFilePath() {
    return ListDirFrom(DocumentsBase()) + std::string(ListFileName);
}
std::string InstallDataDir() {
    return InstallDataDirFrom(CurrentDirectory());
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

bool LoadList(BirthdayTable& table) {
    const auto bytes = ReadWholeFile(ListFilePath());
    if (!bytes) return false;
    table = ParseList(*bytes);
    return true;
}

bool SaveList(const BirthdayTable& table) {
    const std::string path = ListFilePath();
    return SaveWholeFile(path, ListToBytes(table), path + ".bak");
}

}  // namespace quillora
