#pragma once
// Watching a folder for files made, renamed, written or resized in it, for
// both programs: the loop waits for the watch's handle beside the messages,
// and the window hears of the change once it has settled, so that a file
// another program writes in several steps (a save through a temporary file,
// a sync client's download) is looked at once, after its writer is done.
#include <windows.h>

#include <span>
#include <string>

#include "base/scoped_win.h"
#include "ui/message_loop_win.h"

namespace quillora {

class FolderWatch {
public:
    // How long a folder must stay quiet before the window hears of it.
    static constexpr UINT SettleMillis = 300;

    // Watches `folder` from now on, unless it is watched already; a folder
    // that does not exist (yet) is not watched.
    void Watch(const std::string& folder);
    // What the loop waits for; null while nothing is watched.
    [[nodiscard]] HANDLE Handle() const { return handle_ ? handle_.Get() : nullptr; }
    // For the loop, when the handle was signalled: waits for the next change
    // and (re)starts `window`'s timer `settledTimer`. A folder that went
    // away is watched again by the next Watch.
    void OnSignalled(HWND window, UINT_PTR settledTimer);

private:
    std::string folder_;
    UniqueChangeNotification handle_;
};

// What the message loop waits for beside the messages to hear of `watches`'
// changes: a signalled watch (re)starts `window`'s timer `settledTimer`.
LoopWaits WaitsOf(std::span<FolderWatch> watches, HWND window, UINT_PTR settledTimer);

}  // namespace quillora
