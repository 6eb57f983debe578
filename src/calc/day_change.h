#pragma once
// When the local day changes next. Windows that show figures counted from
// today (the main list, the reminder) arm one timer for that
// moment instead of looking at the clock now and then.
#include <cstdint>
#include <functional>

#include "storage/calendar.h"

namespace quillora {

// The local wall clock at a moment, as a date value. On Windows it comes from
// the system's time zone rules, so daylight saving is taken into account.
using LocalClockAt = std::function<DateValue(UtcSeconds)>;

// The first moment after `now` that falls on a later local day than `now`
// does: normally the next local midnight; on a day where the clocks jump over
// midnight, the first moment of the new day that exists. Always after `now`
// and at most about two days later, also for a clock that misbehaves.
UtcSeconds NextLocalMidnight(UtcSeconds now, const LocalClockAt& localClockAt);

// The milliseconds a timer armed at `now` waits for the next local day, with a
// second to spare so that it never fires while the old day still shows.
std::int64_t MillisecondsToNextLocalDay(UtcSeconds now, const LocalClockAt& localClockAt);

}  // namespace quillora
