#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "FakeClock.h"
#include "logging/LogInstance.h"
#include "logging/LogRateLimiter.h"

// Counts every allocation of this test program.
namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

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
    const long before = allocations.load();
    for (int64_t i = 0; i < 500; ++i) {
        clock.Advance(1);
        RateLimitedSite(i);
    }
    EXPECT_EQ(allocations.load(), before);
}

}  // namespace
