#include <gtest/gtest.h>

#include "DesktopTest.h"

namespace {

using VersionTest = DesktopTest;

// The window utilities' Windows 8 check shows VER_GREATER_EQUAL; these are the
// other conditions, against the fresh desktop's 10.0 build 19045.
TEST_F(VersionTest, VerifyVersionInfoWComparesWithEachCondition)
{
    OSVERSIONINFOEXW wanted{};
    wanted.dwMajorVersion = 10;
    wanted.dwBuildNumber = 19045;
    const struct { const char* label; DWORD type; BYTE condition; BOOL expected; } rows[] = {
        {"major equal", VER_MAJORVERSION, VER_EQUAL, TRUE},  {"major greater", VER_MAJORVERSION, VER_GREATER, FALSE},
        {"major less", VER_MAJORVERSION, VER_LESS, FALSE},   {"major less-equal", VER_MAJORVERSION, VER_LESS_EQUAL, TRUE},
        {"build equal", VER_BUILDNUMBER, VER_EQUAL, TRUE},   {"build greater", VER_BUILDNUMBER, VER_GREATER, FALSE},
        {"platform equal", VER_PLATFORMID, VER_EQUAL, FALSE},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(VerifyVersionInfoW(&wanted, row.type, VerSetConditionMask(0, row.type, row.condition)), row.expected);
    }
    EXPECT_FALSE(VerifyVersionInfoW(&wanted, VER_MAJORVERSION, 0));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_BAD_ARGUMENTS});
}

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
