// Faults of the desktop, the event loop and the host application, each met
// through the exports while remote control runs: every one is answered with
// the plugin's own line or result, nothing crashes, and no window keeps a
// changed style.

#include <fmt/format.h>

#include <functional>
#include <string>
#include <vector>

#include "JournalQueries.h"
#include "PluginTest.h"
#include "host/ZivizevEventLoop.h"

namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::Each;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

constexpr LONG kChatStyle = WS_EX_TOOLWINDOW;

std::vector<LoggedLine> WarningsAndErrors()
{
    std::vector<LoggedLine> lines;
    for (const LoggedLine& line : RecordingLogger::Lines()) {
        if (line.level >= 4) {
            lines.push_back(line);
        }
    }
    return lines;
}

Lines JournalLinesStartingWith(const std::string& prefix)
{
    Lines lines;
    for (const std::string& line : SimulatedDesktop::Journal()) {
        if (line.rfind(prefix, 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

// Ten samples of the arrow at one position, as the host application reads a batch.
std::string CursorBatch(int x, int y, const char* size)
{
    std::string line = "cursor 10";
    for (int i = 0; i < 10; ++i) {
        line += fmt::format(" 0@{},{}", x, y);
    }
    return line + " in " + size;
}

class PluginFaultTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        chat = CreateWindow("Team chat", {500, 300, 1100, 800}, kChatStyle);
    }

    static HWND CreateWindow(const char* title, RECT rect, LONG exStyle = 0, bool onCurrentDesktop = true)
    {
        const HWND window = SimulatedDesktop::CreateTopLevelWindow({.className = "ChatFrame",
                                                                    .title = title,
                                                                    .processId = 5100,
                                                                    .threadId = 5104,
                                                                    .rect = rect,
                                                                    .style = WS_OVERLAPPEDWINDOW,
                                                                    .exStyle = exStyle});
        SimulatedDesktop::SetOnCurrentVirtualDesktop(window, onCurrentDesktop);
        return window;
    }

    static int64_t Ignore(TessarilIgnoreWindowRequest request)
    {
        EXPECT_TRUE(ExportedCallEvent(TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, &request));
        return request.result;
    }

    static int64_t IgnoreWindow(HWND window)
    {
        TessarilIgnoreWindowRequest request{};
        request.ignoreType = 3;
        request.windowHandle = static_cast<int64_t>(IdOf(window));
        return Ignore(request);
    }

    // Started in window mode on the editor, or in screen mode with `listed` let through.
    void StartIn(bool screen, const std::vector<HWND>& listed = {})
    {
        StopHost();
        ASSERT_EQ(screen ? StartScreen() : StartWindow(editor), 0);
        for (HWND window : listed) {
            ASSERT_EQ(IgnoreWindow(window), 0);
        }
        SimulatedDesktop::ClearJournal();
        RecordingLogger::Clear();
    }

    void Click(int64_t seq)
    {
        Receive(TESSARIL_MSG_MOUSE_EVENT, Mouse(400, 300, seq, 1, 1, true));
    }

    HWND chat = nullptr;
};

TEST_F(PluginFaultTest, SendInputInsertingFewerRecordsIsLoggedAndNothingStaysChanged)
{
    struct Row {
        const char* label;
        bool screen;
        int insertedAtMost;
        std::function<void(int64_t)> send;
        const char* outcome;
        LoggedLine line;
    };
    const LoggedLine mouseFailed = ErrorLine("Failed to inject a mouse event");
    const auto click = [this](int64_t seq) { Click(seq); };
    const Row rows[] = {
        {"click in window mode, one record of two", false, 1, click, "-> 1 error=5", mouseFailed},
        {"click in screen mode, none inserted", true, 0, click, "-> 0 error=5", mouseFailed},
        {"key press wanting Caps Lock, none inserted (the lock tap goes unreported)", false, 0,
         [this](int64_t seq) { Key('A', true, seq, true); }, "-> 0 error=5",
         ErrorLine("Failed to inject a key event ErroCode is 5")},
    };
    int64_t seq = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        StartIn(row.screen, {chat});
        SimulatedDesktop::LimitSendInput(row.insertedAtMost);
        row.send(++seq);

        EXPECT_THAT(JournalLinesStartingWith("SendInput"), Each(EndsWith(row.outcome)));
        EXPECT_THAT(WarningsAndErrors(), ElementsAre(row.line));
        EXPECT_EQ(SimulatedDesktop::ExStyleOf(chat), kChatStyle);
        EXPECT_FALSE(SimulatedDesktop::IsKeyToggled(VK_CAPITAL));

        SimulatedDesktop::LimitSendInput(-1);
        SimulatedDesktop::ClearJournal();
        RecordingLogger::Clear();
        row.send(++seq);
        EXPECT_THAT(JournalLinesStartingWith("SendInput"), Each(Not(HasSubstr("error="))));
        EXPECT_THAT(WarningsAndErrors(), ElementsAre());
    }
}

TEST_F(PluginFaultTest, UnreadableCursorRepeatsTheLastGoodSampleWithAWarningUntilItRecovers)
{
    StartIn(true);
    SimulatedDesktop::SetCursorPosition({300, 200});
    const std::string before = CursorBatch(300, 200, "1920x1080");
    ASSERT_TRUE(Eventually([&] { return ::testing::Value(RecordingHostApplication::Lines(), Contains(before)); }));

    SimulatedDesktop::FailGetCursorInfo(ERROR_ACCESS_DENIED);
    SimulatedDesktop::SetCursorPosition({5, 7});
    RecordingHostApplication::Clear();
    RecordingLogger::Clear();
    ASSERT_TRUE(Eventually([] { return RecordingHostApplication::Lines().size() >= 2; }));
    const Lines whileFailing = RecordingHostApplication::Take();
    const std::vector<LoggedLine> warnings = WarningsAndErrors();
    SimulatedDesktop::RestoreGetCursorInfo();

    EXPECT_THAT(whileFailing, Each(before));
    EXPECT_GE(warnings.size(), 10u);
    EXPECT_THAT(warnings, Each(WarningLine("Unable to get cursor info. Error = 5")));
    const std::string after = CursorBatch(5, 7, "1920x1080");
    EXPECT_TRUE(Eventually([&] { return ::testing::Value(RecordingHostApplication::Lines(), Contains(after)); }));
}

TEST_F(PluginFaultTest, WithoutTheVirtualDesktopManagerTitleMatchesOfEveryDesktopAreLetThrough)
{
    const HWND elsewhere = CreateWindow("Team chat", {0, 0, 640, 480}, 0, false);
    struct Row {
        const char* label;
        bool managerFails;
        std::vector<HWND> letThrough;  // in z-order, top first
    };
    const Row rows[] = {{"manager available", false, {chat}}, {"manager unavailable", true, {elsewhere, chat}}};
    int64_t seq = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        StartIn(true);
        SimulatedDesktop::FailVirtualDesktopManagerCreation(row.managerFails);
        const char* titles[] = {"Team chat"};
        TessarilIgnoreWindowRequest byTitle{};
        byTitle.ignoreType = 2;
        byTitle.processId = 5100;
        byTitle.titles = titles;
        byTitle.titleCount = 1;
        ASSERT_EQ(Ignore(byTitle), 0);
        Click(++seq);

        Lines sets;
        Lines restores;
        for (HWND window : row.letThrough) {
            const LONG style = SimulatedDesktop::ExStyleOf(window);
            sets.push_back(ExStyleLine(window, style | kTransparent, style));
            restores.push_back(ExStyleLine(window, style, style | kTransparent));
        }
        sets.insert(sets.end(), restores.begin(), restores.end());
        EXPECT_THAT(JournalLinesStartingWith("SetWindowLongA"), ElementsAreArray(sets));
        EXPECT_THAT(WarningsAndErrors(), ElementsAre());
    }
}

