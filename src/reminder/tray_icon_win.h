#pragma once
// The reminder's icon in the notification area: added with the program's
// icon and a tooltip, changed, and taken away again when its owner goes.
#include <windows.h>
#include <shellapi.h>

#include <string_view>

namespace quillora {

class TrayIcon {
public:
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { Remove(); }

    // Adds the icon for `window`, which then receives `callbackMessage`;
    // called again after Explorer restarted, it puts the icon back.
    bool Add(HWND window, UINT callbackMessage, HICON icon, std::string_view tip);
    void SetTip(std::string_view tip);
    // A notification from the icon (Windows 10 and 11 show it as a toast).
    void ShowBalloon(std::string_view title, std::string_view text);
    void Remove();

    // Whether the shell sends the newer events: WM_CONTEXTMENU for a right
    // click or the menu key, NIN_KEYSELECT for Enter.
    [[nodiscard]] bool SendsContextMenu() const { return version4_; }

private:
    NOTIFYICONDATAA data_{};
    bool added_ = false;
    bool version4_ = false;
};

}  // namespace quillora
