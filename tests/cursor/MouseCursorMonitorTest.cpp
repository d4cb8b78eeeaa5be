#include "cursor/MouseCursorMonitor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "FakeClock.h"
#include "JournalQueries.h"
#include "RecordingLogger.h"
#include "coordinates/CoordinateConverterHost.h"
#include "simulated_desktop.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost;
using TESSARIL_REMOTECONTROL_HOST::CursorSample;
using TESSARIL_REMOTECONTROL_HOST::MouseCursorMonitor;
using Batches = std::vector<std::vector<CursorSample>>;
using Seen = std::tuple<int64_t, int64_t, int64_t, int64_t, int64_t, int64_t, int64_t>;
using namespace std::chrono_literals;

// Bounds only how long a broken monitor hangs a test (loaded machine, qemu, TSan).
constexpr auto kPatience = 20s;
const LoggedLine kCapturing = InfoLine("Host is capturing curosr style and hot-point");
const LoggedLine kUnreadable = WarningLine("Unable to get cursor info. Error = 5");

// A sample's fields in order, printable by GoogleTest.
Seen Sample(int64_t type, int64_t x, int64_t y, int64_t width, int64_t height)
{
    return {0, type, x, y, width, height, 1};
}

std::vector<Seen> AllOf(const Batches& batches)
{
    std::vector<Seen> all;
    for (const auto& batch : batches) {
        for (const auto& s : batch) {
            all.emplace_back(s.reserved0, s.cursorType, s.x, s.y, s.screenWidth, s.screenHeight, s.reserved1);
        }
    }
    return all;
}

LoggedLine Trace(const std::string& direction, const std::string& operation)
{
    const std::string name = "TESSARIL_REMOTECONTROL_HOST::MouseCursorMonitor::" + operation;
    return InfoLine(direction == "entry" ? "entry " + name : "exit " + name + ", cost : 0");
}

// The monitor's lines, without the converter's rate-limited ones.
std::vector<LoggedLine> MonitorLines()
{
    auto lines = RecordingLogger::Lines();
    std::erase_if(lines, [](const LoggedLine& line) {
        return line.message.find("CoordinateConverterHost") != std::string::npos || line.message.starts_with("window");
    });
    return lines;
}

size_t CountOf(const LoggedLine& wanted)
{
    const auto lines = RecordingLogger::Lines();
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), wanted));
}

// Keeps the batches delivered on the timer thread; onBatch runs there after
// a batch is kept and before the waiters learn of it.
class BatchCollector : public MouseCursorMonitor::Callback {
public:
    std::function<void()> onBatch;

    void OnMouseCursorCaptured(std::vector<CursorSample>& batch) override
    {
        std::unique_lock lock(mutex);
        batches.push_back(batch);
        lock.unlock();
        if (onBatch) {
            onBatch();
        }
        lock.lock();
        ++announced;
        arrived.notify_all();
    }

    // The batches once there are `count`, or those that came in time.
    Batches WaitFor(size_t count)
    {
        std::unique_lock lock(mutex);
        arrived.wait_for(lock, kPatience, [&] { return announced >= count; });
        return batches;
    }

private:
    std::mutex mutex;
    std::condition_variable arrived;
    Batches batches;
    size_t announced = 0;
};

// Each test's clock starts far beyond the previous one's, so each rate-limited
// site writes exactly once per test.
int64_t NextTestStart()
{
    static int64_t start = 1'700'000'000'000;
    return start += 1'000'000;
}

class MouseCursorMonitorTest : public ::testing::Test {
protected:
    void SetUp() override { StartFresh(); }
    void TearDown() override { DestroyBoth(); }

    static void DestroyBoth()
    {
        MouseCursorMonitor::DestroyInstance();
        CoordinateConverterHost::DestroyInstance();
    }

    // The converter is made here so that the timer thread never creates it.
    static void StartFresh()
    {
        DestroyBoth();
        SimulatedDesktop::Reset();
        CoordinateConverterHost::GetInstance();
        RecordingLogger::Clear();
    }

