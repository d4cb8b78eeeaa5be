#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform_win32.h"

namespace {

TEST(ConcurrencyTest, InitOnceRunsTheInitialiserOnceAcrossThreads)
{
    INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    std::atomic<int> initialisers{0};
    static int context = 0;
    std::vector<void*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&, i] {
            BOOL pending = FALSE;
            InitOnceBeginInitialize(&once, 0, &pending, &seen[i]);
            if (pending) {
                ++initialisers;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                InitOnceComplete(&once, 0, &context);
                seen[i] = &context;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(initialisers, 1);
    for (void* handedOut : seen) {
        EXPECT_EQ(handedOut, &context);
    }
}

TEST(ConcurrencyTest, LastErrorIsKeptPerThread)
{
    SetLastError(1234);
    DWORD seenByOther = 0;
    std::thread other([&] {
        SetLastError(5);
        seenByOther = GetLastError();
    });
    other.join();
    EXPECT_EQ(seenByOther, 5u);
    EXPECT_EQ(GetLastError(), 1234u);
}

}  // namespace
