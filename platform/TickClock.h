#pragma once

#include <cstdint>

// Whether `interval` milliseconds passed from `since` to `now`, two readings of a 32-bit
// millisecond clock (GetTickCount, which Windows XP has). The clock wraps to 0 every 49.7
// days; the unsigned difference is still the time between the readings.
inline bool TickIntervalPassed(uint32_t now, uint32_t since, uint32_t interval) {
    return static_cast<uint32_t>(now - since) >= interval;
}
