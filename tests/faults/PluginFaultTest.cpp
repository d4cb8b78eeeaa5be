// Faults of the desktop, the event loop and the host application, each met
// through the exports while remote control runs: every one is answered with
// the plugin's own line or result, nothing crashes, and no window keeps a
// changed style.

#include <fmt/format.h>

#include <functional>
#include <string>
#include <vector>

#include "PluginTest.h"
#include "host/ZivizevEventLoop.h"
#include "messaging/TessarilServerApiRequester.h"

using TESSARIL_REMOTECONTROL_HOST::ZivizevEventLoop;

namespace {

using namespace ::testing;

class PluginFaultTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        chat = CreateChat("Team chat", {500, 300, 1100, 800}, kChatStyle);
    }

    // Started in window mode on the editor, or in screen mode with `listed` let through.
    void StartIn(bool screen, const std::vector<HWND>& listed = {})
    {
        session.StopHost();
        ASSERT_EQ(screen ? StartScreen() : StartWindow(), 0);
        for (HWND window : listed) {
            ASSERT_EQ(session.AddIgnore(IgnoreRequest::ByHandle(IdOf(window))), 0);
        }
        Forget();
    }

    void Click(int64_t seq) { EXPECT_TRUE(session.Mouse(Mouse(400, 300, seq).Button(1, true))); }

    // With GetCursorInfo failing every tick warns, unlimited, on the cursor
    // thread: waits until the monitor has ticked through `batches` batches.
    static bool CursorBatchesFormed(size_t batches)
    {
        const LoggedLine tick = WarningLine("Unable to get cursor info. Error = 5");
        return Eventually([&] { return std::ranges::count(RecordingLogger::Lines(), tick) >= 10 * std::ptrdiff_t(batches); });
    }

    // Every task the loop was handed ran once and left no pending record behind.
    void ExpectEveryTaskRanAndFreed() const
    {
        const Lines loopCalls = session.loop.Journal();
        EXPECT_EQ(CountStartingWith(loopCalls, "run "), CountStartingWith(loopCalls, "postTask"));
        EXPECT_EQ(ZivizevEventLoop::GetInstance()->PendingPostedTaskCount(), 0u);
    }

    HWND chat = nullptr;
};

TEST_F(PluginFaultTest, SendInputInsertingFewerRecordsIsLoggedAndNothingStaysChanged)
{
    const LoggedLine mouseFailed = ErrorLine("Failed to inject a mouse event");
    const auto click = [this](int64_t seq) { Click(seq); };
    const struct {
        const char* label;
        bool screen;
        int insertedAtMost;
        std::function<void(int64_t)> send;
        const char* outcome;
        LoggedLine line;
        size_t callsOnceRecovered;  // the key's lock tap goes again, the lock still off
    } rows[] = {
        {"click in window mode, one record of two", false, 1, click, "-> 1 error=5", mouseFailed, 1},
        {"click in screen mode, none inserted", true, 0, click, "-> 0 error=5", mouseFailed, 1},
        {"key press wanting Caps Lock, none inserted (the lock tap goes unreported)", false, 0,
         [this](int64_t seq) { Key('A', true, seq, true); }, "-> 0 error=5",
         ErrorLine("Failed to inject a key event ErroCode is 5"), 2},
    };
    int64_t seq = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        StartIn(row.screen, {chat});
        SimulatedDesktop::LimitSendInput(row.insertedAtMost);
        row.send(++seq);

        EXPECT_THAT(JournalStartingWith("SendInput"), Each(EndsWith(row.outcome)));
        EXPECT_THAT(WarningsAndErrors(), ElementsAre(row.line));
        EXPECT_EQ(SimulatedDesktop::ExStyleOf(chat), kChatStyle);
        EXPECT_FALSE(SimulatedDesktop::IsKeyToggled(VK_CAPITAL));

        SimulatedDesktop::LimitSendInput(-1);
        Forget();
        row.send(++seq);
        EXPECT_THAT(JournalStartingWith("SendInput"), AllOf(SizeIs(row.callsOnceRecovered), Each(Not(HasSubstr("error=")))));
        EXPECT_THAT(WarningsAndErrors(), ElementsAre());
    }
}

