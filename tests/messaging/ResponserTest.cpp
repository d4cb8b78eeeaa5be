#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UnreadablePage.h"
#include "messaging/TessarilPylonResponser.h"
#include "messaging/TessarilPylonSlot.h"
#include "messaging/TessarilServerApiResponser.h"
#include "messaging/TessarilServerApiSlot.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace TESSARIL_SERVER_API;

// Installs a recorder in every ServerApi slot; `fired` names the slots that ran.
class ServerApiResponserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        responser.SetOpenChannelResponseCallback([this] { fired.push_back("openChannelResponse"); });
        responser.SetCloseChannelResponseCallback([this] { fired.push_back("closeChannelResponse"); });
        responser.SetChannelUnavailableCallback([this] { fired.push_back("channelUnavailable"); });
        responser.SetChannelAvailableCallback([this] { fired.push_back("channelAvailable"); });
        responser.SetKeyEventCallback([this](const KeyEvent& event) {
            fired.push_back("keyEvent");
            keyEvents.push_back(event);
        });
        responser.SetMouseEventCallback([this](const MouseEvent&) { fired.push_back("mouseEvent"); });
        responser.SetMouseEventArrayCallback([this](const std::vector<MouseEvent>& events, int64_t duration) {
            fired.push_back("mouseEventArray");
            mouseArrays.push_back(events);
            durations.push_back(duration);
        });
        responser.SetClientViewportInfoCallback([this](const ClientViewportInfo& info) {
            fired.push_back("clientViewportInfo");
            viewports.push_back(info);
        });
        responser.SetTouchEventArrayCallback([this](const std::vector<TouchRecord>& records) {
            fired.push_back("touchEventArray");
            touchArrays.push_back(records);
        });
        responser.SetTextPairACallback([this](const std::string& a, const std::string& b) {
            fired.push_back("textPairA");
            texts.push_back(a + "|" + b);
        });
        responser.SetTextPairBCallback([this](const std::string& a, const std::string& b) {
            fired.push_back("textPairB");
            texts.push_back(a + "|" + b);
        });
    }

    TessarilServerApiResponser responser;
    std::vector<std::string> fired;
    std::vector<KeyEvent> keyEvents;
    std::vector<std::vector<MouseEvent>> mouseArrays;
    std::vector<int64_t> durations;
    std::vector<ClientViewportInfo> viewports;
    std::vector<std::vector<TouchRecord>> touchArrays;
    std::vector<std::string> texts;
};

TEST_F(ServerApiResponserTest, RefusesIdsItDoesNotServe)
{
    const char payload[256] = {};
    const uint64_t ids[] = {0, TESSARIL_MSG_PYLON_VALUE_A, TESSARIL_MSG_PYLON_SIGNAL_D, TESSARIL_MSG_REGISTER_REQUEST,
                            TESSARIL_CMD_START_HOST, TESSARIL_MSG_KEY_EVENT | (uint64_t{1} << 32), UINT64_MAX};
    for (const uint64_t id : ids) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(responser.OnReceive(id, payload));
    }
    EXPECT_THAT(fired, IsEmpty());
}

TEST_F(ServerApiResponserTest, NullPayloadIsRefusedEvenWithACallbackInstalled)
{
    EXPECT_FALSE(responser.OnReceive(TESSARIL_MSG_KEY_EVENT, nullptr));
    EXPECT_FALSE(responser.OnReceive(TESSARIL_MSG_CHANNEL_AVAILABLE, nullptr));
    EXPECT_THAT(fired, IsEmpty());
}

TEST_F(ServerApiResponserTest, BoolBytesOtherThanOneReadAsTrue)
{
    unsigned char raw[sizeof(TessarilKeyEvent)] = {};
    raw[offsetof(TessarilKeyEvent, pressed)] = 0x02;
    raw[offsetof(TessarilKeyEvent, numLock)] = 0xFF;
    ASSERT_TRUE(responser.OnReceive(TESSARIL_MSG_KEY_EVENT, raw));
    ASSERT_EQ(keyEvents.size(), 1u);
    EXPECT_TRUE(keyEvents[0].pressed);
    EXPECT_TRUE(keyEvents[0].numLock);
}

TEST_F(ServerApiResponserTest, EmptyArraysArriveAsEmptySequences)
{
    const TessarilMouseEventArrayPayload mouse{nullptr, 0, 9};
    const TessarilTouchEventArrayPayload touch{nullptr, 0};
    ASSERT_TRUE(responser.OnReceive(TESSARIL_MSG_MOUSE_EVENT_ARRAY, &mouse));
    ASSERT_TRUE(responser.OnReceive(TESSARIL_MSG_TOUCH_EVENT_ARRAY, &touch));
    ASSERT_EQ(mouseArrays.size(), 1u);
    EXPECT_THAT(mouseArrays[0], IsEmpty());
    EXPECT_THAT(durations, ElementsAre(9));
    ASSERT_EQ(touchArrays.size(), 1u);
    EXPECT_THAT(touchArrays[0], IsEmpty());
}

