// The one-list yardstick for Quillora's start-up: the least any program that
// shows Quillora's list must do. A window of the main window's client size
// (600 x 500) with a menu bar, a tab strip of one tab and one report list
// view of seven columns, showing the rows of "one-list-rows.txt" in its
// working folder (one row a line, cells separated by tabs: the harness writes
// the very rows Quillora shows), filled with drawing suspended. The same
// common-controls v6 manifest and static runtime as Quillora.exe. It ends
// with exit code 0 when its window is closed.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/startup_profile.h"
#include "yardstick_window.h"

namespace {

using yardstick::ClientHeight;
using yardstick::ClientWidth;

HMENU MenuBar() {
    HMENU bar = CreateMenu();
    const char* menus[] = {"Program", "Settings", "?"};
    for (const char* name : menus) {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, 1, "Item");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
    }
    return bar;
}

HWND Child(HWND parent, const char* className, DWORD style, DWORD exStyle, const RECT& at) {
    HWND control = CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, at.left, at.top,
                                   at.right - at.left, at.bottom - at.top, parent, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The marks of the profiling build, at the steps Quillora marks too.
    quillora::MarkStartupStep("entry");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const auto rows = yardstick::ReadRows("one-list-rows.txt");
    quillora::MarkStartupStep("files");

    HWND window =
        yardstick::CreateMainWindow(instance, "OneListWindow", "ONE LIST", yardstick::QuitOnDestroy);
    if (!window) return 1;
    SetMenu(window, MenuBar());
    HWND tabs = Child(window, WC_TABCONTROLA, WS_CLIPCHILDREN, 0, {15, 15, 586, 430});
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>("ALL");
    SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    RECT area{};
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    HWND list = Child(tabs, WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
                      {area.left + 6, area.top + 10, area.left + 557, area.top + 380});
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    yardstick::AddListColumns(list);
    quillora::MarkStartupStep("window");

    yardstick::FillList(list, rows);
    quillora::MarkStartupStep("fill");
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    quillora::MarkStartupStep("shown");
    quillora::WriteStartupProfile();
    yardstick::RunMessageLoop();
    // A run that showed no rows is no yardstick.
    return rows.empty() ? 2 : 0;
}