// The cursor moves while it cannot be read, so every sample taken meanwhile
// shows whether it repeated the last good one.
TEST_F(PluginFaultTest, UnreadableCursorRepeatsTheLastGoodSampleWithAWarningUntilItRecovers)
{
    // Ten samples of the arrow at one position on the primary screen.
    const auto batch = [](int x, int y) { return CursorBatch(0, x, y, 1920, 1080); };
    SimulatedDesktop::SetCursorFlags(CURSOR_SHOWING);
    StartIn(true);
    SimulatedDesktop::SetCursorPosition({300, 200});
    ASSERT_TRUE(Eventually([&] { return LastBatch() == batch(300, 200); }));
    session.recorder.Clear();  // batches go out in the order taken: none from before 300,200 follows

    SimulatedDesktop::FailGetCursorInfo(ERROR_ACCESS_DENIED);
    SimulatedDesktop::SetCursorPosition({5, 7});
    const auto warnings = [] { return WarningsAndErrors(RecordingLogger::Lines()); };  // the cursor thread's
    // Every tick warns, unlimited: ten of them within a batch's time.
    EXPECT_TRUE(Eventually([&] { return warnings().size() >= 10; }));
    const Lines whileFailing = session.recorder.TakeLines();
    SimulatedDesktop::RestoreGetCursorInfo();

    EXPECT_THAT(whileFailing, Each(batch(300, 200)));
    EXPECT_THAT(warnings(), Each(WarningLine("Unable to get cursor info. Error = 5")));
    EXPECT_TRUE(Eventually([&] { return LastBatch() == batch(5, 7); })) << LastBatch();
}

TEST_F(PluginFaultTest, WithoutTheVirtualDesktopManagerTitleMatchesOfEveryDesktopAreLetThrough)
{
    const HWND elsewhere = CreateChat("Team chat", {0, 0, 640, 480}, 0, false);
    const auto set = [](HWND window, LONG style) { return ExStyleLine(window, style | kTransparent, style); };
    const auto reset = [](HWND window, LONG style) { return ExStyleLine(window, style, style | kTransparent); };
    const struct {
        const char* label;
        bool managerFails;
        Lines styleCalls;  // the windows let through in z-order, top first
    } rows[] = {{"manager available", false, {set(chat, kChatStyle), reset(chat, kChatStyle)}},
                {"manager unavailable", true,
                 {set(elsewhere, 0), set(chat, kChatStyle), reset(elsewhere, 0), reset(chat, kChatStyle)}}};
    int64_t seq = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        StartIn(true);
        SimulatedDesktop::FailVirtualDesktopManagerCreation(row.managerFails);
        ASSERT_EQ(session.AddIgnore(IgnoreRequest::ByTitles(5100, {"Team chat"})), 0);
        Click(++seq);
        EXPECT_THAT(JournalStartingWith("SetWindowLongA"), ElementsAreArray(row.styleCalls));
        EXPECT_THAT(WarningsAndErrors(), ElementsAre());
    }
}

