#include "ui/message_loop_win.h"

namespace quillora {
namespace {

bool IsTabKey(const MSG& message) {
    return (message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR) &&
           (message.wParam == VK_TAB || message.wParam == '\t');
}

}  // namespace

bool RunMessageLoop(const std::function<bool()>& finished, const std::function<bool(const MSG&)>& keys) {
    MSG message{};
    while (!finished()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (got < 0) return false;
        if (keys && message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST && keys(message))
            continue;
        if (IsTabKey(message)) {
            HWND active = GetAncestor(message.hwnd, GA_ROOT);
            if (active && IsDialogMessageA(active, &message)) continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

}  // namespace quillora
