#include "net/tick.h"

#include <time.h>

#include <utility>

namespace vkr {

namespace {

int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::function<int64_t()>& tickClock() {
    static std::function<int64_t()> clock;
    return clock;
}

int64_t nowNs() {
    const auto& clock = tickClock();
    return clock ? clock() : monotonicNs();
}

// Whole milliseconds, rounded down also before the clock's zero, then taken modulo 2^32.
uint32_t tickOf(int64_t ns) {
    int64_t ms = ns / 1000000;
    if (ns % 1000000 < 0) {
        --ms;
    }
    return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

} // namespace

uint32_t GetTickCount() {
    return tickOf(nowNs());
}

uint32_t tickAgo(int64_t ageNs) {
    return tickOf(nowNs() - ageNs);
}

void setTickClock(std::function<int64_t()> nanoseconds) {
    tickClock() = std::move(nanoseconds);
}

} // namespace vkr
