#include "common/MillisecondClock.h"

#include <gtest/gtest.h>

#include <chrono>

#include "FakeClock.h"

namespace {

using TESSARIL_COMMON::MillisecondClock;

int64_t ChronoMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

TEST(MillisecondClockTest, ReadsTheWallClockInMillisecondsSince1970)
{
    const int64_t before = ChronoMilliseconds();
    const int64_t now = MillisecondClock::Now();
    const int64_t after = ChronoMilliseconds();
    EXPECT_GE(now, before);
    EXPECT_LE(now, after);
}

TEST(MillisecondClockTest, TestSourceReplacesTheWallClockUntilRemoved)
{
    {
        FakeClock clock(42);
        EXPECT_EQ(MillisecondClock::Now(), 42);
        clock.Advance(-50);
        EXPECT_EQ(MillisecondClock::Now(), -8);
    }
    EXPECT_GT(MillisecondClock::Now(), 1'600'000'000'000) << "back on the wall clock";
}

}  // namespace
