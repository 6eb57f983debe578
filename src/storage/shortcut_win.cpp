#include "storage/shortcut_win.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "base/scoped_win.h"
#include "storage/folders_win.h"
#include "storage/paths.h"
#include "storage/system_code_page_win.h"

namespace quillora {

std::optional<std::string> StartupDir() {
    // An unresolvable folder gives just the backslash; the save then fails
    // quietly.
    const std::optional<std::string> folder = ShellFolderPath(CSIDL_STARTUP);
    if (folder && folder->empty()) return std::string("\\");
    return folder;
}

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

bool TakeAutostartRemovedMark() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, AutostartRemovedKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return false;
    }
    UniqueRegistryKey owner(opened);
    HKEY key = owner.Get();
    const bool marked =
        RegQueryValueExA(key, AutostartRemovedValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    if (marked) RegDeleteValueA(key, AutostartRemovedValue);
    DWORD subKeys = 0;
    DWORD values = 0;
    const bool empty = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                                        nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                       subKeys == 0 && values == 0;
    owner.Reset();
    // The uninstaller made the key for the mark alone.
    if (marked && empty) RegDeleteKeyA(HKEY_CURRENT_USER, AutostartRemovedKey);
    return marked;
}

}  // namespace quillora
