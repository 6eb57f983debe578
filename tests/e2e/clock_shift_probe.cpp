// A test-only DLL that stays in the program it is loaded into and moves the
// program's local clock by whole days (see clock_shift.h). The program itself
// carries no test hooks: its import of GetLocalTime is replaced from here.
#include <windows.h>

#include <cstring>

#include "clock_shift.h"

namespace {

using GetLocalTimeFunction = void(WINAPI*)(SYSTEMTIME*);

GetLocalTimeFunction realGetLocalTime = nullptr;
quillora::test::ClockShift* shift = nullptr;

void WINAPI ShiftedLocalTime(SYSTEMTIME* time) {
    realGetLocalTime(time);
    const LONG days = shift ? shift->days : 0;
    FILETIME moment{};
    if (days == 0 || !SystemTimeToFileTime(time, &moment)) return;
    ULARGE_INTEGER ticks{};
    ticks.LowPart = moment.dwLowDateTime;
    ticks.HighPart = moment.dwHighDateTime;
    ticks.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(days) * 864'000'000'000LL);
    moment.dwLowDateTime = ticks.LowPart;
    moment.dwHighDateTime = ticks.HighPart;
    FileTimeToSystemTime(&moment, time);
}

// Replaces the program's import of GetLocalTime; false when it has none.
bool ReplaceImport() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return false;
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         module->Name; ++module) {
        const DWORD namesAt = module->OriginalFirstThunk ? module->OriginalFirstThunk : module->FirstThunk;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + namesAt);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "GetLocalTime") != 0) continue;
            DWORD protection = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection))
                return false;
            realGetLocalTime = reinterpret_cast<GetLocalTimeFunction>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(&ShiftedLocalTime);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    const std::string name = quillora::test::ClockShiftMappingName(GetCurrentProcessId());
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
    if (!mapping) return FALSE;
    // The view stays for the life of the program: the DLL stays too.
    shift = static_cast<quillora::test::ClockShift*>(
        MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(quillora::test::ClockShift)));
    if (!shift || !ReplaceImport()) return FALSE;
    shift->installed = 1;
    return TRUE;
}
