#include "logging/LogRateLimiter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "FakeClock.h"

namespace {

using TESSARIL_LOG::LogRateLimiter;

struct ClockStep {
    const char* label;
    int64_t advance;  // milliseconds since the previous call, may be negative
    bool allowed;
};

TEST(LogRateLimiterTest, AllowsOneLinePerTwoSeconds)
{
    const ClockStep steps[] = {
        {"the first call at a site writes", 0, true},
        {"1999 ms later nothing", 1999, false},
        {"2000 ms after the permitted one", 1, true},
        {"at once again nothing", 0, false},
        {"4000 ms later", 4000, true},
    };
    FakeClock clock;
    LogRateLimiter limiter;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.label);
        clock.Advance(step.advance);
        EXPECT_EQ(limiter.Allow(), step.allowed);
    }
}

TEST(LogRateLimiterTest, ClockSetBackWritesAndRestartsFromTheNewTime)
{
    FakeClock clock(1'000'000);
    LogRateLimiter limiter;
    ASSERT_TRUE(limiter.Allow());

    clock.Advance(-10'000);
    EXPECT_TRUE(limiter.Allow()) << "the unsigned difference of a clock set back is huge";
    clock.Advance(1999);
    EXPECT_FALSE(limiter.Allow()) << "the interval counts from the time taken after the set-back";
    clock.Advance(1);
    EXPECT_TRUE(limiter.Allow());
}

TEST(LogRateLimiterTest, OnlyOneOfManyRacingThreadsWrites)
{
    FakeClock clock;
    LogRateLimiter limiter;
    std::atomic<int> allowed{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([&] {
            for (int call = 0; call < 1000; ++call) {
                allowed += limiter.Allow() ? 1 : 0;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(allowed.load(), 1);
}

}  // namespace
