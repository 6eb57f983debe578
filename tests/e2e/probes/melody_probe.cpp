// A test-only DLL that stays in the reminder it is loaded into and counts
// the sounds it starts (see melody_watch.h), then lets them play.
#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "import_patch.h"
#include "melody_watch.h"

namespace {

using PlaySoundFunction = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);

PlaySoundFunction realPlaySound = nullptr;
quillora::test::MelodyWatch* watch = nullptr;

BOOL WINAPI CountedPlaySound(LPCSTR sound, HMODULE module, DWORD flags) {
    if (sound) {
        std::strncpy(watch->lastSound, sound, sizeof watch->lastSound - 1);
        InterlockedIncrement(&watch->plays);
    }
    return realPlaySound(sound, module, flags);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    const std::string name = quillora::test::MelodyWatchMappingName(GetCurrentProcessId());
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
    if (!mapping) return FALSE;
    // The view stays for the life of the reminder: the DLL stays too.
    watch = static_cast<quillora::test::MelodyWatch*>(
        MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(quillora::test::MelodyWatch)));
    if (!watch) return FALSE;
    realPlaySound = reinterpret_cast<PlaySoundFunction>(
        quillora::test::ReplaceImport("PlaySoundA", reinterpret_cast<void*>(&CountedPlaySound)));
    if (!realPlaySound) return FALSE;
    watch->installed = 1;
    return TRUE;
}
