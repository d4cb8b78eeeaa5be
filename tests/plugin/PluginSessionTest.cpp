#include <algorithm>
#include <fmt/format.h>

#include <functional>

#include "PluginTest.h"

namespace {

using ::testing::IsEmpty;

struct MessageRow {
    const char* label;
    bool started;  // in window mode on the editor; false: started and stopped again
    std::function<void()> send;
    Lines journal;
    LogLines lines;  // the test thread's, traces left out
    Lines messages;
};

// Every viewer message and channel indication, in a fresh start each (or after
// its stop): what reaches the desktop, what is logged and what is sent back.
TEST_F(PluginTest, MessagesReachTheDesktopAndAreLoggedAndReported)
{
    const auto receive = [this](uint64_t id) { return [this, id] { session.Receive(id, uint8_t{0}); }; };
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
                                             "1,timeFromCreateToExecute is 0",
                                             code, pressed)),
                        InfoLine("Inject a KeyEvent")};
    };
    // The first mouse event of a start writes each rate-limited line once.
    const auto mouseLines = [](int x, int y, int button, const char* pressed) {
        return LogLines{
            InfoLine(fmt::format("Prepare injecting a MouseEvent, x is {}, y is {}, button is {}, if pressed? {}, "
                                 "vp_width is 800, vp_height is 600, seq is 1,timeFromCreateToExecute is 0",
                                 x, y, button, pressed)),
            InfoLine("Inject a MouseEvent"),
            InfoLine(fmt::format("Before ViewportToScreen, x is {}, y is {}, vp_width is 800, vp_height is 600", x, y)),
            InfoLine("screenId:65552 false,screen_size is 800:600"),
            InfoLine("client_viewport_size is 800:600 , host_screen_size is 800:600"),
            InfoLine(fmt::format("After ViewportToScreen, x is {}, y is {}", x + 100, y + 100))};
    };
    LogLines arrayLines = mouseLines(420, 320, 0, "false");
    arrayLines.insert(arrayLines.begin(), InfoLine("Inject Mouse Event Array, events size is 2, time_duration is 30"));
    const Lines report{"report PacketDealTime 0"};
    const std::string move500 = Rec(17066, 24272, 0, 0x8001);  // the editor's 500,400 on the 1920 x 1080 screen
    const MessageRow rows[] = {
        {"key press", true, [this] { Key('A', true, 1); }, {kAwake, Send({KeyRec('A', false)})}, keyLines('A', "true"), report},
        {"key press wanting Caps Lock",
         true,
         [this] { Key('H', true, 1, true); },
         {kAwake, Send({KeyRec(VK_CAPITAL, false), KeyRec(VK_CAPITAL, true)}), Send({KeyRec('H', false)})},
         keyLines('H', "true"),
         report},
        {"Caps Lock pressed itself", true, [this] { Key(VK_CAPITAL, true, 1, true); },
         {kAwake, Send({KeyRec(VK_CAPITAL, false)})}, keyLines(VK_CAPITAL, "true"), report},
        {"key release", true, [this] { Key('A', false, 1); }, {kAwake, Send({KeyRec('A', true)})}, keyLines('A', "false"), report},
        {"mouse move", true, mouse(Mouse(400, 300, 1)), {kAwake, Send({move500})}, mouseLines(400, 300, 0, "false"), report},
        {"left button down", true, mouse(Mouse(400, 300, 1).Button(1, true)), {kAwake, Send({move500, Btn(0x2)})},
         mouseLines(400, 300, 1, "true"), report},
        {"middle button up", true, mouse(Mouse(400, 300, 1).Button(2, false, 2)), {kAwake, Send({move500, Btn(0x40)})},
         mouseLines(400, 300, 2, "false"), report},
        {"wheel: the vertical step goes in negated",
         true,
         mouse(Mouse(410, 310, 1).Wheel(-240, 120)),
         {kAwake, Send({Rec(17408, 24879, 0, 0x8001), Btn(0x1000, -240), Btn(0x800, -120)})},
         mouseLines(410, 310, 0, "false"),
         report},
        {"move made by touch, suppressed", true, mouse(Mouse(400, 300, 1).Type(3).SuppressMark(1)), {}, {}, {}},
        {"mouse event not above the last",
         true,
         [this] {
             session.Mouse(Mouse(1, 1, 5));
             Forget();
             session.Mouse(Mouse(2, 2, 5));
         },
         {},
         {WarningLine("Rcv a mouse event before")},
         {}},
        {"mouse array",
         true,
         batch({Mouse(420, 320, 1), Mouse(430, 330, 2)}),
         {kAwake, Send({Rec(17749, 25486, 0, 0x8001)}), kAwake, Send({Rec(18090, 26093, 0, 0x8001)})},
         arrayLines,
         report},
        {"empty mouse array",
         true,
         batch({}),
         {},
         {InfoLine("Inject Mouse Event Array, events size is 0, time_duration is 30"),
          WarningLine("InjectMouseEventArray rcv empty")},
         {}},
        {"viewport",
         true,
         [this] { session.Receive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, Viewport(640, 480)); },
         {},
         {InfoLine("Notify host the viewport size of client"), InfoLine("Viewport Size Changed"),
          InfoLine("screenId:65552 false,screen_size is 800:600"),
          InfoLine("client_viewport_size is 640:480 , host_screen_size is 800:600")},
         {}},
        {"zero viewport",
         true,
         [this] { session.Receive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, Viewport(0, 480)); },
         {},
         {InfoLine("Notify host the viewport size of client"), InfoLine("Viewport Size Changed"),
          ErrorLine("Client viewport area size must be Non-Zero!")},
         {}},
        {"channel available", true, receive(TESSARIL_MSG_CHANNEL_AVAILABLE), {},
         {InfoLine("Host Receive Channel Available Indication")}, {"channel available"}},
        {"channel unavailable", true, receive(TESSARIL_MSG_CHANNEL_UNAVAILABLE), {},
         {InfoLine("Host Receive Channel UnAvailable Indication")}, {"channel unavailable"}},
        {"open channel response", true, receive(TESSARIL_MSG_OPEN_CHANNEL_RESPONSE), {},
         {InfoLine("Host Receive Open Channel Response")}, {}},
        {"close channel response", true, receive(TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE), {},
         {InfoLine("Host Receive Close Channel Response")}, {}},
        {"key after a stop", false, [this] { Key('A', true, 1); }, {}, {}, {}},
        {"mouse after a stop", false, mouse(Mouse(400, 300, 1)), {}, {}, {}},
        {"channel available after a stop", false, receive(TESSARIL_MSG_CHANNEL_AVAILABLE), {}, {}, {}},
        {"open channel response after a stop", false, receive(TESSARIL_MSG_OPEN_CHANNEL_RESPONSE), {}, {}, {}},
        {"close channel response after a stop", false, receive(TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE), {}, {}, {}},
        {"channel unavailable after a stop", false, receive(TESSARIL_MSG_CHANNEL_UNAVAILABLE), {}, {}, {}},
        {"viewport after a stop", false, [this] { session.Receive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, Viewport(640, 480)); }, {}, {}, {}},
    };
    for (const MessageRow& row : rows) {
        SCOPED_TRACE(row.label);
        Restart();
        ASSERT_EQ(StartWindow(), 0);
        if (!row.started) {
            ASSERT_EQ(session.StopHost(), 0);
        }
        Forget();

        row.send();

        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(row.journal));
        EXPECT_THAT(Said(), ElementsAreArray(row.lines));
        EXPECT_THAT(session.recorder.TakeLines(), ElementsAreArray(row.messages));
    }
}

