#include "storage/folders_win.h"

#include <windows.h>
#include <shlobj.h>

#include "base/scoped_win.h"
#include "storage/ansi_path.h"
#include "storage/paths.h"
#include "storage/system_code_page_win.h"

namespace quillora {

std::string Utf8FromWide(std::wstring_view text) {
    return NarrowTo(CP_UTF8, text);
}

std::wstring WideFromUtf8(std::string_view text) {
    return WideFrom(CP_UTF8, text);
}

namespace {

// Only items that exist have a short form.
std::optional<std::string> ShortForm(const std::string& utf8Path) {
    const std::wstring path = WideFromUtf8(utf8Path);
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed) return std::nullopt;
    shortPath.resize(length);
    return Utf8FromWide(shortPath);
}

}  // namespace

std::optional<std::string> AnsiPathOf(const std::wstring& path) {
    // "C:\" keeps its backslash; any other folder is converted without it.
    const bool trailing = path.size() > 3 && path.back() == L'\\';
    const std::wstring item = trailing ? path.substr(0, path.size() - 1) : path;
    const SystemCodePage codePage;
    auto ansi = FaithfulAnsiPath(Utf8FromWide(item), codePage, ShortForm);
    if (ansi && trailing) *ansi += '\\';
    return ansi;
}

std::wstring ShellFolderPathWide(int csidl) {
    // The path straight from the shell. The folder's item list
    // (SHGetSpecialFolderLocation, then its path) names the same folder, but
    // sets up the shell's folder objects first: half a MiB and a millisecond
    // or two of every start under Wine.
    std::wstring path(MAX_PATH + 1, L'\0');
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path.data()))) return {};
    path.resize(path.find(L'\0'));
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    return path;
}

std::optional<std::string> ShellFolderPath(int csidl) {
    return AnsiPathOf(ShellFolderPathWide(csidl));
}

void ShowUnreachablePath(HWND owner, const std::wstring& path) {
    const std::wstring text = WideFromUtf8(UnreachablePathText(Utf8FromWide(path)));
    MessageBoxW(owner, text.c_str(), L"ERROR", MB_OK | (owner ? MB_APPLMODAL : MB_TASKMODAL));
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
