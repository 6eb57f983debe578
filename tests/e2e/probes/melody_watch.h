#pragma once
// Watching the reminder's melody from a test: a DLL loaded into the running
// reminder puts its own function in its import of PlaySoundA, which counts
// the sounds started into a shared memory block named after the process.
#include <windows.h>

#include <string>

namespace quillora::test {

struct MelodyWatch {
    volatile LONG installed = 0;  // set by the DLL once the import is replaced
    volatile LONG plays = 0;      // sounds started since
    char lastSound[MAX_PATH] = {};
};

inline std::string MelodyWatchMappingName(DWORD processId) {
    return "Local\\QuilloraMelodyWatch-" + std::to_string(processId);
}

}  // namespace quillora::test