TEST_F(PluginFaultTest, WindowDestroyedInTheMiddleOfAnInjectionIsLoggedAndTheOthersRestored)
{
    const HWND toolbar = CreateWindow("Toolbar", {150, 150, 450, 250}, WS_EX_TOPMOST);
    const HWND covering = CreateWindow("Team chat", {120, 120, 300, 300}, kChatStyle);
    const HWND listed = CreateWindow("Team chat", {0, 0, 50, 50}, kChatStyle);
    const std::string listedHandle = std::to_string(IdOf(listed));
    struct Row {
        const char* label;
        bool screen;
        HWND doomed;
        std::vector<LoggedLine> duringInjection;
        std::vector<LoggedLine> nextInjection;  // a listed window stays listed; a covering one is gone
    };
    const Row rows[] = {
        {"window mode, a covering window", false, covering, {ErrorLine("ResetIgnoreMouseEvents failed ")}, {}},
        {"screen mode, a listed window",
         true,
         listed,
         {ErrorLine("ResetIgnoreMouseEvents failed," + listedHandle + " ")},
         {ErrorLine("SetIgnoreMouseEvents failed," + listedHandle + " "),
          ErrorLine("ResetIgnoreMouseEvents failed," + listedHandle + " ")}},
    };
    for (const Row& row : rows) {
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

TEST_F(PluginFaultTest, MonitorThatStopsBeingValidPutsMovesOnTheOriginAndReportsAZeroSizedScreen)
{
    const HMONITOR right = SimulatedDesktop::AddMonitor({1920, 0, 3520, 900}, false);
    TessarilStartHostCommand start{"viewer", IdOf(right), true, -1};
    ASSERT_TRUE(ExportedCallEvent(TESSARIL_CMD_START_HOST, &start));
    ASSERT_EQ(start.result, 0);
    TessarilMouseEventFFI move = Mouse(10, 20, 1);
    move.vp_width = 1600;
    move.vp_height = 900;
    Receive(TESSARIL_MSG_MOUSE_EVENT, move);

    SimulatedDesktop::Reset();  // one primary monitor again: the right one's handle names nothing
    RecordingLogger::Clear();
    RecordingHostApplication::Clear();
    move.seq = 2;
    Receive(TESSARIL_MSG_MOUSE_EVENT, move);

    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, Send({Rec(0, 0, 0, 0x8001)})));
    EXPECT_THAT(RecordingLogger::Lines(),
                Contains(InfoLine("Rcv Mouse Cursor abnormal start :x is 0, y is 0, event type is 0")));
    EXPECT_THAT(WarningsAndErrors(), ElementsAre());
    EXPECT_TRUE(Eventually(
        [] { return ::testing::Value(RecordingHostApplication::Lines(), Contains(EndsWith(" in 0x0"))); }));
    EXPECT_EQ(StopHost(), 0);
}

