#include "ui/folder_watch_win.h"

namespace quillora {

void FolderWatch::Watch(const std::string& folder) {
    if (handle_ && folder_ == folder) return;
    folder_ = folder;
    constexpr DWORD Changes =
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
    handle_.Reset(FindFirstChangeNotificationA(folder.c_str(), FALSE, Changes));
}

void FolderWatch::OnSignalled(HWND window, UINT_PTR settledTimer) {
    if (!FindNextChangeNotification(handle_.Get())) handle_.Reset();
    SetTimer(window, settledTimer, SettleMillis, nullptr);
}

}  // namespace quillora
