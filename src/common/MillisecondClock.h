#pragma once

#include <atomic>
#include <cstdint>

namespace TESSARIL_COMMON {

// Wall-clock time in milliseconds since 1970-01-01 UTC: the system clock's
// 100-nanosecond ticks divided by 10000. Rate limits, latency reports and trace
// costs all read it, so tests replace its source to move time without sleeping.
class MillisecondClock {
public:
    using Source = int64_t (*)();

    static int64_t Now();

    // Installs a time source for tests; nullptr goes back to the system clock.
    static void SetSource(Source source);

    static int64_t SystemNow();

private:
    static std::atomic<Source> source;
};

}  // namespace TESSARIL_COMMON
