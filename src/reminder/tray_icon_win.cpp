#include "reminder/tray_icon_win.h"

#include <algorithm>

#include "reminder/reminder_ids.h"

namespace quillora {
namespace {

// Copies as much of `text` as the field holds, always ending it.
template <std::size_t Size>
void CopyInto(char (&field)[Size], std::string_view text) {
    const std::size_t length = std::min(text.size(), Size - 1);
    std::copy_n(text.data(), length, field);
    field[length] = '\0';
}

}  // namespace

bool TrayIcon::Add(HWND window, UINT callbackMessage, HICON icon, std::string_view tip) {
    if (!added_) {
        data_.cbSize = sizeof data_;
        data_.hWnd = window;
        data_.uID = TrayIconId;
        data_.uCallbackMessage = callbackMessage;
        data_.hIcon = icon;
        CopyInto(data_.szTip, tip);
    }
    data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
    if (!added_) return false;
    data_.uVersion = NOTIFYICON_VERSION_4;
    version4_ = Shell_NotifyIconA(NIM_SETVERSION, &data_) != FALSE;
    return true;
}

void TrayIcon::SetTip(std::string_view tip) {
    CopyInto(data_.szTip, tip);
    if (!added_) return;
    data_.uFlags = NIF_TIP;
    Shell_NotifyIconA(NIM_MODIFY, &data_);
}

void TrayIcon::ShowBalloon(std::string_view title, std::string_view text) {
    if (!added_) return;
    data_.uFlags = NIF_INFO;
    CopyInto(data_.szInfoTitle, title);
    CopyInto(data_.szInfo, text);
    data_.dwInfoFlags = NIIF_INFO;
    Shell_NotifyIconA(NIM_MODIFY, &data_);
}

void TrayIcon::Remove() {
    if (!added_) return;
    data_.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &data_);
    added_ = false;
}

}  // namespace quillora
