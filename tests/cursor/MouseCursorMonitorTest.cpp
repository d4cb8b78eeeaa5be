#include "cursor/MouseCursorMonitor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <tuple>
#include <vector>

#include "coordinates/CoordinateConverterHost.h"
#include "simulated_desktop.h"

namespace {

using ::testing::Each;
using TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost;
using TESSARIL_REMOTECONTROL_HOST::CursorSample;
using TESSARIL_REMOTECONTROL_HOST::MouseCursorMonitor;
// A sample's type and position, printable by GoogleTest.
using Seen = std::tuple<int64_t, int64_t, int64_t>;

// Keeps the samples delivered on the timer thread, batch by batch.
class Samples : public MouseCursorMonitor::Callback {
public:
    void OnMouseCursorCaptured(std::vector<CursorSample>& batch) override
    {
        std::lock_guard lock(mutex);
        sizes.push_back(batch.size());
        for (const auto& s : batch) {
            seen.emplace_back(s.cursorType, s.x, s.y);
        }
        arrived.notify_all();
    }
    // The samples once `batches` batches came, or those that came in time.
    std::vector<Seen> WaitFor(size_t batches)
    {
        std::unique_lock lock(mutex);
        arrived.wait_for(lock, std::chrono::seconds(20), [&] { return sizes.size() >= batches; });
        return seen;
    }
    std::vector<size_t> sizes;

private:
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<Seen> seen;
};

// The converter is made here so that the timer thread never creates it; with
// nothing shared, positions come back as they are.
class MouseCursorMonitorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SimulatedDesktop::Reset();
        CoordinateConverterHost::GetInstance();
        SimulatedDesktop::SetCursorHandle(LoadCursorA(nullptr, IDC_IBEAM));
        SimulatedDesktop::SetCursorPosition({300, 200});
    }
    void TearDown() override
    {
        MouseCursorMonitor::DestroyInstance();
        CoordinateConverterHost::DestroyInstance();
    }
    static MouseCursorMonitor& Monitor() { return *MouseCursorMonitor::GetInstance(); }
    // The first batch of a monitor started on the desktop as the row arranges it.
    static std::vector<Seen> FirstBatch(const std::function<void()>& arrange)
    {
        arrange();
        Samples samples;
        Monitor().Init(&samples);
        const auto seen = samples.WaitFor(1);
        Monitor().Uninit();
        EXPECT_EQ(samples.sizes, std::vector<size_t>{10}) << "batches of exactly ten";
        return seen;
    }
};

// A hidden cursor counts as the arrow at its real position; a suppressed one
// (touch or pen) or one that cannot be read repeats the last good sample, also
// the previous run's; Uninit drops a batch not yet full.
TEST_F(MouseCursorMonitorTest, SamplesRepeatTheLastGoodReadingWhileTheCursorCannotBeRead)
{
    using namespace SimulatedDesktop;
    const struct { const char* label; std::function<void()> arrange; Seen expected; } rows[] = {
        {"visible I-beam", [] {}, {8, 300, 200}},
        {"hidden I-beam", [] { SetCursorFlags(0); }, {0, 300, 200}},
        {"suppressed, moved", [] { SetCursorFlags(CURSOR_SUPPRESSED), SetCursorPosition({5, 7}); }, {0, 300, 200}},
        {"unreadable, moved", [] { SetCursorFlags(CURSOR_SHOWING), FailGetCursorInfo(ERROR_ACCESS_DENIED); },
         {0, 300, 200}},
        {"readable again", [] { RestoreGetCursorInfo(), SetCursorHandle(LoadCursorA(nullptr, IDC_HAND)); }, {3, 5, 7}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_THAT(FirstBatch(row.arrange), Each(row.expected));
    }
    SCOPED_TRACE("a run stopped after a few samples");
    Samples samples;
    Monitor().Init(&samples);
    std::this_thread::sleep_for(std::chrono::milliseconds(35));
    Monitor().Uninit();
    SimulatedDesktop::SetCursorPosition({6, 8});
    EXPECT_THAT(FirstBatch([] {}), Each(Seen{3, 6, 8}));
}

}  // namespace
