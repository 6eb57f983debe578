#include "calc/day_change.h"

namespace quillora {

std::int64_t NextLocalMidnight(std::int64_t nowUtc, const LocalClockAt& localClockAt) {
    const CalendarDay today = DayFromDate(localClockAt(nowUtc));
    const auto isToday = [&](std::int64_t utc) { return DayFromDate(localClockAt(utc)) == today; };

    // The wall clock's own midnight is right unless the offset from UTC
    // changes before it.
    const DateValue local = localClockAt(nowUtc);
    const std::int64_t guess = nowUtc + (SecondsPerDay - local % SecondsPerDay);
    if (!isToday(guess) && isToday(guess - 1)) return guess;

    // Otherwise the change lies within two days (no offset moves by a day):
    // halve the interval down to the second.
    std::int64_t sameDay = nowUtc;
    std::int64_t otherDay = nowUtc + 2 * SecondsPerDay;
    while (otherDay - sameDay > 1) {
        const std::int64_t middle = sameDay + (otherDay - sameDay) / 2;
        (isToday(middle) ? sameDay : otherDay) = middle;
    }
    return otherDay;
}

}  // namespace quillora
