// A test-only DLL that the end-to-end tests load into the running program to
// read its menu check marks, which Wine does not let another process read.
// It does its work while being attached and then refuses to stay, so every
// load reads afresh and nothing of it remains in the program.
#include <windows.h>

#include "menu_marks.h"

namespace {

// Found by class and title, which sends no message: the program's thread
// may not answer while this runs inside the loader.
HWND FindMainWindow() {
    for (HWND window = nullptr;
         (window = FindWindowExA(nullptr, window, "QuilloraMainWindow", "QUILLORA"));) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId()) return window;
    }
    return nullptr;
}

bool Marked(HMENU menu, UINT command) {
    const UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void ReadProgramMenu(HMENU menu, quillora::test::MenuMarks& marks) {
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count && i < static_cast<int>(marks.program.size()); ++i) {
        auto& item = marks.program[static_cast<std::size_t>(i)];
        item.separator = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
        item.id = static_cast<int>(GetMenuItemID(menu, i));
        GetMenuStringA(menu, static_cast<UINT>(i), item.caption, sizeof item.caption, MF_BYPOSITION);
        marks.programCount = i + 1;
    }
}

void WriteMarks() {
    const std::string name = quillora::test::MenuMarksMappingName(GetCurrentProcessId());
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name.c_str());
    if (!mapping) return;
    auto* marks = static_cast<quillora::test::MenuMarks*>(
        MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(quillora::test::MenuMarks)));
    if (marks) {
        HWND main = FindMainWindow();
        HMENU bar = main ? GetMenu(main) : nullptr;
        if (bar) {
            marks->music = Marked(bar, 16);
            for (int code = 0; code < 9; ++code)
                marks->days[code] = Marked(bar, 5 + code);
            ReadProgramMenu(GetSubMenu(bar, 0), *marks);
            marks->read = true;
        }
        UnmapViewOfFile(marks);
    }
    CloseHandle(mapping);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    WriteMarks();
    return FALSE;  // unloaded at once
}
