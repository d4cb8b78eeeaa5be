#include <fmt/format.h>

#include <algorithm>
#include <functional>

#include "PluginTest.h"

namespace {

using ::testing::AllOf;
using ::testing::Each;
using ::testing::Field;
using ::testing::IsEmpty;

struct MessageRow {
    const char* label;
    std::function<void()> send;
    Lines journal;
    LogLines lines;  // the test thread's, traces left out
    Lines messages;
};

// Every viewer message and channel indication, in a fresh start each in window
// mode on the editor: what reaches the desktop, what is logged and what is sent back.
TEST_F(PluginTest, MessagesReachTheDesktopAndAreLoggedAndReported)
{
    const auto receive = [this](uint64_t id) { return [this, id] { session.Receive(id, uint8_t{0}); }; };
    // Stamped when sent: each row's Restart moves the clock on.
    const auto mouse = [this](MouseEvent event) {
        return [this, event]() mutable { EXPECT_TRUE(session.Mouse(event.CreatedAt(clock.Now()))); };
    };
    const auto batch = [this](std::vector<TessarilMouseEventFFI> events) {
        return [this, events]() mutable {
            for (TessarilMouseEventFFI& event : events) {
                event.createTime = clock.Now();
            }
            MouseArray array(events, 30);
            EXPECT_TRUE(session.MouseBatch(array));
        };
    };
    const auto keyLines = [](int code, const char* pressed) {
        return LogLines{InfoLine(fmt::format("Prepare injecting a KeyEvent, key code is {}, key if pressed? {}, seq is "
                                             "1,timeFromCreateToExecute is 0", code, pressed)),
                        InfoLine("Inject a KeyEvent")};
    };
    // The first mouse event of a start writes each rate-limited line once; 65552
    // (0x10010) is the editor, the first window of a fresh desktop.
    const auto mouseLines = [](int x, int y, int button, const char* pressed, const char* after) {
        return LogLines{InfoLine(fmt::format("Prepare injecting a MouseEvent, x is {}, y is {}, button is {}, if pressed? {}, "
                                             "vp_width is 800, vp_height is 600, seq is 1,timeFromCreateToExecute is 0",
                                             x, y, button, pressed)),
                        InfoLine("Inject a MouseEvent"),
                        InfoLine(fmt::format("Before ViewportToScreen, x is {}, y is {}, vp_width is 800, vp_height is 600", x, y)),
                        InfoLine("screenId:65552 false,screen_size is 800:600"),
                        InfoLine("client_viewport_size is 800:600 , host_screen_size is 800:600"),
                        InfoLine(fmt::format("After ViewportToScreen, {}", after))};
    };
    // The viewport has the editor's size: points move by its origin (100,100) only.
    LogLines arrayLines = mouseLines(420, 320, 0, "false", "x is 520, y is 420");
    arrayLines.insert(arrayLines.begin(), InfoLine("Inject Mouse Event Array, events size is 2, time_duration is 30"));
    const LogLines emptyArray{InfoLine("Inject Mouse Event Array, events size is 0, time_duration is 30"),
                              WarningLine("InjectMouseEventArray rcv empty")};
    const LogLines viewportLines{InfoLine("Notify host the viewport size of client"), InfoLine("Viewport Size Changed")};
    const Lines report{"report PacketDealTime 0"};
    // Absolute moves are 65535 x point / screen size (1920 x 1080), rounded: 500,400 -> 17066,24272.
    const std::string move500 = Rec(17066, 24272, 0, 0x8001);
    const MessageRow rows[] = {
        {"key press", [this] { Key('A', true, 1); }, {kAwake, Send({KeyRec('A', false)})}, keyLines('A', "true"), report},
        {"key release", [this] { Key('A', false, 1); }, {kAwake, Send({KeyRec('A', true)})}, keyLines('A', "false"), report},
        {"mouse move", mouse(Mouse(400, 300, 1)), {kAwake, Send({move500})}, mouseLines(400, 300, 0, "false", "x is 500, y is 400"), report},
        {"left button down", mouse(Mouse(400, 300, 1).Button(1, true)), {kAwake, Send({move500, Btn(0x2)})},
         mouseLines(400, 300, 1, "true", "x is 500, y is 400"), report},
        {"middle button up", mouse(Mouse(400, 300, 1).Button(2, false, 2)), {kAwake, Send({move500, Btn(0x40)})},
         mouseLines(400, 300, 2, "false", "x is 500, y is 400"), report},
        {"mouse event not above the last",
         [this] {
             session.Mouse(Mouse(1, 1, 5));
             Forget();
             session.Mouse(Mouse(2, 2, 5));
         },
         {}, {WarningLine("Rcv a mouse event before")}, {}},
        // Each mode writes the size line at a call site of its own, under its own limit.
        {"mouse in window mode, then in screen mode",
         [this] {
             session.Mouse(Mouse(1, 1, 1));
             session.StopHost();
             StartScreen();
             Forget();
             session.Mouse(Mouse(400, 300, 2));
         },
         {kAwake, Send({Rec(32768, 43690, 0, 0x8001)})},  // 960,720: 2.4 times 400,300
         {InfoLine("client_viewport_size is 800:600 , host_screen_size is 1920:1080")}, report},
        {"mouse array", batch({Mouse(420, 320, 1), Mouse(430, 330, 2)}),
         {kAwake, Send({Rec(17749, 25486, 0, 0x8001)}), kAwake, Send({Rec(18090, 26093, 0, 0x8001)})},  // 520,420; 530,430
         arrayLines, report},
        {"empty mouse array", batch({}), {}, emptyArray, {}},
        {"mouse array without a list",
         [this] { session.Receive(TESSARIL_MSG_MOUSE_EVENT_ARRAY, TessarilMouseEventArrayPayload{nullptr, 0, 30}); },
         {}, emptyArray, {}},
        {"viewport", [this] { session.Receive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, Viewport(640, 480)); }, {},
         {viewportLines[0], viewportLines[1], InfoLine("screenId:65552 false,screen_size is 800:600"),
          InfoLine("client_viewport_size is 640:480 , host_screen_size is 800:600")}, {}},
        {"channel available", receive(TESSARIL_MSG_CHANNEL_AVAILABLE), {},
         {InfoLine("Host Receive Channel Available Indication")}, {"channel available"}},
        {"open channel response", receive(TESSARIL_MSG_OPEN_CHANNEL_RESPONSE), {},
         {InfoLine("Host Receive Open Channel Response")}, {}},
        {"close channel response", receive(TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE), {},
         {InfoLine("Host Receive Close Channel Response")}, {}},
    };
    for (const MessageRow& row : rows) {
        SCOPED_TRACE(row.label);
        ASSERT_NO_FATAL_FAILURE(RestartOnEditor());

        row.send();

        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(row.journal));
        EXPECT_THAT(Said(), ElementsAreArray(row.lines));
        EXPECT_THAT(Replies(), ElementsAreArray(row.messages));
    }
}

