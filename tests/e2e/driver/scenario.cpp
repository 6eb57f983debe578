// Scenarios: fresh per-user folders, the shell folders pointed at them, and
// the program started inside them.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "driver.h"

#ifndef QUILLORA_E2E_INSTALL_DIR
#error "QUILLORA_E2E_INSTALL_DIR must name the build's installation folder (a Windows path)"
#endif

namespace quillora::e2e {
namespace {

constexpr const char* ScenariosRoot = "C:\\quillora-e2e";
constexpr const char* UserShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr Millis KillTimeout{5000};

std::string FolderNameFrom(std::string_view name) {
    std::string folder(name);
    for (char& c : folder) {
        if (std::strchr("\\/:*?\"<>|", c) != nullptr || static_cast<unsigned char>(c) < 0x20) c = '_';
    }
    return folder;
}

bool SameVariableName(std::string_view entry, std::string_view name) {
    return entry.size() > name.size() && entry[name.size()] == '=' &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, entry.data(), static_cast<int>(name.size()),
                          name.data(), static_cast<int>(name.size())) == CSTR_EQUAL;
}

// The test process's environment with APPDATA replaced (or left out), as an
// environment block: sorted entries, each ended by a zero, and one more zero.
std::string EnvironmentWithAppData(const std::optional<std::string>& appData) {
    std::vector<std::string> entries;
    if (char* block = GetEnvironmentStringsA()) {
        for (const char* entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
            if (!SameVariableName(entry, "APPDATA")) entries.emplace_back(entry);
        }
        FreeEnvironmentStringsA(block);
    }
    if (appData) entries.push_back("APPDATA=" + *appData);  // may be empty
    std::sort(entries.begin(), entries.end(),
              [](const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) < 0; });
    std::string result;
    for (const std::string& entry : entries)
        result.append(entry).push_back('\0');
    result.push_back('\0');
    return result;
}

// `environment` empty: the test process's own. A process that could not be
// made is made once more, and the error output says so.
Program StartWith(const std::string& path, const std::string& workingFolder, std::string environment) {
    auto start = [=]() mutable {
        std::string commandLine = "\"" + path + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            environment.empty() ? nullptr : environment.data(), workingFolder.c_str(),
                            &startup, &process)) {
            return Program(GetLastError());
        }
        CloseHandle(process.hThread);
        return Program(UniqueKernelHandle(process.hProcess), process.dwProcessId);
    };
    Program program = start();
    if (!program.Started()) {
        std::fprintf(stderr, "[driver] %s could not be made (%s); starting it once more\n", path.c_str(),
                     program.Describe().c_str());
        program = start();
    }
    program.SetStarter(start);
    return program;
}

}  // namespace

const std::string& InstalledProgramFolder() {
    static const std::string folder = QUILLORA_E2E_INSTALL_DIR;
    return folder;
}

std::string InstalledProgramPath() {
    return InstalledProgramFolder() + "\\Quillora.exe";
}

Templates InstalledTemplates() {
    return Templates{ReadBytes(InstalledProgramFolder() + "\\data\\config.txt"),
                     ReadBytes(InstalledProgramFolder() + "\\data\\list.txt")};
}

// ---------------------------------------------------------------------------

ShellFolderRedirect::ShellFolderRedirect(const std::string& documents, const std::string& startup,
                                         const std::string& appData) {
    HKEY opened = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, UserShellFolders, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                    nullptr, &opened, nullptr);
    const UniqueRegistryKey key(opened);
    if (!key) return;
    const std::pair<const char*, const std::string*> values[] = {
        {"Personal", &documents}, {"StartUp", &startup}, {"AppData", &appData}};
    for (const auto& [name, path] : values) {
        if (path->empty()) continue;
        Saved saved{name, false, 0, {}};
        DWORD size = 0;
        if (RegQueryValueExA(key.Get(), name, nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
            saved.data.resize(size);
            saved.existed =
                RegQueryValueExA(key.Get(), name, nullptr, &saved.type,
                                 reinterpret_cast<BYTE*>(saved.data.data()), &size) == ERROR_SUCCESS;
            saved.data.resize(size);
        }
        saved_.push_back(saved);
        RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(path->c_str()),
                       static_cast<DWORD>(path->size() + 1));
    }
}

ShellFolderRedirect::~ShellFolderRedirect() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, UserShellFolders, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
        return;
    const UniqueRegistryKey key(opened);
    for (const Saved& saved : saved_) {
        if (saved.existed) {
            RegSetValueExA(key.Get(), saved.name.c_str(), 0, saved.type,
                           reinterpret_cast<const BYTE*>(saved.data.data()),
                           static_cast<DWORD>(saved.data.size()));
        } else {
            RegDeleteValueA(key.Get(), saved.name.c_str());
        }
    }
}

// ---------------------------------------------------------------------------