TEST_F(ServerApiResponserTest, ViewportTouchAndTextPayloadsAreCopied)
{
    const TessarilClientViewportInfo viewport{11, 22, 1280, 720};
    TessarilTouchRecordFFI touch{};
    touch.value0 = -1;
    touch.value1 = 7;
    touch.values[4] = 99;
    const TessarilTouchEventArrayPayload touches{&touch, 1};
    const TessarilTextPairPayload textPair{"Überweisung", nullptr};
    ASSERT_TRUE(responser.OnReceive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, &viewport));
    ASSERT_TRUE(responser.OnReceive(TESSARIL_MSG_TOUCH_EVENT_ARRAY, &touches));
    ASSERT_TRUE(responser.OnReceive(TESSARIL_MSG_TEXT_PAIR_B, &textPair));

    ASSERT_EQ(viewports.size(), 1u);
    EXPECT_EQ(viewports[0].reserved0, 11);
    EXPECT_EQ(viewports[0].reserved1, 22);
    EXPECT_EQ(viewports[0].width, 1280);
    EXPECT_EQ(viewports[0].height, 720);
    ASSERT_EQ(touchArrays.size(), 1u);
    ASSERT_EQ(touchArrays[0].size(), 1u);
    EXPECT_EQ(touchArrays[0][0].value0, int64_t{-1});
    EXPECT_EQ(touchArrays[0][0].value1, 7);
    EXPECT_EQ(touchArrays[0][0].values[4], 99);
    EXPECT_THAT(texts, ElementsAre("Überweisung|"));
}

TEST(ResponserWithoutCallbacksTest, EmptySlotsNeverReadThePayload)
{
    UnreadablePage page;
    ASSERT_NE(page.Address(), nullptr);
    TessarilServerApiResponser serverApi;
    TessarilPylonResponser pylon;
    const uint64_t serverApiIds[] = {
        TESSARIL_MSG_OPEN_CHANNEL_RESPONSE, TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE, TESSARIL_MSG_CHANNEL_UNAVAILABLE,
        TESSARIL_MSG_CHANNEL_AVAILABLE,     TESSARIL_MSG_KEY_EVENT,              TESSARIL_MSG_MOUSE_EVENT,
        TESSARIL_MSG_MOUSE_EVENT_ARRAY,     TESSARIL_MSG_CLIENT_VIEWPORT_INFO,   TESSARIL_MSG_TOUCH_EVENT_ARRAY,
        TESSARIL_MSG_TEXT_PAIR_A,           TESSARIL_MSG_TEXT_PAIR_B};
    const uint64_t pylonIds[] = {TESSARIL_MSG_PYLON_VALUE_A,  TESSARIL_MSG_PYLON_VALUE_B,
                                 TESSARIL_MSG_PYLON_SIGNAL_A, TESSARIL_MSG_PYLON_SIGNAL_B,
                                 TESSARIL_MSG_PYLON_SIGNAL_C, TESSARIL_MSG_PYLON_SIGNAL_D};
    for (const uint64_t id : serverApiIds) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(serverApi.OnReceive(id, page.Address()));
        EXPECT_FALSE(pylon.OnReceive(id, page.Address()));
    }
    for (const uint64_t id : pylonIds) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(pylon.OnReceive(id, page.Address()));
        EXPECT_FALSE(serverApi.OnReceive(id, page.Address()));
    }
}

TEST(PylonResponserTest, ValueMessagesReachTheirSlotWithBothValues)
{
    TessarilPylonResponser pylon;
    std::vector<std::string> fired;
    pylon.SetValueBCallback([&](uint32_t value32, uint64_t value64) {
        fired.push_back("valueB " + std::to_string(value32) + " " + std::to_string(value64));
    });
    pylon.SetSignalCCallback([&] { fired.push_back("signalC"); });
    const TessarilPylonValuePayload values{4000000000u, 0x1'0000'0002u};
    const char signal = 0;
    EXPECT_TRUE(pylon.OnReceive(TESSARIL_MSG_PYLON_VALUE_A, &values));
    EXPECT_TRUE(pylon.OnReceive(TESSARIL_MSG_PYLON_VALUE_B, &values));
    EXPECT_TRUE(pylon.OnReceive(TESSARIL_MSG_PYLON_SIGNAL_C, &signal));
    EXPECT_FALSE(pylon.OnReceive(TESSARIL_MSG_PYLON_SIGNAL_C, nullptr));
    EXPECT_THAT(fired, ElementsAre("valueB 4000000000 4294967298", "signalC"));
}

TEST(SlotTest, DelegatedMessagesAreAlwaysRefused)
{
    TessarilPylonSlot pylon;
    TessarilServerApiSlot serverApi;
    const char payload[128] = {};
    const uint64_t ids[] = {0, TESSARIL_MSG_KEY_EVENT, TESSARIL_MSG_PYLON_VALUE_A, UINT64_MAX};
    for (const uint64_t id : ids) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(pylon.OnDelegate(id, payload));
        EXPECT_FALSE(serverApi.OnDelegate(id, payload));
        EXPECT_FALSE(serverApi.OnDelegate(id, nullptr));
    }
}

}  // namespace