// Single events of the types a touch or pen already delivered, marked 1, are
// dropped without a line; every other mark or type, and array elements, go in.
TEST_F(PluginTest, OnlyMarkedTouchTypesOfSingleMouseEventsAreSuppressed)
{
    const struct {
        int64_t mark;
        int32_t type;
        bool injected;
    } rows[] = {{1, 3, false}, {1, 8, false}, {1, 9, false}, {1, 12, false},
                {1, 0, true},  {1, 4, true},  {0, 8, true},  {2, 8, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(fmt::format("mark {} type {}", row.mark, row.type));
        ASSERT_NO_FATAL_FAILURE(RestartOnEditor());
        session.Mouse(Mouse(400, 300, 1).Type(row.type).SuppressMark(row.mark));
        EXPECT_EQ(JournalStartingWith("SendInput").size(), row.injected ? 1u : 0u);
        EXPECT_EQ(Said().empty(), !row.injected);
    }
    MouseArray array({Mouse(400, 300, 2).Type(8).SuppressMark(1)});
    session.MouseBatch(array);
    EXPECT_EQ(JournalStartingWith("SendInput").size(), 2u);
}

// Distinct values in every field, so that a field swapped or dropped on the
// way to the input records shows.
TEST_F(PluginTest, EveryMouseFieldReachesItsInputRecordOrLine)
{
    ASSERT_EQ(StartScreen(), 0);
    Forget();
    const MouseEvent event = MouseEvent(401, 302, 1603, 907)
                                 .Seq(11).Button(3, true, 2).Wheel(-240, 360).Delta(17, -19).SuppressMark(5)
                                 .CreatedAt(clock.Now() - 23);

    EXPECT_TRUE(session.Mouse(event));

    // Button 3 with event type 2 and pressed: the right button goes down; the
    // absolute move is to 480,361 on the 1920 x 1080 primary screen.
    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre(kAwake, Send({Rec(16384, 21906, 0, 0x8001), Btn(0x8), Btn(0x1000, -240), Btn(0x800, -360)})));
    EXPECT_THAT(Said(), ElementsAre(
        InfoLine("Prepare injecting a MouseEvent, x is 401, y is 302, button is 3, if pressed? true, "
                 "vp_width is 1603, vp_height is 907, seq is 11,timeFromCreateToExecute is 23"),
        InfoLine("Inject a MouseEvent"),
        InfoLine("Before ViewportToScreen, x is 401, y is 302, vp_width is 1603, vp_height is 907"),
        InfoLine("screenId:65537 true,screen_size is 1920:1080"),
        InfoLine("client_viewport_size is 1603:907 , host_screen_size is 1920:1080"),
        InfoLine("After ViewportToScreen, x is 480, y is 361")));
    EXPECT_THAT(Replies(), ElementsAre("report PacketDealTime 23"));
}

