#include "CursorMonitoringRun.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "BareTicker.h"
#include "BenchEnvironment.h"
#include "CountingHostApplication.h"
#include "ThreadCpuClock.h"
#include "TickRecorder.h"

namespace TESSARIL_BENCH {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTicksPerSecond = 100;
constexpr auto kFirstTickDeadline = std::chrono::seconds(2);

int64_t Nanoseconds(Clock::time_point time)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
}

pid_t WaitForFirstTick()
{
    const auto deadline = Clock::now() + kFirstTickDeadline;
    while (TickRecorder::CallingThread() == 0) {
        if (Clock::now() > deadline) {
            throw std::runtime_error("the cursor monitor did not tick within 2 s");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return TickRecorder::CallingThread();
}

int64_t CountWithin(const std::vector<int64_t>& ticks, int64_t from, int64_t to)
{
    return std::count_if(ticks.begin(), ticks.end(), [from, to](int64_t tick) { return tick >= from && tick < to; });
}

}  // namespace

MonitoringResult CursorMonitoringRun::Run(BenchEnvironment& environment, double seconds)
{
    const auto capacity = static_cast<size_t>(seconds * kTicksPerSecond * 2) + 100;
    environment.StopRemoteControl();
    const uint64_t reportsBefore = CountingHostApplication::CursorReports();
    TickRecorder::Start(capacity);
    environment.StartScreenMode();
    const pid_t cursorThread = WaitForFirstTick();
    BareTicker bare(reinterpret_cast<HMONITOR>(environment.Desktop().Monitor()), capacity);

    const auto start = Clock::now();
    const int64_t pluginCpuBefore = ThreadCpuClock::Nanoseconds(cursorThread);
    const int64_t bareCpuBefore = ThreadCpuClock::Nanoseconds(bare.Thread());
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const int64_t pluginCpuAfter = ThreadCpuClock::Nanoseconds(cursorThread);
    const int64_t bareCpuAfter = ThreadCpuClock::Nanoseconds(bare.Thread());
    const auto end = Clock::now();

    bare.Stop();
    environment.StopRemoteControl();
    TickRecorder::Stop();
    environment.Plugin().DrainEventLoop();

    MonitoringResult result;
    result.seconds = std::chrono::duration<double>(end - start).count();
    result.cursorReports = CountingHostApplication::CursorReports() - reportsBefore;
    result.plugin.ticks = TickRecorder::Times();
    result.plugin.cpuNanoseconds = pluginCpuAfter - pluginCpuBefore;
    result.plugin.ticksInWindow = CountWithin(result.plugin.ticks, Nanoseconds(start), Nanoseconds(end));
    result.bare.ticks = bare.Times();
    result.bare.cpuNanoseconds = bareCpuAfter - bareCpuBefore;
    result.bare.ticksInWindow = CountWithin(result.bare.ticks, Nanoseconds(start), Nanoseconds(end));
    return result;
}

}  // namespace TESSARIL_BENCH
