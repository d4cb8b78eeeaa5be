// tessaril-bench: every hot path of the plugin, driven through its exports by
// the host harness, each beside its floor in the same benchmark and under the
// same load; the counters give both, the plugin's cost over the floor, the
// target and whether it is met (bench/README.md).
//
//   [TESSARIL_MONITOR_SECONDS=<s>] tessaril-bench [Google Benchmark options]

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/rotating_file_sink.h>
#include <spdlog/spdlog.h>
#include <time.h>

#include <chrono>
#include <condition_variable>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>

#include "HeapAllocations.h"
#include "HostSession.h"
#include "InputPaths.h"
#include "TickLog.h"
#include "simulated_desktop.h"

namespace {

using namespace TESSARIL_BENCH;
using namespace TESSARIL_HOST_APP;
using GetCursorInfoFunction = BOOL(WINAPI*)(PCURSORINFO);

constexpr const char* kLogDirectory = "bench-logs";
constexpr int kChunk = 64;
constexpr double kOwnAllocationsBelow = 0.01;  // per event: rate-limited lines amortise below it

// What a path must meet beside its floor: a limit on one measure, and
// optionally no heap allocation of its own per operation.
struct Target {
    enum Measure { None, OverFloorNs, Ratio, PluginNs } measure = None;
    double limit = 0;
    bool noOwnAllocations = false;
};

int64_t Now(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// A path, its floor and how they are timed: the calling thread's CPU time,
// which others' load disturbs far less, unless waiting is the point.
struct Pair {
    std::function<void(int64_t)> plugin;
    std::function<void(int64_t)> floor;
    Target target;
    int chunk = kChunk;
    clockid_t clock = CLOCK_THREAD_CPUTIME_ID;
};

// One side of a pair: its time and heap allocations over its operations.
struct Tally {
    int64_t nanoseconds = 0;
    long allocations = 0;
    int64_t operations = 0;

    void Run(const std::function<void(int64_t)>& step, int64_t first, const Pair& pair)
    {
        const long allocationsBefore = HeapAllocations();
        const int64_t start = Now(pair.clock);
        for (int64_t i = first; i < first + pair.chunk; ++i) {
            step(i);
        }
        nanoseconds += Now(pair.clock) - start;
        allocations += HeapAllocations() - allocationsBefore;
        operations += pair.chunk;
    }
    double Nanoseconds() const { return static_cast<double>(nanoseconds) / static_cast<double>(operations); }
    double Allocations() const { return static_cast<double>(allocations) / static_cast<double>(operations); }
};

void Report(benchmark::State& state, const Tally& plugin, const Tally& floor, const Target& target)
{
    const double measured[] = {0, plugin.Nanoseconds() - floor.Nanoseconds(), plugin.Nanoseconds() / floor.Nanoseconds(),
                               plugin.Nanoseconds()};
    const double ownAllocations = plugin.Allocations() - floor.Allocations();
    state.counters["plugin_ns"] = plugin.Nanoseconds();
    state.counters["floor_ns"] = floor.Nanoseconds();
    state.counters["over_ns"] = measured[Target::OverFloorNs];
    state.counters["ratio"] = measured[Target::Ratio];
    state.counters["own_allocs"] = ownAllocations;
    if (target.measure != Target::None) {
        static constexpr const char* kLimitNames[] = {"", "target_over_ns", "target_ratio", "target_ns"};
        state.counters[kLimitNames[target.measure]] = target.limit;
        const bool allocationsMet = !target.noOwnAllocations || std::abs(ownAllocations) < kOwnAllocationsBelow;
        state.counters["met"] = measured[target.measure] <= target.limit && allocationsMet ? 1 : 0;
    }
}

// The plugin's path is the benchmark's timed body, a chunk of operations per
// iteration; its floor runs as many operations with the timing paused, so the
// two alternate chunk by chunk. Each chunk starts with the desktop's journal,
// the host's recorder and its event loop emptied, outside both timings.
void BesideFloor(benchmark::State& state, HostSession& session, const Pair& pair)
{
    const auto forget = [&session] {
        session.loop.WaitUntilIdle();
        session.recorder.Clear();
        SimulatedDesktop::ClearJournal();
    };
    Tally plugin;
    Tally floor;
    int64_t i = 0;
    for (auto _ : state) {
        plugin.Run(pair.plugin, i, pair);
        state.PauseTiming();
        forget();
        floor.Run(pair.floor, i, pair);
        forget();
        i += pair.chunk;
        state.ResumeTiming();
    }
    Report(state, plugin, floor, pair.target);
}

GetCursorInfoFunction DesktopGetCursorInfo()
{
    static const auto function = reinterpret_cast<GetCursorInfoFunction>(dlsym(RTLD_NEXT, "GetCursorInfo"));
    return function;
}

// What a screen-mode cursor tick reads: the cursor and the monitor.
void BareTick()
{
    CURSORINFO cursor{};
    cursor.cbSize = sizeof(cursor);
    DesktopGetCursorInfo()(&cursor);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(SimulatedDesktop::PrimaryMonitor(), &info);
}

// The floor of the cursor thread: a bare thread that wakes on an absolute 10 ms
// grid of the steady clock, notes the tick and makes the tick's desktop calls,
// nothing else; destroying it wakes and joins it at once.
std::jthread BareTicker(TickLog& log)
{
    return std::jthread([&log](std::stop_token stop) {
        std::mutex mutex;
        std::condition_variable_any wakeup;
        std::unique_lock lock(mutex);
        for (auto next = std::chrono::steady_clock::now(); !stop.stop_requested();) {
            log.Note();
            BareTick();
            next += std::chrono::milliseconds(10);
            wakeup.wait_until(lock, stop, next, [] { return false; });
        }
    });
}

void WaitForFirstTick(const TickLog& ticks)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (ticks.Count() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace

// The cursor monitor's ticks, seen from outside the plugin: this program
// defines GetCursorInfo (exported to the dynamic linker), so the plugin's one
// call per tick binds here, is noted and passed on to the simulated desktop.
TickLog cursorTicks;

extern "C" BOOL WINAPI GetCursorInfo(PCURSORINFO info)
{
    cursorTicks.Note();
    return DesktopGetCursorInfo()(info);
}

namespace {

// Remote control in screen mode left running, beside the bare 10 ms thread
// running through the same seconds.
void CursorMonitor(benchmark::State& state, InputPaths& screen, HostSession& session, double seconds)
{
    const auto capacity = static_cast<size_t>(seconds * 200) + 100;
    TickLog bareTicks;
    for (auto _ : state) {
        cursorTicks.Start(capacity);
        screen.Activate();
        WaitForFirstTick(cursorTicks);
        bareTicks.Start(capacity);
        std::jthread bare = BareTicker(bareTicks);
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        bare = {};
        cursorTicks.Stop();
        session.StopHost();
        session.loop.WaitUntilIdle();
    }
    cursorTicks.Report(state, "");
    bareTicks.Report(state, "bare_");
    const double median = state.counters["tick_median_ms"];
    state.counters["met_ticks"] = std::abs(median - 10) <= 0.5 && state.counters["tick_p99_ms"] <= 12 ? 1 : 0;
    state.counters["met_cpu"] = state.counters["cpu_pct"] <= 0.2 ? 1 : 0;
}

// The four lines of a traced ExportedStart, written with spdlog straight, set
// up as the logger library sets up its logger.
std::shared_ptr<spdlog::logger> DirectLogger()
{
    const std::string file = std::string(kLogDirectory) + "/spdlog-direct.log";
    auto logger = std::make_shared<spdlog::logger>(
        "spdlog_direct", std::make_shared<spdlog::sinks::rotating_file_sink_mt>(file, 10 * 1024 * 1024, 7));
    logger->set_formatter(std::make_unique<spdlog::pattern_formatter>("[%Y-%m-%d %H:%M:%S.%e] [%t] [%l] %v"));
    logger->set_level(spdlog::level::trace);
    logger->flush_on(spdlog::level::trace);
    return logger;
}

void WriteStartLines(spdlog::logger& logger)
{
    for (std::string_view line : {"entry ExportedStart", "entry Start", "exit Start, cost : 0", "exit ExportedStart, cost : 0"}) {
        logger.log(spdlog::level::info, spdlog::string_view_t(line.data(), line.size()));
    }
}

benchmark::internal::Benchmark* Register(const char* name, HostSession& session, std::function<void()> setUp, Pair pair)
{
    return benchmark::RegisterBenchmark(name, [&session, setUp, pair](benchmark::State& state) {
        setUp();
        BesideFloor(state, session, pair);
    });
}

void RegisterAll(HostSession& session, InputPaths& screen, InputPaths& window, double monitorSeconds)
{
    const Target event{Target::OverFloorNs, 2000, true};
    // The benchmark thread as the host application left it: per-monitor aware, or unaware, so
    // that each mouse event switches it to per-monitor and back (PerMonitorDpiScope).
    const auto activate = [](InputPaths& paths, DPI_AWARENESS_CONTEXT thread = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) {
        return [&paths, thread] {
            SetThreadDpiAwarenessContext(thread);
            paths.Activate();
        };
    };
    const auto stop = [&session] {
        if (session.Started()) {
            session.StopHost();
        }
    };
    Register("mouse_screen", session, activate(screen),
             {[&](int64_t i) { screen.Mouse(i); }, [&](int64_t i) { screen.MouseFloor(i); }, event});
    Register("mouse_window_2_ignored", session, activate(window),
             {[&](int64_t i) { window.Mouse(i); }, [&](int64_t i) { window.MouseFloor(i); }, {Target::OverFloorNs, 2000}});
    Register("mouse_screen_unaware_thread", session, activate(screen, DPI_AWARENESS_CONTEXT_UNAWARE),
             {[&](int64_t i) { screen.Mouse(i); }, [&](int64_t i) { screen.MouseFloor(i); }, {Target::OverFloorNs, 2000}});
    Register("mouse_window_2_ignored_unaware_thread", session, activate(window, DPI_AWARENESS_CONTEXT_UNAWARE),
             {[&](int64_t i) { window.Mouse(i); }, [&](int64_t i) { window.MouseFloor(i); }, {Target::OverFloorNs, 2000}});
    Register("key", session, activate(screen),
             {[&](int64_t i) { screen.Key(i); }, [&](int64_t i) { screen.KeyFloor(i); }, event});
    Register("mouse_array_100", session, activate(screen),
             {[&](int64_t) { screen.MouseBatch(); }, [&](int64_t) { screen.MouseBatchFloor(); }, {}, 1});
    Register("start_stop", session, stop,
             {[&](int64_t) {
                  screen.Activate();
                  session.StopHost();
              },
              [](int64_t) {
                  TickLog idle;
                  BareTicker(idle);
              },
              {Target::PluginNs, 15e6}, 1, CLOCK_MONOTONIC})
        ->Unit(benchmark::kMicrosecond);
    auto direct = DirectLogger();
    Register("traced_operation", session, [] {},
             {[&](int64_t) { session.plugin.start(); }, [direct](int64_t) { WriteStartLines(*direct); }, {Target::Ratio, 1.3}})
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("cursor_monitor", [&, monitorSeconds](benchmark::State& state) {
        CursorMonitor(state, screen, session, monitorSeconds);
    })->Iterations(1)->Repetitions(1)->UseRealTime()->Unit(benchmark::kMillisecond);
}

// TESSARIL_MONITOR_SECONDS, 10 unless set.
double MonitorSeconds()
{
    const char* seconds = std::getenv("TESSARIL_MONITOR_SECONDS");
    return seconds != nullptr ? std::stod(seconds) : 10;
}

HWND Window(const char* className, RECT rect)
{
    return SimulatedDesktop::CreateTopLevelWindow({.className = className, .title = className, .rect = rect});
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    std::filesystem::create_directories(kLogDirectory);
    // The default 1920 x 1080 monitor, an editor that window mode shares, and two windows above that overlap it.
    SimulatedDesktop::Reset();
    const HWND editor = Window("Notepad", {100, 100, 900, 700});
    const std::vector<HWND> covering{Window("ChatFrame", {500, 300, 1100, 800}), Window("ToolPalette", {50, 50, 300, 400})};
    HostSession session(LinkedPlugin());
    if (!session.Init({.logDirectory = kLogDirectory})) {
        return 1;
    }
    InputPaths screen(session, SimulatedDesktop::PrimaryMonitor(), true);
    InputPaths window(session, editor, false, covering);
    RegisterAll(session, screen, window, MonitorSeconds());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
