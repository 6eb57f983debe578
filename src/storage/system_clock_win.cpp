// The system's clock: the local time now, UTC now, and the local wall clock
// at a UTC moment.
#include <windows.h>

#include "storage/calendar.h"

namespace quillora {

LocalTime LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {{now.wYear, now.wMonth, now.wDay}, now.wHour, now.wMinute, now.wSecond};
}

namespace {

// FILETIME counts 100 ns steps since 1601; 1970 is this many seconds later.
constexpr std::int64_t SecondsFrom1601To1970 = 11'644'473'600LL;
constexpr std::int64_t TicksPerSecond = 10'000'000LL;

}  // namespace

UtcSeconds UtcNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    return static_cast<std::int64_t>(ticks.QuadPart / TicksPerSecond) - SecondsFrom1601To1970;
}

DateValue LocalClockOfSystem(UtcSeconds moment) {
    ULARGE_INTEGER ticks{};
    ticks.QuadPart = static_cast<ULONGLONG>((moment + SecondsFrom1601To1970) * TicksPerSecond);
    const FILETIME utc{ticks.LowPart, ticks.HighPart};
    SYSTEMTIME utcTime{};
    SYSTEMTIME local{};
    // The rules of the moment itself, so a day with a clock change counts right.
    if (!FileTimeToSystemTime(&utc, &utcTime) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local)) {
        return InvalidDate;
    }
    return MakeDate(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond);
}

}  // namespace quillora