// The latency is the host clock minus the viewer's stamp, taken unsigned: a
// viewer clock ahead of the host's wraps around.
TEST_F(PluginTest, LatencyIsReportedOnlyAfterFiveSecondsHavePassed)
{
    ASSERT_EQ(StartScreen(), 0);
    Key('A', true, 1);  // the first event of a start reports at once
    session.recorder.Clear();
    const struct {
        const char* label;
        int64_t sinceLastReport;
        int64_t viewerClockBehind;
        Lines report;
    } rows[] = {
        {"at once", 0, 7, {}},
        {"after 4000 ms", 4000, 7, {}},
        {"after exactly 5000 ms", 5000, 7, {}},
        {"after 5001 ms", 5001, 7, {"report PacketDealTime 7"}},
        {"the next 5001 ms later, from a mouse event", 5001, 12, {"report PacketDealTime 12"}},
        {"viewer clock 7 ms ahead", 5001, -7, {"report PacketDealTime 18446744073709551609"}},
    };
    int64_t lastReport = clock.Now();
    int64_t seq = 2;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        clock.Set(lastReport + row.sinceLastReport);
        const int64_t createTime = clock.Now() - row.viewerClockBehind;
        if (row.viewerClockBehind == 12) {
            session.Mouse(MouseEvent(1, 1, 800, 600).Seq(seq++).CreatedAt(createTime));
        } else {
            session.Key(KeyEvent('A', true, seq++, false, false, createTime));
        }
        EXPECT_THAT(Replies(), ElementsAreArray(row.report));
        if (!row.report.empty()) {
            lastReport = clock.Now();
        }
    }
}

// With the clock standing still, the cursor thread's ten captures of a batch
// write each of their rate-limited lines once.
TEST_F(PluginTest, CursorThreadWritesItsCaptureLinesOnceUnderTheRateLimit)
{
    SimulatedDesktop::SetCursorFlags(CURSOR_SHOWING);
    ASSERT_EQ(StartScreen(), 0);
    ASSERT_TRUE(AnotherTaskPosted()) << "no cursor batch within 10 s";
    const LogLines lines = RecordingLogger::Lines();
    EXPECT_EQ(std::ranges::count(lines, InfoLine("Host is capturing curosr style and hot-point")), 1);
    EXPECT_EQ(std::ranges::count(lines, InfoLine("screenId:65537 true,screen_size is 1920:1080")), 1);
}

