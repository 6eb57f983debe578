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

void FolderWatch::OnSignalled() {
    if (!FindNextChangeNotification(handle_.Get())) handle_.Reset();
}

void SettleTimer::Restart() {
    looks_ = 0;
    if (window_) SetTimer(window_, id_, SettleMillis, nullptr);
}

void SettleTimer::Stop() {
    if (window_) KillTimer(window_, id_);
}

bool SettleTimer::LookAgain(bool counted) {
    if (counted && ++looks_ >= LookLimit) return false;
    if (window_) SetTimer(window_, id_, SettleMillis, nullptr);
    return true;
}

LoopWaits WaitsOf(std::span<FolderWatch> watches, SettleTimer& settled) {
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
            [watching, &settled](std::size_t signalled) {
                watching->at(signalled)->OnSignalled();
                settled.Restart();
            }};
}

}  // namespace quillora
