// Files and folders as exact bytes, shortcuts, and the polling helper.
#include <algorithm>
#include <thread>

#include "driver.h"

#include <objbase.h>
#include <shlobj.h>

namespace quillora::e2e {

bool WaitUntil(const std::function<bool()>& condition, Millis timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(Millis(20));
    }
}

namespace {

std::optional<std::string> ReadAll(const UniqueKernelHandle& file) {
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    return bytes;
}

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

std::optional<std::string> ReadBytes(const std::string& path) {
    return ReadAll(UniqueKernelHandle(CreateFileA(path.c_str(), GENERIC_READ, ShareAll, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
    return ReadAll(UniqueKernelHandle(CreateFileW(path.c_str(), GENERIC_READ, ShareAll, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

bool WriteBytes(const std::string& path, std::string_view bytes) {
    const auto slash = path.find_last_of('\\');
    if (slash != std::string::npos && !MakeFolders(path.substr(0, slash))) return false;
    UniqueKernelHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(file.Get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
    UniqueKernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD wrote = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
           wrote == bytes.size();
}

std::wstring UserShellFolder(int csidl) {
    std::wstring path(MAX_PATH + 1, L'\0');
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path.data()))) return {};
    path.resize(path.find(L'\0'));
    return path;
}

// Read through the shell-link object. The test executable links no COM
// library, so ole32 is reached at run time.
std::optional<ShortcutView> ReadShortcut(const std::wstring& path) {
    static constexpr CLSID ShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    HMODULE ole = LoadLibraryA("ole32.dll");
    if (!ole) return std::nullopt;
    using Initialize = HRESULT(WINAPI*)(void*, DWORD);
    using Uninitialize = void(WINAPI*)();
    using CreateInstance = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
    const auto function = [ole]<typename Function>(const char* name, Function*) {
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(ole, name)));
    };
    const auto initialize = function("CoInitializeEx", Initialize{});
    const auto uninitialize = function("CoUninitialize", Uninitialize{});
    const auto createInstance = function("CoCreateInstance", CreateInstance{});
    if (!initialize || !uninitialize || !createInstance) return std::nullopt;

    std::optional<ShortcutView> view;
    const bool initialised = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(createInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkA),
                                 reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
                const auto text = [](auto&& get) {
                    std::string buffer(32768, '\0');
                    get(buffer.data(), static_cast<int>(buffer.size()));
                    buffer.resize(buffer.find('\0'));
                    return buffer;
                };
                view = ShortcutView{
                    text([&](char* b, int n) { link->GetPath(b, n, nullptr, SLGP_RAWPATH); }),
                    text([&](char* b, int n) { link->GetWorkingDirectory(b, n); }),
                    text([&](char* b, int n) { link->GetArguments(b, n); }),
                };
            }
            file->Release();
        }
        link->Release();
    }
    if (initialised) uninitialize();
    return view;
}

std::optional<ShortcutView> ReadShortcut(const std::string& path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 1)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return ReadShortcut(wide);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeFolders(const std::string& path) {
    if (path.empty() || IsFolder(path)) return true;
    const auto slash = path.find_last_of('\\');
    // "C:" (a drive) has no parent to make.
    if (slash != std::string::npos && slash > 2 && !MakeFolders(path.substr(0, slash))) return false;
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

namespace {

// A folder listing in progress.
class FindScope {
public:
    FindScope(const std::string& pattern, WIN32_FIND_DATAA& entry)
        : find_(FindFirstFileA(pattern.c_str(), &entry)) {}
    ~FindScope() {
        if (Valid()) FindClose(find_);
    }
    FindScope(const FindScope&) = delete;
    FindScope& operator=(const FindScope&) = delete;
    [[nodiscard]] bool Valid() const { return find_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& entry) const { return FindNextFileA(find_, &entry) != 0; }

private:
    HANDLE find_;
};

}  // namespace

std::vector<std::string> FolderEntries(const std::string& path) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    const FindScope find(path + "\\*", entry);
    if (!find.Valid()) return names;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (find.Next(entry));
    std::sort(names.begin(), names.end());
    return names;
}

bool DeleteTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return DeleteFileA(path.c_str()) != 0;
    for (const std::string& name : FolderEntries(path))
        DeleteTree(path + "\\" + name);
    return RemoveDirectoryA(path.c_str()) != 0;
}

FileLock::FileLock(const std::string& path)
    : file_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {}

FileLock::FileLock(const std::string& path, DWORD shareMode)
    : file_(CreateFileA(path.c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                        nullptr)) {}

}  // namespace quillora::e2e
