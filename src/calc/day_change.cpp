#include "calc/day_change.h"

namespace quillora {
namespace {

// Two days and an hour: past the next local day whatever the time zone does
// on the way (a day lasts 23 to 25 hours, or 47 where a day is skipped).
constexpr UtcSeconds SearchSpan = 2 * SecondsPerDay + 3600;

std::int64_t LocalDayNumber(DateValue local) {
    return local < 0 ? -1 : local / SecondsPerDay;
}

}  // namespace

UtcSeconds NextLocalMidnight(UtcSeconds now, const LocalClockAt& localClockAt) {
    const std::int64_t today = LocalDayNumber(localClockAt(now));
    const auto isLaterDay = [&](UtcSeconds moment) { return LocalDayNumber(localClockAt(moment)) > today; };
    // First guess: as many seconds as the wall clock has left today; exact on
    // every day without a clock change.
    const DateValue local = localClockAt(now);
    UtcSeconds guess = now + (local < 0 ? SecondsPerDay : SecondsPerDay - local % SecondsPerDay);
    if (isLaterDay(guess) && !isLaterDay(guess - 1)) return guess;
    // A day with a clock change: find the first second of the later day by
    // halving the span. `low` is never on a later day, `high` always is.
    UtcSeconds low = now;
    UtcSeconds high = now + SearchSpan;
    if (!isLaterDay(high)) return high;
    while (high - low > 1) {
        const UtcSeconds middle = low + (high - low) / 2;
        (isLaterDay(middle) ? high : low) = middle;
    }
    return high;
}

std::int64_t MillisecondsToNextLocalDay(UtcSeconds now, const LocalClockAt& localClockAt) {
    return (NextLocalMidnight(now, localClockAt) - now + 1) * 1000;
}

}  // namespace quillora
