#include "logging/LogRateLimiter.h"

#include <gtest/gtest.h>

#include <chrono>

#include "FakeClock.h"

namespace {

using TESSARIL_LOG::LogRateLimiter;

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

// Without a test source: the wall clock in milliseconds since 1970.
TEST(MillisecondClockTest, ReadsTheSystemClockInMilliseconds)
{
    using namespace std::chrono;
    EXPECT_LT(abs(milliseconds(TESSARIL_COMMON::MillisecondClock::Now()) - system_clock::now().time_since_epoch()), 1s);
}

}  // namespace
