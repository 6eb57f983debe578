#include "ui/themed_window_win.h"

namespace quillora {

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

void OnColourChange(HWND window, UINT message, Theme& theme) {
    const bool changed = theme.RefreshColours();
    // Most settings that change are no colours: those repaint nothing.
    if (message == WM_SETTINGCHANGE && !changed) return;
    if (message == WM_SYSCOLORCHANGE) {
        EnumChildWindows(
            window,
            [](HWND child, LPARAM) {
                SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
                return TRUE;
            },
            0);
    }
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
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
