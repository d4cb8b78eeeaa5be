#include <gtest/gtest.h>

#include "platform_win32.h"

namespace {

// The version check, the execution state and the virtual-desktop manager are
// exercised through the window utilities and the injector; one-time
// initialisation is the host's guard and only shows here.
TEST(InitOnceTest, RunsOnceAndHandsTheContextToLaterCallers)
{
    INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    BOOL pending = FALSE;
    ASSERT_TRUE(InitOnceBeginInitialize(&once, 0, &pending, nullptr));
    EXPECT_TRUE(pending);
    int context = 0;
    ASSERT_TRUE(InitOnceComplete(&once, 0, &context));
    void* handedOut = nullptr;
    ASSERT_TRUE(InitOnceBeginInitialize(&once, 0, &pending, &handedOut));
    EXPECT_FALSE(pending);
    EXPECT_EQ(handedOut, &context);

    EXPECT_FALSE(InitOnceComplete(&once, 0, nullptr)) << "already complete";
    EXPECT_EQ(GetLastError(), DWORD{ERROR_GEN_FAILURE});
    EXPECT_FALSE(InitOnceBeginInitialize(&once, INIT_ONCE_CHECK_ONLY, &pending, nullptr));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
}

}  // namespace