TEST_F(PluginFaultTest, EventLoopWithoutPostTaskDropsEveryCursorBatchAndNothingElse)
{
    ExportedUninit();
    TessarilEventLoopTable withoutPostTask = table;
    withoutPostTask.postTask = nullptr;
    InitPlugin(&withoutPostTask);
    ASSERT_EQ(StartWindow(editor), 0);
    Key('A', true, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));  // some 25 ticks, two batches
    EXPECT_EQ(StopHost(), 0);

    EXPECT_THAT(RecordingHostApplication::Take(),
                ElementsAre("register viewer", StartsWith("report PacketDealTime"), "unregister", "unregister"));
    EXPECT_THAT(loop.Journal(), Not(Contains(StartsWith("postTask"))));
    EXPECT_EQ(TESSARIL_REMOTECONTROL_HOST::ZivizevEventLoop::GetInstance()->PendingPostedTaskCount(), 0u);
    ExportedUninit();
    InitPlugin(&table);  // TearDown uninitialises once more
}

TEST_F(PluginFaultTest, CursorTasksThatRunLateSendTheirBatchAfterAStopAndNothingAfterUninit)
{
    struct Row {
        const char* label;
        bool uninitFirst;
        ::testing::Matcher<const Lines&> sent;
    };
    const Row rows[] = {
        {"run after the stop", false, AllOf(Not(IsEmpty()), Each(StartsWith("cursor 10 ")))},
        {"run after ExportedUninit: no entry point is left to send through", true, IsEmpty()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        loop.Pause();
        ASSERT_EQ(StartScreen(), 0);
        ASSERT_TRUE(AnotherTaskPosted(loop)) << "no cursor batch within 3 s";
        ASSERT_EQ(StopHost(), 0);
        if (row.uninitFirst) {
            ExportedUninit();
        }
        RecordingHostApplication::Clear();
        loop.Resume();
        loop.WaitUntilIdle();

        EXPECT_THAT(RecordingHostApplication::Take(), row.sent);
        EXPECT_EQ(CountStartingWith(loop.Journal(), "run "), CountStartingWith(loop.Journal(), "postTask"));
        EXPECT_EQ(TESSARIL_REMOTECONTROL_HOST::ZivizevEventLoop::GetInstance()->PendingPostedTaskCount(), 0u);
        if (row.uninitFirst) {
            InitPlugin(&table);  // TearDown uninitialises once more
        }
    }
}

// Before ExportedInit the plugin is in the same state: no entry point to send through.
TEST_F(PluginFaultTest, CallsAfterExportedUninitReachTheDesktopButSendNothing)
{
    ExportedUninit();
    RecordingHostApplication::Clear();
    Key('A', true, 1);  // nothing started: dropped
    ASSERT_EQ(StartWindow(editor), 0);
    Key('B', true, 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));  // a cursor batch, and no loop to take it
    EXPECT_EQ(StopHost(), 0);

    // B, still held at the stop, is released by it.
    EXPECT_THAT(JournalLinesStartingWith("SendInput"),
                ElementsAre(Send({KeyRec('B', false)}), Send({KeyRec('B', true)})));
    EXPECT_THAT(RecordingHostApplication::Lines(), IsEmpty());
    EXPECT_THAT(loop.Journal(), Not(Contains(StartsWith("postTask"))));
    InitPlugin(&table);  // TearDown uninitialises once more
}

TEST_F(PluginFaultTest, OddRegisterResultsLeaveRemoteControlStarted)
{
    const int64_t results[] = {INT64_C(0x1'0000'0002), INT64_C(0xFFFF'FFFF), 7, INT64_MIN, -1};
    for (const int64_t result : results) {
        SCOPED_TRACE(result);
        RecordingHostApplication::SetRegisterResult(result);
        StartIn(false);
        Key('A', true, 1);
        EXPECT_THAT(SimulatedDesktop::Journal(), Contains(Send({KeyRec('A', false)})));
        EXPECT_THAT(WarningsAndErrors(), ElementsAre());
    }
    RecordingHostApplication::SetRegisterResult(0);
}

}  // namespace
