#include "host/PylonHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AllocationCounter.h"
#include "EventLoop.h"
#include "FakeClock.h"
#include "MessageRecorder.h"
#include "RecordingLogger.h"
#include "coordinates/CoordinateConverterHost.h"
#include "host/ZivizevEventLoop.h"
#include "messaging/Notifier.h"
#include "messaging/TessarilServerApiRequester.h"
#include "messaging/TessarilServerApiResponser.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace TESSARIL_REMOTECONTROL_HOST;
using TESSARIL_SERVER_API::KeyEvent;
using TESSARIL_SERVER_API::MouseEvent;
using TESSARIL_SERVER_API::TouchRecord;

// Short entries, so that the journal allocates nothing once reserved.
class FakeInjector : public IInputInjector {
public:
    void Init(uint64_t, bool) override { journal.push_back("Init"); }
    void UnInit() override { journal.push_back("UnInit"); }
    void InjectKeyEvent(const KeyEvent& event) override { journal.push_back("key " + std::to_string(event.seq)); }
    void InjectMouseEvent(const MouseEvent& event) override
    {
        journal.push_back("mouse " + std::to_string(event.seq));
    }
    void InjectTouchEvent(const TouchRecord&) override { journal.push_back("touch"); }
    void UpdateIgnoreWindow(const HostIgnoredWindow&, bool) override { journal.push_back("UpdateIgnoreWindow"); }
    void ClearIgnoreWindow() override { journal.push_back("ClearIgnoreWindow"); }
    void ResetWindowId(uint64_t) override { journal.push_back("ResetWindowId"); }
    void ResetScreenId(uint64_t) override { journal.push_back("ResetScreenId"); }

    std::vector<std::string> journal;
};

TESSARIL_HOST_APP::MessageRecorder recorder;

std::vector<std::string> TakeOutgoing()
{
    return recorder.TakeLines();
}

std::vector<LoggedLine> TakeLines()
{
    auto lines = RecordingLogger::Lines();
    RecordingLogger::Clear();
    return lines;
}

// The rate limiters are function-local statics that outlive a test: each test's
// clock starts far beyond the previous one's, so every site may write again.
int64_t NextTestStart()
{
    static int64_t start = 1'700'000'000'000;
    start += 1'000'000;
    return start;
}

// The trace lines of one PylonHost operation that takes no time.
std::pair<LoggedLine, LoggedLine> Trace(const std::string& operation)
{
    const std::string name = "TESSARIL_REMOTECONTROL_HOST::PylonHost::" + operation;
    return {InfoLine("entry " + name), InfoLine("exit " + name + ", cost : 0")};
}

std::string MouseLine(int64_t seq, const std::string& latency)
{
    return "Prepare injecting a MouseEvent, x is 10, y is -20, button is 2, if pressed? true, vp_width is 1280, "
           "vp_height is 720, seq is " + std::to_string(seq) + ",timeFromCreateToExecute is " + latency;
}

class PylonHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TessarilServerApiRequester::GetInstance()->SetSendFunction(&TESSARIL_HOST_APP::MessageRecorder::Send);
        Notifier::GetInstance()->SetNotifyFunction(&TESSARIL_HOST_APP::MessageRecorder::Notify);
        CoordinateConverterHost::GetInstance();
        StartAnew();
    }

    // A fresh host, whose first injected event is due a latency report.
    void StartAnew()
    {
        host.emplace();
        host->Init(injector, "remote");
        TakeOutgoing();
        RecordingLogger::Clear();
        injector->journal.clear();
    }

    void TearDown() override
    {
        host.reset();
        TessarilServerApiResponser::DestroyInstance();
        TessarilServerApiRequester::DestroyInstance();
        Notifier::DestroyInstance();
        CoordinateConverterHost::DestroyInstance();
        ZivizevEventLoop::DestroyInstance();
        TakeOutgoing();
        RecordingLogger::Clear();
    }

    static void Receive(uint64_t id, const void* payload)
    {
        ASSERT_TRUE(TessarilServerApiResponser::GetInstance()->OnReceive(id, payload));
    }

    void ReceiveKey(int64_t seq, int64_t createTime)
    {
        TessarilKeyEvent key{};
        key.keyCode = 65;
        key.pressed = true;
        key.seq = seq;
        key.createTime = createTime;
        Receive(TESSARIL_MSG_KEY_EVENT, &key);
    }

    TessarilMouseEventFFI Mouse(int64_t seq, int32_t eventType = 1, int64_t suppressMark = 0) const
    {
        TessarilMouseEventFFI mouse{};
        mouse.x = 10;
        mouse.y = -20;
        mouse.button = 2;
        mouse.eventType = eventType;
        mouse.pressed = true;
        mouse.vp_width = 1280;
        mouse.vp_height = 720;
        mouse.suppressMark = suppressMark;
        mouse.seq = seq;
        mouse.createTime = clock.Now();
        return mouse;
    }

    void ReceiveArray(const std::vector<TessarilMouseEventFFI>& events, int64_t duration)
    {
        const TessarilMouseEventArrayPayload array{events.data(), static_cast<uint32_t>(events.size()), duration};
        Receive(TESSARIL_MSG_MOUSE_EVENT_ARRAY, &array);
    }

    FakeClock clock{NextTestStart()};
    std::shared_ptr<FakeInjector> injector = std::make_shared<FakeInjector>();
    std::optional<PylonHost> host;
};

