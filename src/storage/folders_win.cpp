#include "storage/folders_win.h"

#include <windows.h>
#include <shlobj.h>

#include "base/scoped_win.h"
#include "storage/paths.h"

namespace quillora {

std::string ShellFolderPath(int csidl) {
    LPITEMIDLIST rawList = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &rawList))) return {};
    UniqueCoTaskMem itemList(rawList);
    // The ANSI call takes no buffer size; it writes at most MAX_PATH bytes.
    std::string path(MAX_PATH + 1, '\0');
    if (!SHGetPathFromIDListA(rawList, path.data())) return {};
    path.resize(path.find('\0'));
    return WithTrailingBackslash(std::move(path));
}

namespace {

bool FolderHoldsEntry(const std::string& folder, const std::string& name) {
    WIN32_FIND_DATAA entry{};
    UniqueFind listing(FindFirstFileA(JoinPath(folder, "*.*").c_str(), &entry));
    if (!listing) return false;
    do {
        if (SameEntryName(entry.cFileName, name)) return true;
    } while (FindNextFileA(listing.Get(), &entry));
    return false;
}

}  // namespace

bool EnsureFolder(const std::string& parent, const std::string& name) {
    if (FolderHoldsEntry(parent, name)) return true;
    return CreateDirectoryA(JoinPath(parent, name).c_str(), nullptr) != FALSE;
}

bool EnsureTemplateCopy(const std::string& folder, const std::string& fileName,
                        const std::string& templatePath) {
    if (FolderHoldsEntry(folder, fileName)) return true;
    const std::string destination = folder + "\\" + fileName;
    return CopyFileA(templatePath.c_str(), destination.c_str(), /*bFailIfExists=*/TRUE) != FALSE;
}

}  // namespace quillora
