#include "logging/LogRateLimiter.h"

#include "common/MillisecondClock.h"

namespace TESSARIL_LOG {

bool LogRateLimiter::Allow()
{
    const auto now = static_cast<uint64_t>(TESSARIL_COMMON::MillisecondClock::Now());
    uint64_t previous = last.load(std::memory_order_relaxed);
    // Unsigned on purpose: a wall clock set back gives a huge difference, so
    // the next call writes and restarts the interval from the new time.
    if (now - previous < interval) {
        return false;
    }
    // Of two threads that both saw the interval pass, only one writes.
    return last.compare_exchange_strong(previous, now, std::memory_order_relaxed);
}

}  // namespace TESSARIL_LOG