TEST_F(PluginFaultTest, WindowDestroyedInTheMiddleOfAnInjectionIsLoggedAndTheOthersRestored)
{
    const HWND toolbar = CreateChat("Toolbar", {150, 150, 450, 250}, WS_EX_TOPMOST);
    const HWND covering = CreateChat("Team chat", {120, 120, 300, 300}, kChatStyle);
    const HWND listed = CreateChat("Team chat", {0, 0, 50, 50}, kChatStyle);
    const std::string failed = "IgnoreMouseEvents failed," + std::to_string(IdOf(listed)) + " ";
    const struct {
        const char* label;
        bool screen;
        HWND doomed;
        LogLines duringInjection;
        LogLines nextInjection;  // a listed window stays listed; a covering one is gone
    } rows[] = {
        {"window mode, a covering window", false, covering, {ErrorLine("ResetIgnoreMouseEvents failed ")}, {}},
        {"screen mode, a listed window", true, listed, {ErrorLine("Reset" + failed)},
         {ErrorLine("Set" + failed), ErrorLine("Reset" + failed)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        StartIn(row.screen, {listed, toolbar});
        SimulatedDesktop::DestroyWindowAtNextSendInput(row.doomed);
        Click(1);
        EXPECT_THAT(WarningsAndErrors(), ElementsAreArray(row.duringInjection));
        EXPECT_EQ(SimulatedDesktop::ExStyleOf(toolbar), WS_EX_TOPMOST);

        RecordingLogger::Clear();
        Click(2);
        EXPECT_THAT(WarningsAndErrors(), ElementsAreArray(row.nextInjection));
        EXPECT_EQ(SimulatedDesktop::ExStyleOf(toolbar), WS_EX_TOPMOST);
        EXPECT_EQ(SimulatedDesktop::ExStyleOf(chat), kChatStyle);
    }
}

// A point on an edge row or column starts a run of abnormal positions, one inside ends it.
TEST_F(PluginFaultTest, MonitorThatStopsBeingValidPutsMovesOnTheOriginAndReportsAZeroSizedScreen)
{
    const HMONITOR right = SimulatedDesktop::AddMonitor({1920, 0, 3520, 900}, false);
    ASSERT_EQ(session.Start(IdOf(right), true), 0);
    const auto mouse = [this](int64_t x, int64_t y, int64_t seq) {
        EXPECT_TRUE(session.Mouse(MouseEvent(x, y, 1600, 900).Seq(seq).CreatedAt(clock.Now())));
    };
    mouse(10, 20, 1);
    SimulatedDesktop::Reset();  // one primary monitor again: the right one's handle names nothing
    Forget();
    mouse(10, 20, 2);

    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, Send({Rec(0, 0, 0, 0x8001)})));
    EXPECT_THAT(WarningsAndErrors(), ElementsAre());
    EXPECT_TRUE(Eventually([this] { return LastBatch().ends_with(" in 0x0"); })) << LastBatch();
    ASSERT_EQ(SimulatedDesktop::AddMonitor({1920, 0, 3520, 900}, false), right);  // the handle names it again
    mouse(10, 20, 3);
    mouse(10, 0, 4);
    mouse(10, 20, 5);
    mouse(-1920, 20, 6);  // screen column 0, 1920 to the left of the monitor's origin
    const auto abnormal = [](const char* edge, int x, int y) {
        return InfoLine(fmt::format("Rcv Mouse Cursor abnormal {} :x is {}, y is {}, event type is 0", edge, x, y));
    };
    EXPECT_THAT(Said(), IsSupersetOf({abnormal("start", 0, 0), abnormal("end", 1930, 20), abnormal("start", 1930, 0),
                                   abnormal("start", 0, 20)}));
}

// Without a loop table, or with one that lacks postTask, nothing is posted;
// input and commands work as ever.
TEST_F(PluginFaultTest, EventLoopWithoutPostTaskDropsEveryCursorBatchAndNothingElse)
{
    TessarilEventLoopTable withoutPostTask = session.loop.Table();
    withoutPostTask.postTask = nullptr;
    const std::pair<const char*, HostSession::InitOptions> rows[] = {
        {"no table", {.eventLoop = false}},
        {"a table without entry 10", {.table = &withoutPostTask}},
    };
    for (const auto& [label, options] : rows) {
        SCOPED_TRACE(label);
        Restart(options);
        SimulatedDesktop::FailGetCursorInfo(ERROR_ACCESS_DENIED);
        ASSERT_EQ(StartWindow(), 0);
        Key('A', true, 1);
        ASSERT_TRUE(CursorBatchesFormed(2));
        EXPECT_EQ(session.StopHost(), 0);

        EXPECT_THAT(Replies(),
                    ElementsAre("register viewer", StartsWith("report PacketDealTime"), "unregister", "unregister"));
        // A, still held at the stop, is released by it.
        EXPECT_THAT(JournalStartingWith("SendInput"), ElementsAre(Send({KeyRec('A', false)}), Send({KeyRec('A', true)})));
        EXPECT_EQ(session.loop.PostedCount(), 0u);
        EXPECT_EQ(ZivizevEventLoop::GetInstance()->PendingPostedTaskCount(), 0u);
    }
}