TEST_F(PylonHostTest, InitSendsTheRegisterRequestWithTheTextAndMapsItsResult)
{
    const std::pair<int64_t, int64_t> rows[] = {{0, 0}, {1, 1}, {2, 2}, {3, 1}, {-1, 1}};
    for (const auto& [sent, returned] : rows) {
        SCOPED_TRACE(sent);
        recorder.SetRegisterResult(sent);
        host.emplace();
        TakeOutgoing();
        RecordingLogger::Clear();
        EXPECT_EQ(host->Init(injector, "Überweisung"), returned);
        EXPECT_THAT(TakeOutgoing(), ElementsAre("register Überweisung"));
        EXPECT_THAT(TakeLines(), ElementsAre(Trace("Init").first, Trace("Init").second));
    }
    recorder.SetRegisterResult(0);
}

// The latency is the unsigned difference: a viewer clock ahead of ours wraps.
TEST_F(PylonHostTest, FirstSingleEventWritesItsLineReportsItsLatencyAndIsInjected)
{
    struct Row {
        const char* label;
        std::function<void()> receive;
        LoggedLine line;
        std::string report;
        std::string injected;
    };
    const Row rows[] = {
        {"key event, created 20 ms ago", [&] { ReceiveKey(7, clock.Now() - 20); },
         InfoLine("Prepare injecting a KeyEvent, key code is 65, key if pressed? true, seq is 7,"
                  "timeFromCreateToExecute is 20"),
         "20", "key 7"},
        {"mouse event, created 10 ms ahead", [&] {
             auto mouse = Mouse(8);
             mouse.createTime += 10;
             Receive(TESSARIL_MSG_MOUSE_EVENT, &mouse);
         },
         InfoLine(MouseLine(8, "18446744073709551606")), "18446744073709551606", "mouse 8"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        clock.Set(NextTestStart());
        StartAnew();
        row.receive();
        EXPECT_THAT(TakeLines(), ElementsAre(row.line));
        EXPECT_THAT(TakeOutgoing(), ElementsAre("report PacketDealTime " + row.report));
        EXPECT_THAT(injector->journal, ElementsAre(row.injected));
    }
}

TEST_F(PylonHostTest, KeyAndMouseEventsShareOneLatencyReportPer5000Milliseconds)
{
    ReceiveKey(1, clock.Now() - 3);
    clock.Advance(4000);
    const auto mouse = Mouse(2);
    Receive(TESSARIL_MSG_MOUSE_EVENT, &mouse);
    clock.Advance(1000);
    ReceiveKey(3, clock.Now() - 4);
    clock.Advance(1);
    ReceiveKey(4, clock.Now() - 5);
    EXPECT_THAT(TakeOutgoing(), ElementsAre("report PacketDealTime 3", "report PacketDealTime 5"));
    EXPECT_THAT(injector->journal, ElementsAre("key 1", "mouse 2", "key 3", "key 4"));
}

TEST_F(PylonHostTest, SuppressedSingleMouseEventIsDroppedSilentlyButInjectedInsideAnArray)
{
    struct Row {
        int32_t eventType;
        int64_t suppressMark;
        bool dropped;
    };
    const Row rows[] = {{3, 1, true},  {8, 1, true},  {9, 1, true},  {12, 1, true},
                        {8, 0, false}, {8, 2, false}, {1, 1, false}, {8, 0x1'0000'0001, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "type " << row.eventType << " mark " << row.suppressMark);
        StartAnew();
        const auto mouse = Mouse(1, row.eventType, row.suppressMark);
        Receive(TESSARIL_MSG_MOUSE_EVENT, &mouse);
        if (row.dropped) {
            EXPECT_THAT(injector->journal, IsEmpty());
            EXPECT_THAT(TakeOutgoing(), IsEmpty());
        } else {
            EXPECT_THAT(injector->journal, ElementsAre("mouse 1"));
        }
        injector->journal.clear();
        ReceiveArray({Mouse(2, row.eventType, row.suppressMark)}, 0);
        EXPECT_THAT(injector->journal, ElementsAre("mouse 2"));
    }
}

// The duration spaces nothing: three events with 500 ms are injected at once.
TEST_F(PylonHostTest, MouseEventArrayWritesItsLineThenInjectsEachEventBackToBack)
{
    struct Row {
        const char* label;
        int64_t count;
        int64_t duration;
        std::vector<LoggedLine> lines;
        std::vector<std::string> injected;
    };
    const Row rows[] = {
        {"three", 3, 500,
         {InfoLine("Inject Mouse Event Array, events size is 3, time_duration is 500"), InfoLine(MouseLine(1, "0"))},
         {"mouse 1", "mouse 2", "mouse 3"}},
        {"duration beyond 32 bits", 1, 0x1'0000'0007,
         {InfoLine("Inject Mouse Event Array, events size is 1, time_duration is 7"), InfoLine(MouseLine(1, "0"))},
         {"mouse 1"}},
        {"empty", 0, 500,
         {InfoLine("Inject Mouse Event Array, events size is 0, time_duration is 500"),
          WarningLine("InjectMouseEventArray rcv empty")},
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        injector->journal.clear();
        std::vector<TessarilMouseEventFFI> events;
        for (int64_t seq = 1; seq <= row.count; ++seq) {
            events.push_back(Mouse(seq));
        }
        const auto started = std::chrono::steady_clock::now();
        ReceiveArray(events, row.duration);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(250));
        EXPECT_EQ(TakeLines(), row.lines);
        EXPECT_EQ(injector->journal, row.injected);
        clock.Advance(10'000);  // the mouse line may be written again
    }
}

TEST_F(PylonHostTest, UnInitAndTheDestructorEachUnregisterAndLeaveNoHandlerBehind)
{
    EXPECT_EQ(host->UnInit(), 0);
    ReceiveKey(1, clock.Now());
    const auto mouse = Mouse(2);
    Receive(TESSARIL_MSG_MOUSE_EVENT, &mouse);
    ReceiveArray({Mouse(3)}, 0);
    const TessarilClientViewportInfo info{0, 0, 1280, 720};
    Receive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, &info);
    EXPECT_EQ(injector.use_count(), 2);
    host.reset();
    EXPECT_EQ(injector.use_count(), 1);
    EXPECT_THAT(injector->journal, IsEmpty());
    EXPECT_THAT(TakeOutgoing(), ElementsAre("unregister", "unregister"));
    const auto [entry, exit] = Trace("UnInit");
    EXPECT_THAT(TakeLines(), ElementsAre(entry, exit, entry, exit));
}

TEST_F(PylonHostTest, CursorReportIsSentOnTheLoopThreadEvenAfterTheHostIsGone)
{
    TESSARIL_HOST_APP::EventLoop loop;
    ZivizevEventLoop::GetInstance()->Init(loop.Table());
    loop.Pause();
    {
        std::vector<CursorSample> batch(2);
        batch[0].x = 1;
        batch[0].y = 2;
        batch[1].x = 3;
        batch[1].y = 4;
        EXPECT_EQ(host->ReportMouseCursor(batch), 0);
    }
    host.reset();
    loop.Resume();
    loop.WaitUntilIdle();
    EXPECT_EQ(recorder.Messages().back().thread, loop.LoopThreadId());
    EXPECT_THAT(TakeOutgoing(), ElementsAre("unregister", "cursor 2 0@1,2 0@3,4 in 0x0"));
}

TEST_F(PylonHostTest, KeyAndMousePathsAllocateNothingBetweenReportsOnceTheirLinesAreWritten)
{
    ReceiveKey(1, clock.Now());
    const auto mouse = Mouse(2);
    Receive(TESSARIL_MSG_MOUSE_EVENT, &mouse);
    clock.Advance(1);
    injector->journal.reserve(100);
    const long before = AllocationCounter::Count();
    for (int i = 0; i < 49; ++i) {
        ReceiveKey(3, clock.Now());
        Receive(TESSARIL_MSG_MOUSE_EVENT, &mouse);
    }
    EXPECT_EQ(AllocationCounter::Count() - before, 0);
    EXPECT_EQ(injector->journal.size(), 100u);
}

}  // namespace