    static MouseCursorMonitor& Monitor() { return *MouseCursorMonitor::GetInstance(); }

    // The first batch of a monitor started on the desktop as it is now.
    static std::vector<Seen> FirstBatch()
    {
        BatchCollector collector;
        Monitor().Init(&collector);
        const Batches batches = collector.WaitFor(1);
        Monitor().Uninit();
        return AllOf(batches);
    }

    FakeClock clock{NextTestStart()};
};

TEST_F(MouseCursorMonitorTest, CallsInTheWrongStateOnlyLog)
{
    const std::vector<LoggedLine> uninitRefused = {
        Trace("entry", "Uninit"), WarningLine("MouseCursorMonitor not inited"), Trace("exit", "Uninit")};
    SCOPED_TRACE("Uninit before any Init");
    Monitor().Uninit();
    EXPECT_EQ(RecordingLogger::Lines(), uninitRefused);

    SCOPED_TRACE("Init with null, then Uninit: still not inited");
    RecordingLogger::Clear();
    Monitor().Init(nullptr);
    std::vector<LoggedLine> expected = {Trace("entry", "Init"), ErrorLine("Init fail, callback is empty"),
                                        Trace("exit", "Init")};
    Monitor().Uninit();
    expected.insert(expected.end(), uninitRefused.begin(), uninitRefused.end());
    EXPECT_EQ(RecordingLogger::Lines(), expected);
}

TEST_F(MouseCursorMonitorTest, SecondInitWarnsAndKeepsTheFirstCallback)
{
    BatchCollector first;
    BatchCollector second;
    Monitor().Init(&first);
    RecordingLogger::Clear();
    Monitor().Init(&second);
    auto lines = MonitorLines();
    first.WaitFor(1);
    Monitor().Uninit();
    std::erase(lines, kCapturing);
    EXPECT_THAT(lines, ElementsAre(Trace("entry", "Init"), WarningLine("MouseCursorMonitor has been inited"),
                                   Trace("exit", "Init")));
    EXPECT_THAT(second.WaitFor(0), SizeIs(0));
}

TEST_F(MouseCursorMonitorTest, DeliversBatchesOfExactlyTenAndLogsCapturingAtTheRateLimit)
{
    BatchCollector collector;
    Monitor().Init(&collector);
    const Batches batches = collector.WaitFor(3);
    Monitor().Uninit();
    EXPECT_THAT(batches, ElementsAre(SizeIs(10), SizeIs(10), SizeIs(10)));
    EXPECT_EQ(CountOf(kCapturing), 1u);
}

