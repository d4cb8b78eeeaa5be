#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

#include "FakePluginExports.h"
#include "ViewerMessageSender.h"

namespace {

using namespace TESSARIL_HOST_APP;

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

class ViewerMessageSenderTest : public testing::Test {
protected:
    PluginExports exports = FakePluginExports::Exports();
    ViewerMessageSender viewer{exports};
};

TEST_F(ViewerMessageSenderTest, KeyEventCarriesTheStepAndTheViewersClock)
{
    const int64_t before = NowMs();
    const MessageInEntry entry = viewer.Key({'H', true, true, false, 7});
    const TessarilKeyEvent& key = FakePluginExports::key;
    EXPECT_EQ(key.keyCode, 'H');
    EXPECT_TRUE(key.pressed);
    EXPECT_EQ(key.capsLock, 1);
    EXPECT_FALSE(key.numLock);
    EXPECT_EQ(key.seq, 7);
    EXPECT_GE(key.createTime, before);
    EXPECT_LE(key.createTime, NowMs());
    EXPECT_EQ(entry.detail, "H down caps seq=7");
    EXPECT_EQ(entry.id, TESSARIL_MSG_KEY_EVENT);
}

// Hostile values travel unchanged: the plugin, not the host, must cope.
TEST_F(ViewerMessageSenderTest, MouseEventCarriesEveryFieldUnchanged)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const MouseStep step{INT64_MAX, -5, 2, 3, true, nan, 120.5, -4, 9, 1280, 960, true, 42};
    viewer.Mouse(step);
    ASSERT_EQ(FakePluginExports::mice.size(), 1u);
    const TessarilMouseEventFFI& mouse = FakePluginExports::mice.front();
    EXPECT_EQ(mouse.x, INT64_MAX);
    EXPECT_EQ(mouse.y, -5);
    EXPECT_EQ(mouse.eventType, 2);
    EXPECT_EQ(mouse.button, 3);
    EXPECT_TRUE(mouse.pressed);
    EXPECT_TRUE(std::isnan(mouse.wheelDeltaX));
    EXPECT_EQ(mouse.wheelDeltaY, 120.5);
    EXPECT_EQ(mouse.deltaX, -4);
    EXPECT_EQ(mouse.deltaY, 9);
    EXPECT_EQ(mouse.vp_width, 1280);
    EXPECT_EQ(mouse.vp_height, 960);
    EXPECT_EQ(mouse.suppressMark, 1);
    EXPECT_EQ(mouse.seq, 42);
}

TEST_F(ViewerMessageSenderTest, MouseArrayCarriesEveryEventInOrderAndItsDuration)
{
    MouseStep first;
    first.seq = 1;
    MouseStep second;
    second.seq = 2;
    const MessageInEntry entry = viewer.MouseArray({30, {first, second}});
    ASSERT_EQ(FakePluginExports::mice.size(), 2u);
    EXPECT_EQ(FakePluginExports::mice[0].seq, 1);
    EXPECT_EQ(FakePluginExports::mice[1].seq, 2);
    EXPECT_EQ(FakePluginExports::mouseArrayDuration, 30);
    EXPECT_EQ(entry.id, TESSARIL_MSG_MOUSE_EVENT_ARRAY);

    viewer.MouseArray({0, {}});
    EXPECT_TRUE(FakePluginExports::mice.empty());
}

TEST_F(ViewerMessageSenderTest, ViewportAndChannelStepsReachTheirMessageIds)
{
    viewer.Viewport({640, 480});
    EXPECT_EQ(FakePluginExports::viewport.width, 640);
    EXPECT_EQ(FakePluginExports::viewport.height, 480);
    viewer.Channel({ChannelEvent::Open});
    viewer.Channel({ChannelEvent::Close});
    viewer.Channel({ChannelEvent::Available});
    viewer.Channel({ChannelEvent::Unavailable});
    auto receive = [](uint64_t id) { return "receive " + std::to_string(id); };
    EXPECT_THAT(FakePluginExports::calls,
                testing::ElementsAre(receive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO),
                                     receive(TESSARIL_MSG_OPEN_CHANNEL_RESPONSE),
                                     receive(TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE),
                                     receive(TESSARIL_MSG_CHANNEL_AVAILABLE),
                                     receive(TESSARIL_MSG_CHANNEL_UNAVAILABLE)));
}

}  // namespace
