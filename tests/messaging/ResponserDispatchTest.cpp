#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messaging/TessarilPylonResponser.h"
#include "messaging/TessarilServerApiResponser.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Which slot each served message reaches, with a recorder in every slot of both
// responsers: the plugin installs only some of them, so a message routed to the
// wrong slot, or not registered at all, would pass the export tests unnoticed.
TEST(ResponserDispatchTest, EachServedMessageReachesItsOwnSlotAndNoOther)
{
    std::vector<std::string> fired;
    const auto record = [&fired](const char* slot) { return [&fired, slot](auto&&...) { fired.push_back(slot); }; };
    TessarilServerApiResponser serverApi;
    TessarilPylonResponser pylon;
    serverApi.SetOpenChannelResponseCallback(record("open")), serverApi.SetCloseChannelResponseCallback(record("close"));
    serverApi.SetChannelUnavailableCallback(record("unavailable")), serverApi.SetChannelAvailableCallback(record("available"));
    serverApi.SetKeyEventCallback(record("key")), serverApi.SetMouseEventCallback(record("mouse"));
    serverApi.SetMouseEventArrayCallback(record("mouse array")), serverApi.SetClientViewportInfoCallback(record("viewport"));
    serverApi.SetTouchEventArrayCallback(record("touch")), serverApi.SetTextPairACallback(record("text A"));
    serverApi.SetTextPairBCallback(record("text B"));
    pylon.SetValueACallback(record("value A")), pylon.SetValueBCallback(record("value B"));
    pylon.SetSignalACallback(record("signal A")), pylon.SetSignalBCallback(record("signal B"));
    pylon.SetSignalCCallback(record("signal C")), pylon.SetSignalDCallback(record("signal D"));
    const struct { uint64_t id; const char* slot; bool pylonServes; } rows[] = {
        {TESSARIL_MSG_OPEN_CHANNEL_RESPONSE, "open", false}, {TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE, "close", false},
        {TESSARIL_MSG_CHANNEL_UNAVAILABLE, "unavailable", false}, {TESSARIL_MSG_CHANNEL_AVAILABLE, "available", false},
        {TESSARIL_MSG_KEY_EVENT, "key", false}, {TESSARIL_MSG_MOUSE_EVENT, "mouse", false},
        {TESSARIL_MSG_MOUSE_EVENT_ARRAY, "mouse array", false}, {TESSARIL_MSG_CLIENT_VIEWPORT_INFO, "viewport", false},
        {TESSARIL_MSG_TOUCH_EVENT_ARRAY, "touch", false}, {TESSARIL_MSG_TEXT_PAIR_A, "text A", false},
        {TESSARIL_MSG_TEXT_PAIR_B, "text B", false}, {TESSARIL_MSG_PYLON_VALUE_A, "value A", true},
        {TESSARIL_MSG_PYLON_VALUE_B, "value B", true}, {TESSARIL_MSG_PYLON_SIGNAL_A, "signal A", true},
        {TESSARIL_MSG_PYLON_SIGNAL_B, "signal B", true}, {TESSARIL_MSG_PYLON_SIGNAL_C, "signal C", true},
        {TESSARIL_MSG_PYLON_SIGNAL_D, "signal D", true},
    };
    alignas(8) const unsigned char zeros[256] = {};  // null lists and texts, counts of 0
    for (const auto& row : rows) {
        SCOPED_TRACE(row.slot);
        fired.clear();
        EXPECT_EQ(serverApi.OnReceive(row.id, zeros), !row.pylonServes);
        EXPECT_EQ(pylon.OnReceive(row.id, zeros), row.pylonServes);
        EXPECT_FALSE(serverApi.OnReceive(row.id, nullptr) || pylon.OnReceive(row.id, nullptr)) << "a null payload";
        EXPECT_THAT(fired, ElementsAre(row.slot));
    }
    fired.clear();
    for (const uint64_t id : {uint64_t{0}, uint64_t{TESSARIL_MSG_REGISTER_REQUEST}, uint64_t{UINT64_MAX}}) {
        EXPECT_FALSE(serverApi.OnReceive(id, zeros) || pylon.OnReceive(id, zeros)) << id;
    }
    EXPECT_THAT(fired, IsEmpty());
}

}  // namespace
