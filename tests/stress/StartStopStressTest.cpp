// A thousand start/stop cycles through the exports, alternating window and
// screen mode, with the cursor thread running and cursor tasks still queued on
// the host's (paused) loop thread at every stop; between cycles, input and
// ignore-window commands that the stopped plugin must refuse.

#include <cmath>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "JournalQueries.h"
#include "PluginTest.h"
#include "host/ZivizevEventLoop.h"

namespace {

constexpr int kCycles = 1000;
// Every this many cycles one waits for a cursor batch before it stops.
constexpr int kCyclesPerCursorBatch = 100;
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

// Each SendInput call in words: a mouse event by the screen pixel its absolute
// move lands on (the desktop's own rounding), a key by its code and direction.
std::vector<std::string> InjectedEvents()
{
    std::vector<std::string> events;
    for (const SimulatedDesktop::SendInputCall& call : SimulatedDesktop::SendInputCalls()) {
        const INPUT& first = call.records.at(0);
        if (first.type == INPUT_KEYBOARD) {
            events.push_back(fmt::format("key {:#x} {}", first.ki.wVk, first.ki.dwFlags == 0 ? "down" : "up"));
        } else {
            events.push_back(fmt::format("mouse {},{}", std::lround(first.mi.dx * double{kScreenWidth} / 65535),
                                         std::lround(first.mi.dy * double{kScreenHeight} / 65535)));
        }
    }
    return events;
}

class StartStopStressTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        chat = SimulatedDesktop::CreateTopLevelWindow({.className = "ChatFrame",
                                                       .title = "Team chat",
                                                       .processId = 5100,
                                                       .threadId = 5104,
                                                       .rect = {500, 300, 1100, 800},
                                                       .style = WS_OVERLAPPEDWINDOW,
                                                       .exStyle = WS_EX_TOOLWINDOW});
    }

    int64_t IgnoreChat()
    {
        TessarilIgnoreWindowRequest request{};
        request.ignoreType = 3;
        request.windowHandle = static_cast<int64_t>(IdOf(chat));
        EXPECT_TRUE(ExportedCallEvent(TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, &request));
        return request.result;
    }

    // One cycle's input: seq 1 and 3 accepted, 2 and a repeated 3 dropped, a
    // key tap, then an array numbered 4 and 5. Positions tell the events apart;
    // the viewport has the target's size, so a point only shifts by its origin.
    void SendInput(int cycle, bool screen, POINT origin, std::vector<std::string>& expected)
    {
        const int64_t row = 20 + cycle % 100;
        const int64_t viewportWidth = screen ? kScreenWidth : 800;
        const int64_t viewportHeight = screen ? kScreenHeight : 600;
        auto event = [&](int64_t seq) {
            TessarilMouseEventFFI mouse = Mouse(10 * seq, row, seq);
            mouse.vp_width = viewportWidth;
            mouse.vp_height = viewportHeight;
            return mouse;
        };
        auto accepted = [&](int64_t seq) {
            expected.push_back(fmt::format("mouse {},{}", origin.x + 10 * seq, origin.y + row));
        };
        for (int64_t seq : {1, 3, 2, 3}) {
            Receive(TESSARIL_MSG_MOUSE_EVENT, event(seq));
        }
        accepted(1);
        accepted(3);
        const int64_t key = 'A' + cycle % 26;
        Key(key, true, cycle);
        Key(key, false, cycle);
        expected.push_back(fmt::format("key {:#x} down", key));
        expected.push_back(fmt::format("key {:#x} up", key));
        const TessarilMouseEventFFI batch[] = {event(4), event(5)};
        Receive(TESSARIL_MSG_MOUSE_EVENT_ARRAY, TessarilMouseEventArrayPayload{batch, 2, 0});
        accepted(4);
        accepted(5);
    }

    HWND chat = nullptr;
};

TEST_F(StartStopStressTest, ThousandCyclesInjectEveryAcceptedEventOnceInOrderAndLeaveNothingBehind)
{
    const LONG editorStyle = SimulatedDesktop::ExStyleOf(editor);
    const LONG chatStyle = SimulatedDesktop::ExStyleOf(chat);
    std::vector<std::string> expected;
    std::vector<LoggedLine> errors;
    loop.Pause();
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        SCOPED_TRACE(fmt::format("cycle {}", cycle));
        const bool screen = cycle % 2 == 1;
        ASSERT_EQ(screen ? StartScreen() : StartWindow(editor), 0);
        ASSERT_EQ(IgnoreChat(), 0);
        SendInput(cycle, screen, screen ? POINT{0, 0} : POINT{100, 100}, expected);
        if (cycle % kCyclesPerCursorBatch == 0) {
            ASSERT_TRUE(AnotherTaskPosted(loop)) << "no cursor batch within 3 s";
        }
        ASSERT_EQ(StopHost(), 0);
        // Stopped: the same input and commands must change nothing.
        Receive(TESSARIL_MSG_MOUSE_EVENT, Mouse(10, 10, 0));
        Key('Z', true, 0);
        ASSERT_EQ(IgnoreChat(), 6);
        for (const LoggedLine& line : RecordingLogger::Lines()) {
            if (line.level == 5 && line.message != "HostNotStartedYet") {
                errors.push_back(line);
            }
        }
        RecordingLogger::Clear();
    }
    loop.Resume();
    loop.WaitUntilIdle();

    EXPECT_THAT(errors, ElementsAre());
    EXPECT_THAT(InjectedEvents(), ElementsAreArray(expected));
    const Lines messages = RecordingHostApplication::Lines();
    EXPECT_EQ(CountStartingWith(messages, "unregister"), 2 * kCycles);
    EXPECT_EQ(CountStartingWith(messages, "register"), kCycles);
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(editor), editorStyle);
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(chat), chatStyle);
    const Lines loopCalls = loop.Journal();
    EXPECT_GE(CountStartingWith(loopCalls, "postTask"), kCycles / kCyclesPerCursorBatch);
    EXPECT_EQ(CountStartingWith(loopCalls, "run "), CountStartingWith(loopCalls, "postTask"));
    EXPECT_EQ(CountStartingWith(messages, "cursor "), CountStartingWith(loopCalls, "postTask"));
    EXPECT_EQ(TESSARIL_REMOTECONTROL_HOST::ZivizevEventLoop::GetInstance()->PendingPostedTaskCount(), 0u);
}

}  // namespace
