#include "ui/window_base_win.h"

#include <algorithm>

#include "calc/calendar.h"
#include "calc/day_change.h"

namespace quillora {

RECT CentredWindowRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int width = std::min<int>(outer.right - outer.left, screenWidth);
    const int height = std::min<int>(outer.bottom - outer.top, screenHeight);
    const int left = (screenWidth - width) / 2;
    const int top = (screenHeight - height) / 2;
    return RECT{left, top, left + width, top + height};
}

void RegisterWindowClassOnce(const char* className, WNDPROC procedure, HBRUSH background, HICON icon) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, className, &existing)) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
}

void ArmNextDayTimer(HWND window, UINT_PTR id) {
    const std::int64_t delay = MillisecondsToNextLocalDay(UtcNow(), LocalClockOfSystem);
    SetTimer(window, id, static_cast<UINT>(std::clamp<std::int64_t>(delay, 1000, 2 * SecondsPerDay * 1000)),
             nullptr);
}

int ShowPopupMenuAt(HWND owner, HMENU menu, POINT screen, UINT flags) {
    // The menu closes when the user clicks elsewhere only if its owner is in
    // the foreground, and once it has had a message after the menu.
    SetForegroundWindow(owner);
    const int result = TrackPopupMenu(menu, flags, screen.x, screen.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    return result;
}

HWND ControlLayout::Create(HWND parent, int id, const char* className, const char* text, DWORD style,
                           DWORD exStyle, const Box& at96, FontRole font) {
    const Box box = ScaleForDpi(at96, theme_.Dpi());
    HWND control = CreateWindowExA(
        exStyle, className, text, WS_CHILD | WS_VISIBLE | style, box.x, box.y, box.width, box.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (!control) return nullptr;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(theme_.Font(font)), FALSE);
    placed_.push_back({control, at96, font});
    return control;
}

void ControlLayout::Place(HWND control, const Box& at96, FontRole font) {
    if (!control) return;
    bool known = false;
    for (Placed& placed : placed_) {
        if (placed.control != control) continue;
        placed = {control, at96, font};
        known = true;
    }
    if (!known) placed_.push_back({control, at96, font});
    const Box box = ScaleForDpi(at96, theme_.Dpi());
    MoveWindow(control, box.x, box.y, box.width, box.height, FALSE);
}

void ControlLayout::Apply(const Theme& theme) const {
    for (const Placed& placed : placed_) {
        const Box box = ScaleForDpi(placed.at96, theme.Dpi());
        SendMessageA(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(theme.Font(placed.font)), FALSE);
        SetWindowPos(placed.control, nullptr, box.x, box.y, box.width, box.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ApplyDpiChange(HWND window, WPARAM wParam, LPARAM lParam, Theme& theme, const ControlLayout& layout) {
    Theme next(HIWORD(wParam));
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layout.Apply(next);
    theme = std::move(next);
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace quillora
