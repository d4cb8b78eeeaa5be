#include <fmt/format.h>

#include <cmath>

#include "PluginTest.h"

namespace {

// A SendInput call in words, with absolute moves as the screen pixel that the
// desktop put the cursor on: "move 500,400 + left down", "key 0x14 up".
std::string Describe(const SimulatedDesktop::SendInputCall& call)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<std::string> records;
    for (const INPUT& input : call.records) {
        if (input.type == INPUT_KEYBOARD) {
            records.push_back(fmt::format("key {:#x} {}", input.ki.wVk, input.ki.dwFlags & KEYEVENTF_KEYUP ? "up" : "down"));
            continue;
        }
        const MOUSEINPUT& mouse = input.mi;
        std::string text;
        if (mouse.dwFlags & MOUSEEVENTF_ABSOLUTE) {
            text = fmt::format("move {},{}", std::lround(mouse.dx * double(width) / 65535.0),
                               std::lround(mouse.dy * double(height) / 65535.0));
        }
        const DWORD action = mouse.dwFlags & ~(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE);
        if (action != 0) {
            text += fmt::format("{}action {:#x} data {}", text.empty() ? "" : " + ", action, static_cast<int32_t>(mouse.mouseData));
        }
        records.push_back(text);
    }
    return fmt::format("{}", fmt::join(records, " | "));
}

Lines DescribeSendInputCalls()
{
    Lines calls;
    for (const auto& call : SimulatedDesktop::SendInputCalls()) {
        calls.push_back(Describe(call));
    }
    return calls;
}

TEST_F(PluginTest, ViewerSessionReachesTheDesktopInOrderWithNothingLost)
{
    ASSERT_EQ(StartWindow(editor), 0);
    Receive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, TessarilClientViewportInfo{0, 0, 800, 600});

    Key('H', true, 1, true);
    Key('H', false, 2, true);
    Receive(TESSARIL_MSG_MOUSE_EVENT, Mouse(400, 300, 1));
    Receive(TESSARIL_MSG_MOUSE_EVENT, Mouse(400, 300, 2, 1, 1, true));
    Receive(TESSARIL_MSG_MOUSE_EVENT, Mouse(400, 300, 3, 1, 1, false));
    TessarilMouseEventFFI wheel = Mouse(410, 310, 4);
    wheel.wheelDeltaY = 120;
    Receive(TESSARIL_MSG_MOUSE_EVENT, wheel);
    const TessarilMouseEventFFI drag[] = {Mouse(420, 320, 5), Mouse(430, 330, 6), Mouse(0, 0, 7)};
    Receive(TESSARIL_MSG_MOUSE_EVENT_ARRAY, TessarilMouseEventArrayPayload{drag, 3, 30});

    EXPECT_THAT(DescribeSendInputCalls(),
                ElementsAre("key 0x14 down | key 0x14 up", "key 0x48 down", "key 0x48 up",  //
                            "move 500,400",                                                 //
                            "move 500,400 | action 0x2 data 0",                             //
                            "move 500,400 | action 0x4 data 0",                             //
                            "move 510,410 | action 0x800 data -120",  // the vertical wheel goes in negated
                            "move 520,420", "move 530,430", "move 100,100"));
    EXPECT_TRUE(SimulatedDesktop::IsKeyToggled(VK_CAPITAL));
}

TEST_F(PluginTest, WholeSessionSendsItsMessagesInOrder)
{
    loop.Pause();  // cursor batches wait on the loop until the session is over
    ASSERT_EQ(StartWindow(editor, "demo"), 0);
    Receive(TESSARIL_MSG_OPEN_CHANNEL_RESPONSE, uint8_t{0});
    Receive(TESSARIL_MSG_CHANNEL_AVAILABLE, uint8_t{0});
    Key('A', true, 1);
    Receive(TESSARIL_MSG_MOUSE_EVENT, Mouse(10, 10, 1));
    Receive(TESSARIL_MSG_CHANNEL_UNAVAILABLE, uint8_t{0});
    WaitForPostedCursorBatch();
    ASSERT_EQ(StopHost(), 0);
    const Lines beforeLoopRuns = RecordingHostApplication::Take();
    loop.Resume();
    loop.WaitUntilIdle();

    EXPECT_THAT(beforeLoopRuns, ElementsAre("register demo", "channel available", "report PacketDealTime 0",
                                            "channel unavailable", "unregister", "unregister"));
    const Lines cursorBatches = RecordingHostApplication::Take();
    ASSERT_FALSE(cursorBatches.empty());
    for (const std::string& batch : cursorBatches) {
        EXPECT_THAT(batch, ::testing::MatchesRegex("cursor 10( -?[0-9]+@-?[0-9]+,-?[0-9]+){10} in 800x600"));
    }
    EXPECT_EQ(RecordingHostApplication::LastCursorThread(), loop.LoopThreadId());
    EXPECT_THAT(RecordingHostApplication::ForeignSenders(), ::testing::IsEmpty());
}

