#include "ui/message_loop_win.h"

namespace quillora {
namespace {

bool IsTabKey(const MSG& message) {
    return (message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR) &&
           (message.wParam == VK_TAB || message.wParam == '\t');
}

}  // namespace

bool RunMessageLoop(const std::function<bool()>& finished, const std::function<bool(const MSG&)>& keys,
                    const LoopWaits& waits) {
    MSG message{};
    while (!finished()) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            // Messages first; a handle is looked at when none is waiting.
            const std::vector<HANDLE> handles = waits.handles ? waits.handles() : std::vector<HANDLE>{};
            const auto count = static_cast<DWORD>(handles.size());
            const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT,
                                                            MWMO_INPUTAVAILABLE);
            if (woken == WAIT_FAILED) return false;
            if (woken < WAIT_OBJECT_0 + count) waits.signalled(woken - WAIT_OBJECT_0);
            continue;
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
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
