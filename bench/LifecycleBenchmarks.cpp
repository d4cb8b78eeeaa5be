#include "LifecycleBenchmarks.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "BareTicker.h"
#include "BenchEnvironment.h"
#include "DirectLogFile.h"
#include "TimedLoop.h"

namespace TESSARIL_BENCH {

namespace {

// Ticks a start/stop floor keeps room for; a cycle lasts far less than one.
constexpr size_t kFloorTicks = 4;

// What ExportedStart writes when both calls take under a millisecond.
constexpr std::array<std::string_view, 4> kStartLines = {
    "entry ExportedStart", "entry Start", "exit Start, cost : 0", "exit ExportedStart, cost : 0"};

void StartStop(benchmark::State& state, BenchEnvironment& environment)
{
    environment.StopRemoteControl();
    PluginDriver& plugin = environment.Plugin();
    const uint64_t monitor = environment.Desktop().Monitor();
    TimedLoop(state, [&](int64_t) {
        plugin.StartScreen(monitor);
        plugin.Stop();
    });
    plugin.DrainEventLoop();
}

void StartStopFloor(benchmark::State& state, BenchEnvironment& environment)
{
    const auto monitor = reinterpret_cast<HMONITOR>(environment.Desktop().Monitor());
    TimedLoop(state, [monitor](int64_t) { BareTicker(monitor, kFloorTicks).Stop(); });
}

void TracedOperation(benchmark::State& state)
{
    TimedLoop(state, [](int64_t) { ExportedStart(); });
}

void TracedOperationFloor(benchmark::State& state, const std::string& logDirectory)
{
    DirectLogFile direct(logDirectory);
    TimedLoop(state, [&direct](int64_t) {
        for (std::string_view line : kStartLines) {
            direct.Write(line);
        }
    });
}

}  // namespace

void RegisterLifecycleBenchmarks(BenchEnvironment& environment, const std::string& logDirectory)
{
    BenchEnvironment* env = &environment;
    benchmark::RegisterBenchmark("start_stop", [env](benchmark::State& state) { StartStop(state, *env); })
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("start_stop.floor", [env](benchmark::State& state) { StartStopFloor(state, *env); })
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("traced_operation", TracedOperation);
    benchmark::RegisterBenchmark("traced_operation.floor", [logDirectory](benchmark::State& state) {
        TracedOperationFloor(state, logDirectory);
    });
}

}  // namespace TESSARIL_BENCH
