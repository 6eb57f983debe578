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
constexpr int Columns = 7;
constexpr int Widths[Columns] = {177, 60, 60, 60, 60, 70, 60};
constexpr const char* Titles[Columns] = {"NAME", "DAY", "MONTH", "YEAR", "AGE", "DAYS LEFT", "REMIND"};

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string ReadFileBytes(const char* path) {
    std::string bytes;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD got = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

std::vector<std::vector<std::string>> Rows(std::string_view bytes) {
    std::vector<std::vector<std::string>> rows;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        std::vector<std::string>& row = rows.emplace_back();
        for (;;) {
            const std::size_t tab = line.find('\t');
            row.emplace_back(line.substr(0, tab));
            if (tab == std::string_view::npos) break;
            line.remove_prefix(tab + 1);
        }
    }
    return rows;
}

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
    const auto rows = Rows(ReadFileBytes("one-list-rows.txt"));
    quillora::MarkStartupStep("files");

    HWND window = yardstick::CreateMainWindow(instance, "OneListWindow", "ONE LIST", WindowProcedure);
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
    for (int column = 0; column < Columns; ++column) {
        LVCOLUMNA layout{};
        layout.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        layout.cx = Widths[column];
        layout.pszText = const_cast<char*>(Titles[column]);
        layout.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&layout));
    }
    quillora::MarkStartupStep("window");

    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<char*>(rows[row][0].c_str());
        const int index =
            static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (std::size_t column = 1; column < rows[row].size() && column < Columns; ++column) {
            LVITEMA cell{};
            cell.iSubItem = static_cast<int>(column);
            cell.pszText = const_cast<char*>(rows[row][column].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    quillora::MarkStartupStep("fill");

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    quillora::MarkStartupStep("shown");
    quillora::WriteStartupProfile();
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // A run that showed no rows is no yardstick.
    return rows.empty() ? 2 : 0;
}
