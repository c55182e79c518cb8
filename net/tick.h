#pragma once

#include <cstdint>
#include <functional>

namespace vkr {

// The system tick count: milliseconds of a monotonic clock, truncated to 32 bits, so that it
// wraps past 4294967295 back to 0 (after about 49.7 days) like the tick count the ping is
// measured with.
uint32_t GetTickCount();

// The tick at which something happened ageNs nanoseconds before now, on the same base as
// GetTickCount (a datagram's kernel receive time, for instance).
uint32_t tickAgo(int64_t ageNs);

// Replaces the clock behind the ticks with one that returns nanoseconds; an empty function
// restores CLOCK_MONOTONIC. For tests.
void setTickClock(std::function<int64_t()> nanoseconds);

} // namespace vkr
