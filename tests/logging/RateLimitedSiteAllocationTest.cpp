#include <gtest/gtest.h>

#include "AllocationCounter.h"
#include "FakeClock.h"
#include "logging/LogInstance.h"
#include "logging/LogRateLimiter.h"

namespace {

void RateLimitedSite(int64_t x)
{
    static TESSARIL_LOG::LogRateLimiter limiter;
    if (limiter.Allow()) {
        TESSARIL_LOG::LogInfo("Before ViewportToScreen, x is {}, y is {}", x, x);
    }
}

TEST(RateLimitedSiteTest, RefusedSiteAllocatesNothing)
{
    FakeClock clock;
    RateLimitedSite(1);  // the permitted line, and the singleton's creation
    const long before = AllocationCounter::Count();
    for (int64_t i = 0; i < 500; ++i) {
        clock.Advance(1);
        RateLimitedSite(i);
    }
    EXPECT_EQ(AllocationCounter::Count(), before);
}

}  // namespace
