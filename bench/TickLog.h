#pragma once

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace TESSARIL_BENCH {

// The ticks of one periodic thread: each tick notes the steady clock and the
// thread's own CPU clock, so that the intervals and the thread's share of a
// core come from the same notes. One thread notes at a time.
class TickLog {
public:
    // Notes the next `capacity` ticks at most.
    void Start(size_t capacity);
    void Stop();
    // On the ticking thread; does nothing unless started.
    void Note();
    size_t Count() const { return noted.load(std::memory_order_acquire); }

    // <prefix>tick_median_ms, tick_p99_ms, tick_max_ms and cpu_pct (of one
    // core, between the first tick and the last); read after Stop.
    void Report(benchmark::State& state, const std::string& prefix) const;

private:
    struct Tick {
        int64_t steady = 0;
        int64_t cpu = 0;
    };

    std::vector<Tick> ticks;
    std::atomic<size_t> noted{0};
    std::atomic<bool> recording{false};
};

}  // namespace TESSARIL_BENCH
