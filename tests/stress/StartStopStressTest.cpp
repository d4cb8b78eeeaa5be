// Start/stop cycles through the exports, alternating window and screen mode,
// with the cursor thread running and cursor tasks still queued on the host's
// (paused) loop thread at stops; between cycles, input and ignore-window
// commands that the stopped plugin must refuse.

#include <fmt/format.h>

#include <cmath>

#include "PluginTest.h"
#include "host/ZivizevEventLoop.h"

namespace {

// 200 cycles, ten of them stopping with a cursor batch queued: enough for
// ThreadSanitizer to see the stop race the cursor thread's post, and for a
// leaked, lost or repeated task or event to show in the counts, while the
// test stays within a second natively.
constexpr int kCycles = 200;
constexpr int kCyclesPerCursorBatch = 20;

// Each SendInput call in words: a mouse event by the screen pixel its absolute
// move lands on (the desktop's own rounding), a key by its code and direction.
Lines InjectedEvents()
{
    Lines events;
    for (const SimulatedDesktop::SendInputCall& call : SimulatedDesktop::SendInputCalls()) {
        const INPUT& first = call.records.at(0);
        events.push_back(first.type == INPUT_KEYBOARD
                             ? fmt::format("key {:#x} {}", first.ki.wVk, first.ki.dwFlags == 0 ? "down" : "up")
                             : fmt::format("mouse {},{}", std::lround(first.mi.dx * 1920.0 / 65535),
                                           std::lround(first.mi.dy * 1080.0 / 65535)));
    }
    return events;
}

using StartStopStressTest = PluginTest;

// Each cycle's input: seq 1 and 3 accepted, 2 and a repeated 3 dropped, a key
// tap, then an array numbered 4 and 5. Positions tell the events apart; the
// viewport has the target's size, so a point only shifts by its origin.
TEST_F(StartStopStressTest, StartStopCyclesInjectEveryAcceptedEventOnceInOrderAndLeaveNothingBehind)
{
    const HWND chat = CreateChat("Team chat", {500, 300, 1100, 800}, kChatStyle);
    const auto ignoreChat = [&] { return session.AddIgnore(IgnoreRequest::ByHandle(IdOf(chat))); };
    const LONG editorStyle = SimulatedDesktop::ExStyleOf(editor);
    Lines expected;
    LogLines errors;
    session.loop.Pause();
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        SCOPED_TRACE(fmt::format("cycle {}", cycle));
        const bool screen = cycle % 2 == 1;
        ASSERT_EQ(screen ? StartScreen() : StartWindow(), 0);
        ASSERT_EQ(ignoreChat(), 0);
        const int64_t row = 20 + cycle % 100;
        const auto event = [&](int64_t seq) {
            return MouseEvent(10 * seq, row, screen ? 1920 : 800, screen ? 1080 : 600).Seq(seq).CreatedAt(clock.Now());
        };
        for (int64_t seq : {1, 3, 2, 3}) {
            session.Mouse(event(seq));
        }
        const int64_t key = 'A' + cycle % 26;
        Key(key, true, cycle);
        Key(key, false, cycle);
        MouseArray batch({event(4), event(5)});
        session.MouseBatch(batch);
        const int origin = screen ? 0 : 100;
        const auto at = [&](int64_t seq) { return fmt::format("mouse {},{}", origin + 10 * seq, origin + row); };
        expected.insert(expected.end(), {at(1), at(3), fmt::format("key {:#x} down", key), fmt::format("key {:#x} up", key),
                                         at(4), at(5)});
        if (cycle % kCyclesPerCursorBatch == 0) {
            ASSERT_TRUE(AnotherTaskPosted()) << "no cursor batch within 10 s";
        }
        ASSERT_EQ(session.StopHost(), 0);
        // Stopped: the same input and commands must change nothing.
        session.Mouse(Mouse(10, 10, 0));
        Key('Z', true, 0);
        ASSERT_EQ(ignoreChat(), 6);
        std::ranges::copy_if(Logged(), std::back_inserter(errors), [](const LoggedLine& line) {
            return line.level == 5 && line.message != "HostNotStartedYet";
        });
        RecordingLogger::Clear();
    }
    session.loop.Resume();
    session.loop.WaitUntilIdle();

    EXPECT_THAT(errors, ElementsAre());
    EXPECT_THAT(InjectedEvents(), ElementsAreArray(expected));
    using Kind = OutgoingMessage::Kind;
    EXPECT_EQ(session.recorder.Count(Kind::Register), size_t{kCycles});
    EXPECT_EQ(session.recorder.Count(Kind::Unregister), size_t{2 * kCycles});
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(editor), editorStyle);
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(chat), kChatStyle);
    const Lines loopCalls = session.loop.Journal();
    EXPECT_GE(session.loop.PostedCount(), uint64_t{kCycles / kCyclesPerCursorBatch});
    EXPECT_EQ(CountStartingWith(loopCalls, "run "), CountStartingWith(loopCalls, "postTask"));
    EXPECT_EQ(session.recorder.Count(Kind::CursorBatch), session.loop.PostedCount());
    EXPECT_EQ(TESSARIL_REMOTECONTROL_HOST::ZivizevEventLoop::GetInstance()->PendingPostedTaskCount(), 0u);
}

}  // namespace
