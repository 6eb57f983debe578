#pragma once
// The top-level window every yardstick program starts with: the main
// window's client size and style, centred, of a class of its own. Header
// only, so that each yardstick stays a bare program of one file.
#include <windows.h>

namespace yardstick {

inline constexpr int ClientWidth = 600;
inline constexpr int ClientHeight = 500;
inline constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

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

}  // namespace yardstick