TEST_F(PluginFaultTest, CursorTasksThatRunLateSendTheirBatchAfterAStopAndNothingAfterUninit)
{
    const std::pair<bool, ::testing::Matcher<const Lines&>> rows[] = {
        {false, AllOf(Not(IsEmpty()), Each(StartsWith("cursor 10 ")))},
        {true, IsEmpty()},  // after ExportedUninit no entry point is left to send through
    };
    for (const auto& [uninitFirst, sent] : rows) {
        SCOPED_TRACE(uninitFirst ? "run after ExportedUninit" : "run after the stop");
        Restart();
        session.loop.Pause();
        ASSERT_EQ(StartScreen(), 0);
        ASSERT_TRUE(AnotherTaskPosted()) << "no cursor batch within 10 s";
        ASSERT_EQ(session.StopHost(), 0);
        if (uninitFirst) {
            session.plugin.uninit();  // while the task waits; Restart uninitialises the fresh objects again
        }
        session.recorder.Clear();
        session.loop.Resume();
        session.loop.WaitUntilIdle();

        EXPECT_THAT(session.recorder.TakeLines(), sent);
        ExpectEveryTaskRanAndFreed();
    }
}

// A host whose postTask runs the task before it returns: each batch is sent
// once, and no pending record outlives its task.
TEST_F(PluginFaultTest, CursorTasksRunInsidePostTaskAreSentOnceAndForgotten)
{
    session.loop.SetPostMode(EventLoop::PostMode::RunInsidePost);
    ASSERT_EQ(StartScreen(), 0);
    ASSERT_TRUE(AnotherTaskPosted()) << "no cursor batch within 10 s";
    ASSERT_TRUE(AnotherTaskPosted()) << "no second cursor batch within 10 s";
    ASSERT_EQ(session.StopHost(), 0);

    ExpectEveryTaskRanAndFreed();
    EXPECT_EQ(session.recorder.Count(OutgoingMessage::Kind::CursorBatch), session.loop.PostedCount());
}

// Before ExportedInit the plugin is in the same state: no entry point to send through.
TEST_F(PluginFaultTest, CallsAfterExportedUninitReachTheDesktopButSendNothing)
{
    session.Finish();
    Forget();
    SimulatedDesktop::FailGetCursorInfo(ERROR_ACCESS_DENIED);
    Key('A', true, 1);  // nothing started: dropped
    ASSERT_EQ(StartWindow(), 0);
    Key('B', true, 2);
    ASSERT_TRUE(CursorBatchesFormed(1));  // and no loop to take it
    EXPECT_EQ(session.StopHost(), 0);
    session.plugin.uninit();

    // B, still held at the stop, is released by it.
    EXPECT_THAT(JournalStartingWith("SendInput"), ElementsAre(Send({KeyRec('B', false)}), Send({KeyRec('B', true)})));
    EXPECT_THAT(session.recorder.Lines(), IsEmpty());
    EXPECT_EQ(session.loop.PostedCount(), 0u);
}

// Only the low 32 bits count, sign-extended, and no result stops a start.
TEST_F(PluginFaultTest, OddRegisterResultsLeaveRemoteControlStarted)
{
    const std::pair<int64_t, int64_t> rows[] = {
        {INT64_C(0x1'0000'0002), 2}, {INT64_C(0xFFFF'FFFF), -1}, {7, 7}, {INT64_MIN, 0}, {-1, -1}};
    for (const auto& [result, lowHalf] : rows) {
        SCOPED_TRACE(fmt::format("register result {:#x}", result));
        session.recorder.SetRegisterResult(result);
        StartIn(false);
        Key('A', true, 1);
        EXPECT_THAT(SimulatedDesktop::Journal(), Contains(Send({KeyRec('A', false)})));
        EXPECT_THAT(WarningsAndErrors(), ElementsAre());
        EXPECT_EQ(TessarilServerApiRequester::GetInstance()->SendRegisterRequest("viewer"), lowHalf);
    }
}

}  // namespace
