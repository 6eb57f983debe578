#include "ui/folder_watch_win.h"

#include <memory>

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

LoopWaits WaitsOf(std::span<FolderWatch> watches, HWND window, UINT_PTR settledTimer) {
    // The handles of the watches under way, and the watch of each.
    auto watching = std::make_shared<std::vector<FolderWatch*>>();
    return {[watches, watching] {
                watching->clear();
                std::vector<HANDLE> handles;
                for (FolderWatch& watch : watches) {
                    if (!watch.Handle()) continue;
                    handles.push_back(watch.Handle());
                    watching->push_back(&watch);
                }
                return handles;
            },
            [watching, window, settledTimer](std::size_t signalled) {
                watching->at(signalled)->OnSignalled(window, settledTimer);
            }};
}

}  // namespace quillora
