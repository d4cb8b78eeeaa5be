#include "TickLog.h"

#include <time.h>

#include <algorithm>

namespace TESSARIL_BENCH {

namespace {

int64_t Nanoseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

double Milliseconds(int64_t nanoseconds)
{
    return static_cast<double>(nanoseconds) / 1e6;
}

}  // namespace

void TickLog::Start(size_t capacity)
{
    ticks.assign(capacity, Tick{});
    noted.store(0);
    recording.store(true);
}

void TickLog::Stop()
{
    recording.store(false);
}

void TickLog::Note()
{
    const size_t index = noted.load(std::memory_order_relaxed);
    if (!recording.load(std::memory_order_relaxed) || index >= ticks.size()) {
        return;
    }
    ticks[index] = {Nanoseconds(CLOCK_MONOTONIC), Nanoseconds(CLOCK_THREAD_CPUTIME_ID)};
    noted.store(index + 1, std::memory_order_release);
}

void TickLog::Report(benchmark::State& state, const std::string& prefix) const
{
    const size_t count = Count();
    if (count < 2) {
        state.SkipWithError((prefix + "fewer than two ticks").c_str());
        return;
    }
    std::vector<int64_t> intervals;
    for (size_t i = 1; i < count; ++i) {
        intervals.push_back(ticks[i].steady - ticks[i - 1].steady);
    }
    std::sort(intervals.begin(), intervals.end());
    const Tick& first = ticks.front();
    const Tick& last = ticks[count - 1];
    state.counters[prefix + "tick_median_ms"] = Milliseconds(intervals[intervals.size() / 2]);
    state.counters[prefix + "tick_p99_ms"] = Milliseconds(intervals[intervals.size() * 99 / 100]);
    state.counters[prefix + "tick_max_ms"] = Milliseconds(intervals.back());
    state.counters[prefix + "cpu_pct"] = 100.0 * static_cast<double>(last.cpu - first.cpu) / static_cast<double>(last.steady - first.steady);
}

}  // namespace TESSARIL_BENCH
