#include "ui/new_day_win.h"

#include <algorithm>
#include <cstdint>

#include "calc/day_change.h"
#include "storage/calendar.h"

namespace quillora {

void NewDayTimer::Arm(HWND window) const {
    const std::int64_t delay = MillisecondsToNextLocalDay(UtcNow(), LocalClockOfSystem);
    SetTimer(window, id_, static_cast<UINT>(std::clamp<std::int64_t>(delay, 1000, 2 * SecondsPerDay * 1000)),
             nullptr);
}

bool NewDayTimer::TakeNewDay(HWND window, UINT message, WPARAM wParam) const {
    const bool newDay = (message == WM_TIMER && wParam == id_) || message == WM_TIMECHANGE ||
                        // The timer slept too; the day may have changed meanwhile.
                        (message == WM_POWERBROADCAST &&
                         (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND));
    if (newDay) Arm(window);
    return newDay;
}

}  // namespace quillora
