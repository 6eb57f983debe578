#pragma once
// When the local date next changes, so that a program can wake once at the
// start of a new day instead of looking at the clock again and again.
#include <cstdint>
#include <functional>

#include "calc/calendar.h"

namespace quillora {

// The local wall clock (a DateValue) at a moment given as seconds since
// 1970-01-01 00:00:00 UTC. Passed in so that time zones and daylight saving
// can be tried without changing the computer's clock.
using LocalClockAt = std::function<DateValue(std::int64_t utcSeconds)>;

// The first moment (UTC seconds) after `nowUtc` whose local date differs
// from the local date at `nowUtc`. Usually the next local midnight; on a day
// whose clock jumps over midnight or repeats an hour, the moment the date
// really changes.
std::int64_t NextLocalMidnight(std::int64_t nowUtc, const LocalClockAt& localClockAt);

}  // namespace quillora