// Each standard cursor by the type the viewer draws; an application's own
// cursor and a hidden one go as the arrow. Batches are sent on the loop thread.
TEST_F(PluginTest, CursorBatchesCarryTheStandardCursorTypes)
{
    const struct {
        const char* label;
        HCURSOR cursor;
        DWORD flags;
        int64_t type;
    } rows[] = {
        // Neighbours differ, so that no batch taken before a change satisfies the row after it.
        {"I-beam", LoadCursorA(nullptr, IDC_IBEAM), CURSOR_SHOWING, 8}, {"arrow", LoadCursorA(nullptr, IDC_ARROW), CURSOR_SHOWING, 0},
        {"wait", LoadCursorA(nullptr, IDC_WAIT), CURSOR_SHOWING, 5}, {"hidden hand", LoadCursorA(nullptr, IDC_HAND), 0, 0},
        {"hand", LoadCursorA(nullptr, IDC_HAND), CURSOR_SHOWING, 3},
        {"the application's own", SimulatedDesktop::CreateCustomCursor(), CURSOR_SHOWING, 0},
        {"no", LoadCursorA(nullptr, IDC_NO), CURSOR_SHOWING, 14},
        {"help", LoadCursorA(nullptr, IDC_HELP), CURSOR_SHOWING, 2}, {"cross", LoadCursorA(nullptr, IDC_CROSS), CURSOR_SHOWING, 7},
        {"size west-east", LoadCursorA(nullptr, IDC_SIZEWE), CURSOR_SHOWING, 28},
        {"size north-south", LoadCursorA(nullptr, IDC_SIZENS), CURSOR_SHOWING, 29},
        {"size north-east", LoadCursorA(nullptr, IDC_SIZENESW), CURSOR_SHOWING, 30},
        {"size north-west", LoadCursorA(nullptr, IDC_SIZENWSE), CURSOR_SHOWING, 31},
    };
    ASSERT_EQ(StartScreen(), 0);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::SetCursorHandle(row.cursor);
        SimulatedDesktop::SetCursorFlags(row.flags);
        session.recorder.Clear();
        // Batches begun before the change hold the cursor before it: wait for one that does not.
        OutgoingMessage last;
        EXPECT_TRUE(Eventually([&] {
            last = LastMessage();
            return !last.samples.empty() &&
                   std::ranges::all_of(last.samples, [&](const auto& sample) { return sample.cursorType == row.type; });
        })) << "last batch: " << last.Line();
        EXPECT_EQ(last.thread, session.loop.LoopThreadId());
        EXPECT_TRUE(last.pluginSender);
    }
}

// The shared window moved, then resized, while remote control runs: the viewer's
// point and the cursor's samples follow its current rectangle. The samples'
// first and last fields are the constants 0 and 1.
TEST_F(PluginTest, ClicksAndCursorSamplesFollowTheSharedWindowWhenItMovesOrResizes)
{
    SimulatedDesktop::SetCursorHandle(LoadCursorA(nullptr, IDC_IBEAM));
    SimulatedDesktop::SetCursorFlags(CURSOR_SHOWING);
    ASSERT_EQ(StartWindow(), 0);
    const struct {
        const char* label;
        RECT rect;
        std::string move;  // of the viewer's 400,300 in an 800 x 600 viewport
        std::string batch;  // the cursor at 310,205 less the window's origin
    } rows[] = {
        {"where it started", {100, 100, 900, 700}, Rec(17066, 24272, 0, 0x8001) /* 500,400 */, CursorBatch(8, 210, 105, 800, 600)},
        {"moved", {300, 200, 1100, 800}, Rec(23893, 30340, 0, 0x8001) /* 700,500 */, CursorBatch(8, 10, 5, 800, 600)},
        {"resized to twice the viewport", {100, 100, 1700, 1300}, Rec(30720, 42476, 0, 0x8001) /* 900,700 */,
         CursorBatch(8, 210, 105, 1600, 1200)},
    };
    int64_t seq = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::SetWindowRect(editor, row.rect);
        Forget();
        EXPECT_TRUE(session.Mouse(Mouse(400, 300, ++seq)));
        EXPECT_THAT(JournalStartingWith("SendInput"), ElementsAre(Send({row.move})));
        SimulatedDesktop::SetCursorPosition({310, 205});  // away from where the move put it
        EXPECT_TRUE(Eventually([&] { return LastBatch() == row.batch; })) << LastBatch();
        EXPECT_THAT(LastMessage().samples, Each(AllOf(Field(&TessarilMouseCursorFFI::reserved0, 0),
                                                      Field(&TessarilMouseCursorFFI::reserved1, 1))));
    }
}

// The key path writes its line at most once in 2 s; the key itself goes in.
TEST_F(PluginTest, SecondKeyWithinTwoSecondsIsInjectedWithoutItsLine)
{
    ASSERT_EQ(StartWindow(), 0);
    Key('A', true, 1);
    Forget();
    clock.Advance(1999);
    Key('B', true, 2);
    EXPECT_THAT(Said(), IsEmpty());
    EXPECT_THAT(JournalStartingWith("SendInput"), ElementsAre(Send({KeyRec('B', false)})));
}

}  // namespace
