#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

#include "AllocationCount.h"
#include "BenchDesktop.h"

namespace TESSARIL_BENCH {

// The desktop journal is emptied this often, outside the timing.
inline constexpr int64_t kJournalRounds = 1024;

// Runs step(i) as the timed body of a benchmark and counts the heap
// allocations of the whole process per iteration ("allocs"): a plugin
// benchmark and its floor make the same desktop calls, so the difference of
// their counts is what the plugin allocates itself.
template <class Step>
void TimedLoop(benchmark::State& state, Step&& step)
{
    const long before = AllocationCount::Total();
    int64_t i = 0;
    for (auto _ : state) {
        step(i);
        if (++i % kJournalRounds == 0) {
            state.PauseTiming();
            BenchDesktop::ForgetJournal();
            state.ResumeTiming();
        }
    }
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(AllocationCount::Total() - before), benchmark::Counter::kAvgIterations);
}

}  // namespace TESSARIL_BENCH
