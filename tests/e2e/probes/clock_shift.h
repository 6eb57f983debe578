#pragma once
// Moving the program's notion of today from a test: a DLL loaded into the
// running program puts its own function in the program's import of
// GetLocalTime, which adds the days that the test writes into a shared
// memory block named after the program's process.
#include <windows.h>

#include <string>

namespace quillora::test {

struct ClockShift {
    volatile LONG days = 0;       // written by the test, read at each call
    volatile LONG installed = 0;  // set by the DLL once the import is replaced
};

inline std::string ClockShiftMappingName(DWORD processId) {
    return "Local\\QuilloraClockShift-" + std::to_string(processId);
}

}  // namespace quillora::test