EnvironmentOverride::EnvironmentOverride(std::string name, const std::string& value)
    : name_(std::move(name)) {
    const DWORD size = GetEnvironmentVariableA(name_.c_str(), nullptr, 0);
    if (size > 0) {
        previous_.emplace(size, '\0');
        previous_->resize(GetEnvironmentVariableA(name_.c_str(), previous_->data(), size));
    }
    SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

EnvironmentOverride::~EnvironmentOverride() {
    SetEnvironmentVariableA(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

Scenario::Scenario(std::string_view name)
    : root_(std::string(ScenariosRoot) + "\\" + FolderNameFrom(name)),
      appData_(root_ + "\\AppData"),
      documents_(root_ + "\\Documents"),
      startup_(root_ + "\\Startup") {
    // What an earlier run left is removed first; what this run leaves stays
    // for a look after a failure.
    DeleteTree(root_);
    MakeFolders(appData_);
    MakeFolders(documents_);
    MakeFolders(startup_);
    redirect_.emplace(documents_, startup_, appData_);
}

void Scenario::GiveSettings(std::string_view bytes) const {
    WriteBytes(SettingsFile(), bytes);
}

void Scenario::GiveList(std::string_view bytes) const {
    WriteBytes(ListFile(), bytes);
}

std::string Scenario::MakeWorkingFolder(std::string_view name, const Templates& templates) const {
    const std::string folder = root_ + "\\" + FolderNameFrom(name);
    MakeFolders(folder);
    if (templates.config) WriteBytes(folder + "\\data\\config.txt", *templates.config);
    if (templates.list) WriteBytes(folder + "\\data\\list.txt", *templates.list);
    return folder;
}

Program Scenario::Launch(const LaunchOptions& options) const {
    const std::string workingFolder =
        options.workingFolder.empty() ? InstalledProgramFolder() : options.workingFolder;
    std::optional<std::string> appData = options.appData;
    if (appData && appData->empty()) appData = appData_;
    if (options.emptyAppData) appData = std::string();
    const std::string program = options.program.empty() ? InstalledProgramPath() : options.program;
    return StartWith(program, workingFolder, EnvironmentWithAppData(appData));
}

Program StartProcess(const std::string& path, const std::string& workingFolder) {
    return StartWith(path, workingFolder, {});
}

bool EndWineSession() {
    std::string system(MAX_PATH, '\0');
    system.resize(GetSystemDirectoryA(system.data(), MAX_PATH));
    std::string commandLine = "\"" + system + "\\wineboot.exe\" --end-session --shutdown";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    const UniqueKernelHandle wineboot(process.hProcess);
    return WaitForSingleObject(wineboot.Get(), static_cast<DWORD>(DefaultTimeout.count())) == WAIT_OBJECT_0;
}

std::string OwnFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of('\\'));
}

// ---------------------------------------------------------------------------

Program::~Program() {
    Kill();
}

bool Program::Running() const {
    return process_.Valid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::WaitForExit(Millis timeout) const {
    if (!process_) return std::nullopt;
    if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.Get(), &code)) return std::nullopt;
    return code;
}

HWND Program::FindWindowTitled(std::string_view title) const {
    return FindTopLevel(processId_, title);
}

bool Program::MadeAnyWindow() const {
    struct Search {
        DWORD processId;
        bool found;
    } search{processId_, false};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            s.found = owner == s.processId;
            return !s.found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WaitForWindow(std::string_view title, Millis timeout) const {
    HWND found = nullptr;
    bool madeWindow = false;
    const auto comes = [&] {
        found = FindTopLevel(processId_, title);
        madeWindow = madeWindow || MadeAnyWindow();
        if (found != nullptr || !Running()) return true;
        const std::vector<HWND> windows = TopLevelWindows(processId_);
        // A dialog that is the window sought (Setup's pages) is waited
        // for until it shows; any other one is a message box.
        return std::any_of(windows.begin(), windows.end(),
                           [&](HWND w) { return ClassNameOf(w) == "#32770" && TitleOf(w) != title; });
    };
    WaitUntil(comes, timeout);
    if (found == nullptr && !madeWindow && starter_) {
        std::fprintf(stderr,
                     "[driver] the program never started (%s, no window in %lld ms); starting it once more\n",
                     Describe().c_str(), static_cast<long long>(timeout.count()));
        if (Running()) {
            TerminateProcess(process_.Get(), 1);
            WaitForSingleObject(process_.Get(), static_cast<DWORD>(KillTimeout.count()));
        }
        Program fresh = std::exchange(starter_, nullptr)();
        process_ = std::move(fresh.process_);
        processId_ = std::exchange(fresh.processId_, 0);
        startError_ = fresh.startError_;
        WaitUntil(comes, timeout);
    }
    // Once a program has made a window it has started; a later wait never
    // starts it again.
    starter_ = nullptr;
    return found;
}

std::optional<MessageBoxView> Program::WaitForMessageBox(Millis timeout) const {
    return e2e::WaitForMessageBox(processId_, timeout);
}

std::string Program::Describe() const {
    if (!process_)
        return "the program could not be started (system error " + std::to_string(startError_) + ")";
    if (!Running()) {
        DWORD code = 0;
        GetExitCodeProcess(process_.Get(), &code);
        return "the program ended with exit code " + std::to_string(code);
    }
    std::string text = "the program runs; its windows:";
    for (HWND window : TopLevelWindows(processId_)) {
        text += " [" + ClassNameOf(window) + " \"" + TitleOf(window) + "\"";
        if (ClassNameOf(window) == "#32770") text += " text \"" + ReadMessageBox(window).text + "\"";
        text += "]";
    }
    return text;
}

void Program::Kill() {
    if (!Running()) return;
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), static_cast<DWORD>(KillTimeout.count()));
}

}  // namespace quillora::e2e
