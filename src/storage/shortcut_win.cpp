#include "storage/shortcut_win.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <optional>

#include "base/scoped_win.h"
#include "storage/folders_win.h"
#include "storage/paths.h"
#include "storage/system_code_page_win.h"
#include "storage/user_data_win.h"

namespace quillora {

namespace {

// The user's Startup folder with one backslash appended; nothing when no
// faithful ANSI path reaches it.
std::optional<std::string> StartupDir() {
    // An unresolvable folder gives just the backslash; the save then fails
    // quietly.
    const std::optional<std::string> folder = ShellFolderPath(CSIDL_STARTUP);
    if (folder && folder->empty()) return std::string("\\");
    return folder;
}

}  // namespace

bool CreateAutostartShortcut(const ShortcutFields& fields) {
    const std::string iconPath = fields.iconPath == "|" ? fields.targetPath : fields.iconPath;
    const std::string workingFolder =
        fields.workingFolder.empty() ? FolderPart(fields.targetPath) : fields.workingFolder;

    const ComInit com;
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.PutVoid()))) {
        return false;
    }
    link->SetPath(fields.targetPath.c_str());
    link->SetArguments(fields.arguments.c_str());
    link->SetWorkingDirectory(workingFolder.c_str());
    link->SetDescription(fields.description.c_str());
    link->SetShowCmd(fields.showCommand);
    link->SetHotkey(static_cast<WORD>(fields.hotKey));
    link->SetIconLocation(iconPath.c_str(), fields.iconIndex);

    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return false;
    // The buffer is sized from the path, so a long Startup folder still fits.
    return SUCCEEDED(file->Save(WideFrom(CP_ACP, fields.shortcutPath).c_str(), TRUE));
}

bool StartupShortcut::RemovedByUninstall() const {
    return RegGetValueA(HKEY_CURRENT_USER, AutostartRemovedKey, AutostartRemovedValue, RRF_RT_ANY, nullptr,
                        nullptr, nullptr) == ERROR_SUCCESS;
}

bool StartupShortcut::WriteShortcut() {
    // A Startup folder or a working folder that no faithful path reaches
    // gets no shortcut under another name.
    const std::optional<std::string> startupDir = StartupDir();
    const std::string dataDir = InstallDataDir();
    if (!startupDir || dataDir.empty()) return false;
    ShortcutFields shortcut;
    shortcut.targetPath = dataDir + std::string(ReminderFileName);
    shortcut.shortcutPath = *startupDir + std::string(AutostartShortcutName);
    shortcut.showCommand = SW_SHOWNORMAL;
    return CreateAutostartShortcut(shortcut);
}

void StartupShortcut::ForgetRemoval() {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, AutostartRemovedKey, AutostartRemovedValue);
    // The uninstaller made the key for the mark alone.
    SHDeleteEmptyKeyA(HKEY_CURRENT_USER, AutostartRemovedKey);
}

}  // namespace quillora
