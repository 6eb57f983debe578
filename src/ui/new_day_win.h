#pragma once
// Both programs' answer to a new day: a timer for the moment the local date
// next changes, armed again whenever the day may have changed otherwise (the
// clock or the time zone was changed, the computer woke up).
#include <windows.h>

namespace quillora {

class NewDayTimer {
public:
    explicit NewDayTimer(UINT_PTR id) : id_(id) {}

    // Arms the window's timer for the next local midnight (a second late
    // rather than early).
    void Arm(HWND window) const;
    // Takes a message that says the day may have changed (the timer, a
    // clock change or a resume): arms the timer again and returns true; the
    // window answers WM_POWERBROADCAST with TRUE and the others with 0. Any
    // other message is left alone (false).
    [[nodiscard]] bool TakeNewDay(HWND window, UINT message, WPARAM wParam) const;

private:
    UINT_PTR id_;
};

}  // namespace quillora
