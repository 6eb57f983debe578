#include "menu_marks.h"

#include <cstring>

#include "driver.h"

namespace quillora::test {

std::optional<MenuMarks> ReadMenuMarks(HANDLE process, const std::string& probePath) {
    const std::string name = MenuMarksMappingName(GetProcessId(process));
    HANDLE mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(MenuMarks), name.c_str());
    if (!mapping) return std::nullopt;
    std::optional<MenuMarks> result;
    auto* shared =
        static_cast<MenuMarks*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(MenuMarks)));
    void* remotePath =
        VirtualAllocEx(process, nullptr, probePath.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (shared && remotePath &&
        WriteProcessMemory(process, remotePath, probePath.c_str(), probePath.size() + 1, nullptr)) {
        *shared = MenuMarks{};
        auto* loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
        HANDLE thread = CreateRemoteThread(process, nullptr, 0, loadLibrary, remotePath, 0, nullptr);
        if (thread) {
            WaitForSingleObject(thread, 10000);
            CloseHandle(thread);
            if (shared->read) result = *shared;
        }
    }
    if (remotePath) VirtualFreeEx(process, remotePath, 0, MEM_RELEASE);
    if (shared) UnmapViewOfFile(shared);
    CloseHandle(mapping);
    return result;
}

std::optional<MenuMarks> ReadMenuMarksWhenIdle(DWORD processId) {
    const UniqueKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
    if (!process.Valid()) return std::nullopt;
    WaitForInputIdle(process.Get(), 5000);
    std::optional<MenuMarks> marks;
    e2e::WaitUntil(
        [&] {
            marks = ReadMenuMarks(process.Get(), e2e::OwnFolder() + "\\quillora_menu_probe.dll");
            return marks.has_value();
        },
        e2e::Millis{5000});
    return marks;
}

}  // namespace quillora::test