// Distinct values in every field, so that a field swapped or dropped on the
// way to the input records shows.
TEST_F(PluginTest, EveryMouseFieldReachesItsInputRecordOrLine)
{
    struct Row {
        const char* label;
        int screenWidth, screenHeight;  // of the primary monitor; 1 x 1 has no absolute moves
        int viewportWidth, viewportHeight;
        std::string move;    // the record that moves the cursor
        LogLines converted;  // the converter's lines and after
    };
    const Row rows[] = {
        {"absolute move from x and y",
         1920, 1080, 1603, 907,
         Rec(16384, 21906, 0, 0x8001),
         {InfoLine("Before ViewportToScreen, x is 401, y is 302, vp_width is 1603, vp_height is 907"),
          InfoLine("screenId:65537 true,screen_size is 1920:1080"),
          InfoLine("client_viewport_size is 1603:907 , host_screen_size is 1920:1080"),
          InfoLine("After ViewportToScreen, x is 480, y is 361")}},
        {"relative move from the deltas on a one-pixel screen",
         1, 1, 1, 1,
         Rec(17, -19, 0, 0x0001),
         {InfoLine("Before ViewportToScreen, x is 401, y is 302, vp_width is 1, vp_height is 1"),
          InfoLine("screenId:65537 true,screen_size is 1:1"), InfoLine("client_viewport_size is 1:1 , host_screen_size is 1:1"),
          InfoLine("After ViewportToScreen, x is 401, y is 302")}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        Restart();
        SimulatedDesktop::SetPrimaryScreenSize(row.screenWidth, row.screenHeight);
        ASSERT_EQ(StartScreen(), 0);
        Forget();
        const MouseEvent event = MouseEvent(401, 302, row.viewportWidth, row.viewportHeight)
                                     .Seq(11)
                                     .Button(3, true, 2)
                                     .Wheel(-240, 360)
                                     .Delta(17, -19)
                                     .SuppressMark(5)
                                     .CreatedAt(clock.Now() - 23);

        EXPECT_TRUE(session.Mouse(event));

        // Button 3 with event type 2 and pressed: the right button goes down.
        EXPECT_THAT(SimulatedDesktop::Journal(),
                    ElementsAre(kAwake, Send({row.move, Btn(0x8), Btn(0x1000, -240), Btn(0x800, -360)})));
        LogLines lines{InfoLine(fmt::format("Prepare injecting a MouseEvent, x is 401, y is 302, button is 3, if pressed? "
                                            "true, vp_width is {}, vp_height is {}, seq is 11,timeFromCreateToExecute is 23",
                                            row.viewportWidth, row.viewportHeight)),
                       InfoLine("Inject a MouseEvent")};
        lines.insert(lines.end(), row.converted.begin(), row.converted.end());
        EXPECT_THAT(Said(), ElementsAreArray(lines));
        EXPECT_THAT(session.recorder.TakeLines(), ElementsAre("report PacketDealTime 23"));
    }
}

struct LatencyRow {
    const char* label;
    int64_t sinceLastReport;
    int64_t viewerClockBehind;
    Lines report;
};

TEST_F(PluginTest, LatencyIsReportedOnlyAfterFiveSecondsHavePassed)
{
    ASSERT_EQ(StartScreen(), 0);
    Key('A', true, 1);  // the first event of a start reports at once
    session.recorder.Clear();

    const LatencyRow rows[] = {
        {"at once", 0, 7, {}},
        {"after 4000 ms", 4000, 7, {}},
        {"after exactly 5000 ms", 5000, 7, {}},
        {"after 5001 ms", 5001, 7, {"report PacketDealTime 7"}},
        {"the next 5001 ms later, from a mouse event", 5001, 12, {"report PacketDealTime 12"}},
    };
    int64_t lastReport = clock.Now();
    int64_t seq = 2;
    for (const LatencyRow& row : rows) {
        SCOPED_TRACE(row.label);
        clock.Set(lastReport + row.sinceLastReport);
        const int64_t createTime = clock.Now() - row.viewerClockBehind;
        if (row.viewerClockBehind == 12) {
            session.Mouse(MouseEvent(1, 1, 800, 600).Seq(seq++).CreatedAt(createTime));
        } else {
            session.Key(KeyEvent('A', true, seq++, false, false, createTime));
        }
        EXPECT_THAT(session.recorder.TakeLines(), ElementsAreArray(row.report));
        if (!row.report.empty()) {
            lastReport = clock.Now();
        }
    }
}

// Each standard cursor by the type the viewer draws; an application's own
// cursor and a hidden one go as the arrow. Batches are sent on the loop thread.
TEST_F(PluginTest, CursorBatchesCarryTheStandardCursorTypes)
{
    struct Row {
        const char* label;
        HCURSOR cursor;
        DWORD flags;
        int64_t type;
    };
    const Row rows[] = {
        {"I-beam", LoadCursorA(nullptr, IDC_IBEAM), CURSOR_SHOWING, 8},
        {"wait", LoadCursorA(nullptr, IDC_WAIT), CURSOR_SHOWING, 5},
        {"hand", LoadCursorA(nullptr, IDC_HAND), CURSOR_SHOWING, 3},
        {"no", LoadCursorA(nullptr, IDC_NO), CURSOR_SHOWING, 14},
        {"help", LoadCursorA(nullptr, IDC_HELP), CURSOR_SHOWING, 2},
        {"cross", LoadCursorA(nullptr, IDC_CROSS), CURSOR_SHOWING, 7},
        {"size west-east", LoadCursorA(nullptr, IDC_SIZEWE), CURSOR_SHOWING, 28},
        {"size north-south", LoadCursorA(nullptr, IDC_SIZENS), CURSOR_SHOWING, 29},
        {"size north-east", LoadCursorA(nullptr, IDC_SIZENESW), CURSOR_SHOWING, 30},
        {"size north-west", LoadCursorA(nullptr, IDC_SIZENWSE), CURSOR_SHOWING, 31},
        {"arrow", LoadCursorA(nullptr, IDC_ARROW), CURSOR_SHOWING, 0},
        {"hidden hand", LoadCursorA(nullptr, IDC_HAND), 0, 0},
        {"the application's own", SimulatedDesktop::CreateCustomCursor(), CURSOR_SHOWING, 0},
    };
    ASSERT_EQ(StartScreen(), 0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::SetCursorHandle(row.cursor);
        SimulatedDesktop::SetCursorFlags(row.flags);
        session.recorder.Clear();
        // Batches begun before the change hold the cursor before it: wait for one that does not.
        OutgoingMessage last;
        const bool seen = Eventually([&] {
            const std::vector<OutgoingMessage> sent = session.recorder.Messages();
            last = sent.empty() ? OutgoingMessage{} : sent.back();
            return !last.samples.empty() && std::ranges::all_of(last.samples, [&](const auto& sample) {
                return sample.cursorType == row.type;
            });
        });
        EXPECT_TRUE(seen) << "last batch: " << last.Line();
        EXPECT_EQ(last.thread, session.loop.LoopThreadId());
        EXPECT_TRUE(last.pluginSender);
    }
}

}  // namespace
