#pragma once
// The top-level window every yardstick program starts with: the main
// window's client size and style, centred, of a class of its own. Header
// only, so that each yardstick stays a bare program of one file.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace yardstick {

inline constexpr int ClientWidth = 600;
inline constexpr int ClientHeight = 500;
inline constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The window procedure of a yardstick's window: the program ends with it.
inline LRESULT CALLBACK QuitOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The rows of a text file: one row a line, cells separated by tabs; none
// when the file cannot be read.
inline std::vector<std::vector<std::string>> ReadRows(const char* path) {
    std::string bytes;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        bytes.resize(GetFileSize(file, nullptr));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
        bytes.resize(got);
        CloseHandle(file);
    }
    std::vector<std::vector<std::string>> rows;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        std::vector<std::string>& row = rows.emplace_back();
        for (std::size_t cell = at; cell <= end;) {
            const std::size_t tab = std::min(bytes.find('\t', cell), end);
            row.push_back(bytes.substr(cell, tab - cell));
            cell = tab + 1;
        }
        at = end + 1;
    }
    return rows;
}

// Null when the class or the window could not be made.
inline HWND CreateMainWindow(HINSTANCE instance, const char* className, const char* title,
                             WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassExA(&windowClass)) return nullptr;
    RECT outer{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&outer, WindowStyle, FALSE, 0);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    return CreateWindowExA(0, className, title, WindowStyle, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                           instance, nullptr);
}

// A control of the yardstick's window in the system's GUI font.
inline HWND Child(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, int x,
                  int y, int width, int height) {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

// The seven columns of the program's lists.
inline constexpr int ListColumns = 7;
inline void AddListColumns(HWND list) {
    constexpr int Widths[ListColumns] = {177, 60, 60, 60, 60, 70, 60};
    constexpr const char* Titles[ListColumns] = {"NAME", "DAY",       "MONTH", "YEAR",
                                                 "AGE",  "DAYS LEFT", "REMIND"};
    for (int column = 0; column < ListColumns; ++column) {
        LVCOLUMNA layout{};
        layout.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        layout.cx = Widths[column];
        layout.pszText = const_cast<char*>(Titles[column]);
        layout.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&layout));
    }
}

// Fills a report list view with the rows' texts (at most the seven cells
// of a row), with drawing suspended meanwhile as the program does.
inline void FillList(HWND list, const std::vector<std::vector<std::string>>& rows) {
    constexpr auto columns = static_cast<std::size_t>(ListColumns);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<char*>(rows[row][0].c_str());
        const int index =
            static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (std::size_t column = 1; column < rows[row].size() && column < columns; ++column) {
            LVITEMA cell{};
            cell.iSubItem = static_cast<int>(column);
            cell.pszText = const_cast<char*>(rows[row][column].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

// The message loop, until the window is closed.
inline void RunMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace yardstick
