#include "messaging/RecordCopy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using TESSARIL_REMOTECONTROL_HOST::ToHostIgnoredWindow;

TEST(RecordCopyTest, IgnoreWindowRequestCopiesEveryFieldAndTheTitlesInOrder)
{
    const uint8_t bytes[4] = {0x2b, 0x1a, 0, 0};
    const char* titles[] = {"Notizen", "Überweisung – Entwurf", nullptr};
    TessarilIgnoreWindowRequest request{};
    request.ignoreType = -2;
    request.windowBytes = bytes;
    request.windowByteCount = 3;
    request.processId = 4242;
    request.reserved = 0xDEAD;
    request.titles = titles;
    request.titleCount = 3;
    request.windowHandle = 0x1'0000'1a2b;

    const auto copy = ToHostIgnoredWindow(request);
    EXPECT_EQ(copy.ignoreType, int64_t{-2});
    EXPECT_EQ(copy.windowBytes, bytes);
    EXPECT_EQ(copy.windowByteCount, 3u) << "the size check belongs to the ignore-window logic";
    EXPECT_EQ(copy.processId, 4242u);
    EXPECT_EQ(copy.reserved, 0xDEADu);
    EXPECT_EQ(copy.windowHandle, 0x1'0000'1a2b);
    EXPECT_THAT(copy.windowTitles, ElementsAre("Notizen", "Überweisung – Entwurf", ""));
}

TEST(RecordCopyTest, IgnoreWindowRequestWithoutTitlesGivesAnEmptyList)
{
    TessarilIgnoreWindowRequest request{};
    request.ignoreType = 2;
    request.titleCount = 5;  // a null list with a count is the host's error
    EXPECT_THAT(ToHostIgnoredWindow(request).windowTitles, IsEmpty());
}

}  // namespace
