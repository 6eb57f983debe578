// The system's clock: the local time now, UTC now, and the local wall clock
// at a UTC moment.
#include <ctime>

#include "storage/calendar.h"

namespace quillora {

LocalTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {
        {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min, local.tm_sec};
}

UtcSeconds UtcNow() {
    return static_cast<UtcSeconds>(std::time(nullptr));
}

DateValue LocalClockOfSystem(UtcSeconds moment) {
    const auto time = static_cast<std::time_t>(moment);
    std::tm local{};
    if (!localtime_r(&time, &local)) return InvalidDate;
    return MakeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                    local.tm_sec);
}

}  // namespace quillora
