// The second yardstick for Quillora's start-up: a bare program that builds
// the same controls as Quillora's main window and does the same outside
// work, with none of the program's own code. A window of 600 x 500 with a
// menu bar, an outlined frame, three push buttons and a tab strip with
// thirteen tabs, each a page holding a report list view of seven columns;
// COM and the two shell-folder look-ups (Documents and Startup) made at
// start; the first list filled with 102 rows of seven cells, drawing
// suspended meanwhile. It ends with exit code 0 when its window is closed.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "yardstick_window.h"

namespace {

using yardstick::ClientHeight;
using yardstick::ClientWidth;
constexpr int Tabs = 13;
constexpr int Columns = 7;
constexpr int Rows = 102;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string FolderPath(int csidl) {
    LPITEMIDLIST list = nullptr;
    char path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) && list) {
        SHGetPathFromIDListA(list, path);
        CoTaskMemFree(list);
    }
    return path;
}

HMENU MenuBar() {
    HMENU bar = CreateMenu();
    const char* menus[] = {"Program", "Settings", "?"};
    for (const char* name : menus) {
        HMENU popup = CreatePopupMenu();
        for (int item = 0; item < 5; ++item)
            AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(item + 1), "Item");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
    }
    return bar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const HRESULT com = CoInitialize(nullptr);
    const std::string documents = FolderPath(CSIDL_PERSONAL);
    const std::string startup = FolderPath(CSIDL_STARTUP);

    HWND window =
        yardstick::CreateMainWindow(instance, "SameControlsWindow", "SAME CONTROLS", WindowProcedure);
    if (!window) return 1;
    yardstick::Child(window, "STATIC", "", SS_OWNERDRAW, WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT, 5, 5, 590,
                     435);
    const char* buttons[] = {"ADD ENTRY", "EDIT ENTRY", "DELETE ENTRY"};
    for (int button = 0; button < 3; ++button)
        yardstick::Child(window, "BUTTON", buttons[button], WS_TABSTOP | BS_PUSHBUTTON, 0, 15 + 225 * button,
                         445, 120, 30);
    HWND tabs = yardstick::Child(window, WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPCHILDREN,
                                 WS_EX_CONTROLPARENT, 15, 15, 571, 415);
    TabCtrl_SetMinTabWidth(tabs, 16);
    HWND firstList = nullptr;
    for (int tab = 0; tab < Tabs; ++tab) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("Tab");
        SendMessageA(tabs, TCM_INSERTITEMA, tab, reinterpret_cast<LPARAM>(&item));
        RECT area{};
        GetClientRect(tabs, &area);
        TabCtrl_AdjustRect(tabs, FALSE, &area);
        HWND page =
            CreateWindowExA(WS_EX_CONTROLPARENT, "STATIC", "",
                            WS_CHILD | WS_CLIPCHILDREN | (tab == 0 ? WS_VISIBLE : 0), area.left, area.top,
                            area.right - area.left, area.bottom - area.top, tabs, nullptr, instance, nullptr);
        HWND list = yardstick::Child(page, WC_LISTVIEWA, "",
                                     WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                     WS_EX_CLIENTEDGE, 6, 10, 551, 370);
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        for (int column = 0; column < Columns; ++column) {
            LVCOLUMNA layout{};
            layout.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
            layout.cx = column == 0 ? 177 : 60;
            layout.pszText = const_cast<char*>("TITLE");
            layout.iSubItem = column;
            SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&layout));
        }
        if (tab == 0) firstList = list;
    }
    SetMenu(window, MenuBar());

    SendMessageA(firstList, WM_SETREDRAW, FALSE, 0);
    for (int row = 0; row < Rows; ++row) {
        const std::string name = "Person number " + std::to_string(row);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(name.c_str());
        const int index =
            static_cast<int>(SendMessageA(firstList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int column = 1; column < Columns; ++column) {
            const std::string text = std::to_string(row + column);
            LVITEMA cell{};
            cell.iSubItem = column;
            cell.pszText = const_cast<char*>(text.c_str());
            SendMessageA(firstList, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(firstList, WM_SETREDRAW, TRUE, 0);

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return documents.empty() && startup.empty() ? 2 : 0;
}
