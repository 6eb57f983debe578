// A test-only DLL that the end-to-end tests load into the running program to
// read its menus and their check marks, which Wine does not let another
// process read.
// It does its work while being attached and then refuses to stay, so every
// load reads afresh and nothing of it remains in the program.
#include <windows.h>

#include <string>

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

void AppendOutline(HMENU menu, int depth, std::string& outline) {
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        const auto position = static_cast<UINT>(i);
        char caption[64] = {};
        GetMenuStringA(menu, position, caption, sizeof caption, MF_BYPOSITION);
        outline.append(static_cast<std::size_t>(depth) * 2, ' ');
        if (HMENU submenu = GetSubMenu(menu, i)) {
            outline.append(caption).append("\n");
            AppendOutline(submenu, depth + 1, outline);
        } else if ((GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR) != 0) {
            outline.append("-\n");
        } else {
            const bool greyed = (GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED) != 0;
            outline.append(std::to_string(GetMenuItemID(menu, i))).append(" ").append(caption);
            outline.append(greyed ? " (greyed)\n" : "\n");
        }
    }
}

template <std::size_t N>
void CopyOutline(HMENU menu, char (&to)[N]) {
    std::string outline;
    AppendOutline(menu, 0, outline);
    outline.copy(to, N - 1);
}

// The open popup menu of this process, asked of its window with a time
// limit: the program's thread answers from the menu's own loop. The limit is
// the driver's for waits that normally end in a moment (ShortWait): on a
// machine busy with other builds 2 s can pass before the program's thread
// gets a processor, and an open menu then read back as none.
HMENU OpenPopupMenu() {
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32768", nullptr));) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window)) continue;
        DWORD_PTR menu = 0;
        if (SendMessageTimeoutA(window, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 10000, &menu)) {
            return reinterpret_cast<HMENU>(menu);
        }
    }
    return nullptr;
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
            CopyOutline(bar, marks->menuBar);
            if (HMENU popup = OpenPopupMenu()) CopyOutline(popup, marks->popup);
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
