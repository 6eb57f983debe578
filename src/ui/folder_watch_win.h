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
    // Watches `folder` from now on, unless it is watched already; a folder
    // that does not exist (yet) is not watched.
    void Watch(const std::string& folder);
    // What the loop waits for; null while nothing is watched.
    [[nodiscard]] HANDLE Handle() const { return handle_ ? handle_.Get() : nullptr; }
    // For the loop, when the handle was signalled: waits for the next change.
    // A folder that went away is watched again by the next Watch.
    void OnSignalled();

private:
    std::string folder_;
    UniqueChangeNotification handle_;
};

// The window timer that tells a window its watched folders have settled:
// every change starts it again, and it stops when it fires. The only place
// that starts or stops it.
class SettleTimer {
public:
    // How long a folder must stay quiet before the window hears of it.
    static constexpr UINT SettleMillis = 300;
    // Looks in a row at a file that is held or half written before the next
    // change is waited for instead.
    static constexpr int LookLimit = 20;

    explicit SettleTimer(UINT_PTR id) : id_(id) {}
    void Attach(HWND window) { window_ = window; }
    // The folder changed, or wants a first look: the window hears of it once
    // it has been quiet for a moment.
    void Restart();
    // For the window's WM_TIMER with this timer's id.
    void Stop();
    // Another look in a moment, at a file that was held or half written, or
    // while the program was busy (`counted` false); false, with no timer,
    // once a file stayed so for LookLimit looks in a row.
    bool LookAgain(bool counted = true);
    // The folder was looked at and has settled: the looks start over.
    void Settled() { looks_ = 0; }

private:
    UINT_PTR id_;
    HWND window_ = nullptr;
    int looks_ = 0;
};

// What the message loop waits for beside the messages to hear of `watches`'
// changes: a signalled watch restarts `settled`.
LoopWaits WaitsOf(std::span<FolderWatch> watches, SettleTimer& settled);

}  // namespace quillora
