// A test-only DLL that stays in the program it is loaded into and moves the
// program's local clock by whole days (see clock_shift.h). The program itself
// carries no test hooks: its import of GetLocalTime is replaced from here.
#include <windows.h>

#include "clock_shift.h"
#include "import_patch.h"

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

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    const std::string name = quillora::test::ClockShiftMappingName(GetCurrentProcessId());
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
    if (!mapping) return FALSE;
    // The view stays for the life of the program: the DLL stays too.
    shift = static_cast<quillora::test::ClockShift*>(
        MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(quillora::test::ClockShift)));
    if (!shift) return FALSE;
    realGetLocalTime = reinterpret_cast<GetLocalTimeFunction>(
        quillora::test::ReplaceImport("GetLocalTime", reinterpret_cast<void*>(&ShiftedLocalTime)));
    if (!realGetLocalTime) return FALSE;
    shift->installed = 1;
    return TRUE;
}
