// The yardstick for Quillora's start-up time and memory: the least a Win32
// program with a list view does. One top-level window of the main window's
// client size, centred, holding one empty report list view with one column,
// the same common controls (v6 manifest) and the same static runtime.
// It ends with exit code 0 when its window is closed.
#include <windows.h>
#include <commctrl.h>

#include "yardstick_window.h"

namespace {

using yardstick::ClientHeight;
using yardstick::ClientWidth;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    HWND window = yardstick::CreateMainWindow(instance, "MinimalListWindow", "MINIMAL", WindowProcedure);
    if (!window) return 1;
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10,
                                10, ClientWidth - 20, ClientHeight - 20, window, nullptr, instance, nullptr);
    if (!list) return 1;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 200;
    column.pszText = const_cast<char*>("NAME");
    ListView_InsertColumn(list, 0, &column);

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
