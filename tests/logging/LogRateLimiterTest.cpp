#include "logging/LogRateLimiter.h"

#include <gtest/gtest.h>

#include <chrono>

#include "FakeClock.h"
#include "common/MillisecondClock.h"

namespace {

using TESSARIL_COMMON::MillisecondClock;
using TESSARIL_LOG::LogRateLimiter;

// The clock every rate limit reads: milliseconds since 1970, not the 100 ns ticks it is made from.
TEST(MillisecondClockTest, ReadsTheWallClockInMillisecondsSince1970)
{
    const auto wall = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    };
    const int64_t before = wall();
    const int64_t now = MillisecondClock::Now();
    EXPECT_GE(now, before);
    EXPECT_LE(now, wall());
}

// Each step advances the clock (negative: set back) and calls Allow once.
TEST(LogRateLimiterTest, AllowsOneLinePerTwoSecondsAndRestartsAfterTheClockIsSetBack)
{
    const struct { const char* label; int64_t advance; bool allowed; } steps[] = {
        {"the first call at a site writes", 0, true},
        {"1999 ms later nothing", 1999, false},
        {"2000 ms after the permitted one", 1, true},
        {"at once again nothing", 0, false},
        {"clock set back: the unsigned difference is huge", -10'000, true},
        {"the interval counts from the time after the set-back", 1999, false},
        {"and ends 2000 ms after it", 1, true},
    };
    FakeClock clock(1'000'000);
    LogRateLimiter limiter;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.label);
        clock.Advance(step.advance);
        EXPECT_EQ(limiter.Allow(), step.allowed);
    }
}

}  // namespace
