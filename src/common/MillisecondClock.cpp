#include "common/MillisecondClock.h"

#include <chrono>

namespace TESSARIL_COMMON {

std::atomic<MillisecondClock::Source> MillisecondClock::source{nullptr};

int64_t MillisecondClock::Now()
{
    const Source installed = source.load(std::memory_order_acquire);
    return installed != nullptr ? installed() : SystemNow();
}

void MillisecondClock::SetSource(Source newSource)
{
    source.store(newSource, std::memory_order_release);
}

int64_t MillisecondClock::SystemNow()
{
    using Ticks = std::chrono::duration<int64_t, std::ratio<1, 10'000'000>>;
    const auto ticks = std::chrono::duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch());
    return ticks.count() / 10000;
}

}  // namespace TESSARIL_COMMON