struct LatencyRow {
    const char* label;
    int64_t sinceLastReport;
    int64_t viewerClockBehind;
    const char* expectedReport;  // nullptr: none
};

TEST_F(PluginTest, LatencyIsReportedOnlyAfterFiveSecondsHavePassed)
{
    ASSERT_EQ(StartScreen(), 0);
    Key('A', true, 1);  // the first event of a start reports at once
    RecordingHostApplication::Take();

    const LatencyRow rows[] = {
        {"at once", 0, 7, nullptr},
        {"after 4000 ms", 4000, 7, nullptr},
        {"after exactly 5000 ms", 5000, 7, nullptr},
        {"after 5001 ms", 5001, 7, "report PacketDealTime 7"},
        {"the next 5001 ms later, from a mouse event", 5001, 12, "report PacketDealTime 12"},
    };
    int64_t lastReport = clock.Now();
    int64_t seq = 2;
    for (const LatencyRow& row : rows) {
        SCOPED_TRACE(row.label);
        clock.Set(lastReport + row.sinceLastReport);
        TessarilKeyEvent key{};
        key.keyCode = 'A';
        key.seq = seq++;
        key.createTime = clock.Now() - row.viewerClockBehind;
        Receive(TESSARIL_MSG_KEY_EVENT, key);
        const Lines sent = RecordingHostApplication::Take();
        if (row.expectedReport == nullptr) {
            EXPECT_THAT(sent, ::testing::IsEmpty());
        } else {
            EXPECT_THAT(sent, ElementsAre(row.expectedReport));
            lastReport = clock.Now();
        }
    }
}

struct ChannelRow {
    const char* label;
    bool started;
    uint64_t messageId;
    Lines expectedMessages;
    Lines expectedLog;
};

TEST_F(PluginTest, ChannelIndicationsAreLoggedAndAvailabilityNotifiedOnce)
{
    const ChannelRow rows[] = {
        {"available", true, TESSARIL_MSG_CHANNEL_AVAILABLE, {"channel available"}, {"Host Receive Channel Available Indication"}},
        {"unavailable", true, TESSARIL_MSG_CHANNEL_UNAVAILABLE, {"channel unavailable"}, {"Host Receive Channel UnAvailable Indication"}},
        {"open response", true, TESSARIL_MSG_OPEN_CHANNEL_RESPONSE, {}, {"Host Receive Open Channel Response"}},
        {"close response", true, TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE, {}, {"Host Receive Close Channel Response"}},
        {"available after stop", false, TESSARIL_MSG_CHANNEL_AVAILABLE, {}, {}},
        {"open response after stop", false, TESSARIL_MSG_OPEN_CHANNEL_RESPONSE, {}, {}},
    };
    for (const ChannelRow& row : rows) {
        SCOPED_TRACE(row.label);
        StopHost();
        if (row.started) {
            StartWindow(editor);
        }
        RecordingHostApplication::Take();
        RecordingLogger::Clear();

        Receive(row.messageId, uint8_t{0});

        EXPECT_THAT(RecordingHostApplication::Take(), ElementsAreArray(row.expectedMessages));
        Lines log;
        for (const LoggedLine& line : RecordingLogger::Lines()) {
            log.push_back(line.message);
        }
        EXPECT_THAT(log, ElementsAreArray(row.expectedLog));
    }
}

}  // namespace
