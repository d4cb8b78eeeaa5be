#include "cursor/MouseCursorMonitor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <tuple>
#include <vector>

#include "JournalQueries.h"
#include "RecordingLogger.h"
#include "coordinates/CoordinateConverterHost.h"
#include "simulated_desktop.h"

namespace {

using TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost;
using TESSARIL_REMOTECONTROL_HOST::CursorSample;
using TESSARIL_REMOTECONTROL_HOST::MouseCursorMonitor;
using Seen = std::tuple<int64_t, int64_t, int64_t>;  // a sample's type and position, printable

// The first batch delivered on the timer thread.
class FirstBatch : public MouseCursorMonitor::Callback {
public:
    void OnMouseCursorCaptured(std::vector<CursorSample>& batch) override
    {
        std::lock_guard lock(mutex);
        for (const auto& s : batch) {
            seen.emplace_back(s.cursorType, s.x, s.y);
        }
        arrived.notify_all();
    }
    std::vector<Seen> Wait()
    {
        std::unique_lock lock(mutex);
        arrived.wait_for(lock, std::chrono::seconds(20), [&] { return !seen.empty(); });
        return seen;
    }

private:
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<Seen> seen;
};

// The converter is made here so that the timer thread never creates it; with
// nothing shared, positions come back as they are. A hidden cursor counts as
// the arrow at its real position; a suppressed one (touch or pen) repeats the
// last good sample, also the previous run's; Uninit drops a batch not yet full
// (unless it stopped at a multiple of ten ticks, its samples show in the next).
TEST(MouseCursorMonitorTest, SuppressedCursorRepeatsTheLastGoodSampleInBatchesOfTen)
{
    using namespace SimulatedDesktop;
    Reset();
    CoordinateConverterHost::GetInstance();
    SetCursorHandle(LoadCursorA(nullptr, IDC_IBEAM));
    SetCursorPosition({300, 200});
    MouseCursorMonitor& monitor = *MouseCursorMonitor::GetInstance();
    const auto firstBatch = [&monitor] {
        FirstBatch samples;
        monitor.Init(&samples);
        const auto seen = samples.Wait();
        monitor.Uninit();
        return seen;
    };
    const struct { const char* label; std::function<void()> arrange; Seen expected; } rows[] = {
        {"hidden I-beam", [] { SetCursorFlags(0); }, {0, 300, 200}},
        {"suppressed, moved", [] { SetCursorFlags(CURSOR_SUPPRESSED), SetCursorPosition({5, 7}); }, {0, 300, 200}},
        {"shown again", [] { SetCursorFlags(CURSOR_SHOWING); }, {8, 5, 7}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        row.arrange();
        EXPECT_EQ(firstBatch(), std::vector<Seen>(10, row.expected));
    }
    SCOPED_TRACE("a run stopped after a few samples, each of them warning; a second Init only warns");
    FailGetCursorInfo(ERROR_ACCESS_DENIED);
    FirstBatch dropped;
    monitor.Init(&dropped);
    monitor.Init(&dropped);
    EXPECT_THAT(RecordingLogger::Lines(), ::testing::Contains(WarningLine("MouseCursorMonitor has been inited")));
    EXPECT_TRUE(Eventually([] {
        return std::ranges::any_of(RecordingLogger::Lines(), [](const LoggedLine& l) { return l.message.starts_with("Unable"); });
    }));
    monitor.Uninit();
    RestoreGetCursorInfo();
    SetCursorPosition({6, 8});
    EXPECT_EQ(firstBatch(), std::vector<Seen>(10, Seen{8, 6, 8}));
    MouseCursorMonitor::DestroyInstance();
    CoordinateConverterHost::DestroyInstance();
}

}  // namespace
