#pragma once

#include <atomic>
#include <cstdint>

#include "common/MillisecondClock.h"

// While one exists, the system's millisecond clock reads this value instead of
// the wall clock. Only one may exist at a time.
class FakeClock {
public:
    explicit FakeClock(int64_t start = 1'700'000'000'000)
    {
        now.store(start);
        TESSARIL_COMMON::MillisecondClock::SetSource([] { return now.load(); });
    }
    ~FakeClock() { TESSARIL_COMMON::MillisecondClock::SetSource(nullptr); }

    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    void Set(int64_t milliseconds) { now.store(milliseconds); }
    void Advance(int64_t milliseconds) { now.fetch_add(milliseconds); }
    int64_t Now() const { return now.load(); }

private:
    static inline std::atomic<int64_t> now{0};
};