// The position and size of a shared window or monitor reach the report through
// the converter, as the plugin's and the demo's cursor batches show.
TEST_F(MouseCursorMonitorTest, SampleCarriesTheTypeOfTheStandardCursorAndThePosition)
{
    using namespace SimulatedDesktop;
    const struct {
        const char* label;
        std::function<void()> arrange;
        Seen expected;
    } rows[] = {
        {"I-beam, nothing shared", [] { SetCursorHandle(LoadCursorA(nullptr, IDC_IBEAM)); }, Sample(8, 300, 200, 0, 0)},
        {"vertical resize", [] { SetCursorHandle(LoadCursorA(nullptr, IDC_SIZENS)); }, Sample(29, 300, 200, 0, 0)},
        {"custom cursor", [] { SetCursorHandle(CreateCustomCursor()); }, Sample(0, 300, 200, 0, 0)},
        {"hidden I-beam: the arrow at the real position",
         [] {
             SetCursorHandle(LoadCursorA(nullptr, IDC_IBEAM));
             SetCursorFlags(0);
         },
         Sample(0, 300, 200, 0, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        StartFresh();
        SetCursorPosition({300, 200});
        row.arrange();
        EXPECT_THAT(FirstBatch(), ElementsAreArray(std::vector<Seen>(10, row.expected)));
    }
}

// A failing GetCursorInfo (a warning each tick) is the fault tests' case.
TEST_F(MouseCursorMonitorTest, SuppressedCursorRepeatsTheLastGoodSampleWithoutAWarning)
{
    SimulatedDesktop::SetCursorHandle(LoadCursorA(nullptr, IDC_IBEAM));
    SimulatedDesktop::SetCursorPosition({300, 200});
    BatchCollector collector;
    Monitor().Init(&collector);
    const size_t good = collector.WaitFor(1).size();
    // A fresh reading would now differ in every field.
    SimulatedDesktop::SetCursorHandle(LoadCursorA(nullptr, IDC_HAND));
    SimulatedDesktop::SetCursorPosition({5, 7});
    SimulatedDesktop::SetCursorFlags(CURSOR_SUPPRESSED);
    const Batches batches = collector.WaitFor(good + 2);
    Monitor().Uninit();
    EXPECT_THAT(AllOf(batches), Each(Sample(8, 300, 200, 0, 0)));
    auto warnings = MonitorLines();
    std::erase_if(warnings, [](const LoggedLine& line) { return line.level != 4; });
    EXPECT_THAT(warnings, IsEmpty());
}

TEST_F(MouseCursorMonitorTest, UninitDropsTheUnfinishedBatchAndARestartPollsAgain)
{
    // Failing ticks repeat the initial sample and count themselves in warnings,
    // so the first run can be stopped in the middle of a batch.
    SimulatedDesktop::FailGetCursorInfo(ERROR_ACCESS_DENIED);
    BatchCollector firstRun;
    Monitor().Init(&firstRun);
    ASSERT_TRUE(Eventually([] {
        const size_t inBatch = CountOf(kUnreadable) % 10;
        return inBatch >= 3 && inBatch <= 6;
    }));
    Monitor().Uninit();
    SimulatedDesktop::RestoreGetCursorInfo();
    SimulatedDesktop::SetCursorPosition({300, 200});
    EXPECT_THAT(FirstBatch(), ElementsAreArray(std::vector<Seen>(10, Sample(0, 300, 200, 0, 0))));
}

TEST_F(MouseCursorMonitorTest, RestartWhoseReadingsFailRepeatsThePreviousRunsLastSample)
{
    SimulatedDesktop::SetCursorPosition({300, 200});
    FirstBatch();
    SimulatedDesktop::SetCursorPosition({5, 7});
    SimulatedDesktop::FailGetCursorInfo(ERROR_ACCESS_DENIED);
    EXPECT_THAT(FirstBatch(), ElementsAreArray(std::vector<Seen>(10, Sample(0, 300, 200, 0, 0))));
}

TEST_F(MouseCursorMonitorTest, UninitFromTheCallbackIsRefusedAndPollingGoesOnWithoutACallback)
{
    BatchCollector collector;
    bool stopped = false;  // timer thread only
    collector.onBatch = [&] {
        if (!stopped) {
            stopped = true;
            Monitor().Uninit();
        }
    };
    Monitor().Init(&collector);
    collector.WaitFor(1);
    const LoggedLine noCallback = WarningLine("Capture Host Cursor callback is nullptr");
    ASSERT_TRUE(Eventually([&] { return CountOf(noCallback) > 0; }));
    const auto lines = MonitorLines();
    const auto uninit = std::find(lines.begin(), lines.end(), Trace("entry", "Uninit"));
    ASSERT_GE(lines.end() - uninit, 6);
    EXPECT_THAT(std::vector<LoggedLine>(uninit, uninit + 6),
                ElementsAre(Trace("entry", "Uninit"), Trace("entry", "stopTimer"),
                            ErrorLine("stop timer thread error: Cannot be call stopThread in timer callback"),
                            Trace("exit", "stopTimer"), Trace("exit", "Uninit"), noCallback));
    EXPECT_THAT(collector.WaitFor(1), SizeIs(1));
}

}  // namespace
