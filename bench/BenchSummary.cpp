#include "BenchSummary.h"

#include <fmt/format.h>

#include <cmath>
#include <string>

#include "IntervalStats.h"

namespace TESSARIL_BENCH {

namespace {

using Row = ResultTable::Row;

std::string OwnCost(double plugin, double floor)
{
    return fmt::format("{:+.3f} µs ({:.2f} ×)", (plugin - floor) / 1000.0, plugin / floor);
}

Row EventRow(const BenchmarkResults& results, const std::string& what, const std::string& name)
{
    const Measurement plugin = results.Find(name);
    const Measurement floor = results.Find(name + ".floor");
    const double own = plugin.cpuNanoseconds - floor.cpuNanoseconds;
    return {what,
            ResultTable::Microseconds(plugin.cpuNanoseconds),
            ResultTable::Microseconds(floor.cpuNanoseconds),
            OwnCost(plugin.cpuNanoseconds, floor.cpuNanoseconds),
            "≤ +2 µs",
            ResultTable::Verdict(own <= BenchSummary::kOwnCostLimitNanoseconds)};
}

Row ArrayRow(const BenchmarkResults& results)
{
    const Measurement plugin = results.Find("mouse_array_100");
    const Measurement floor = results.Find("mouse_array_100.floor");
    return {"mouse-event array of 100 (per array)",
            ResultTable::Microseconds(plugin.cpuNanoseconds),
            ResultTable::Microseconds(floor.cpuNanoseconds),
            fmt::format("{:+.3f} µs per event ({:.2f} ×)",
                        (plugin.cpuNanoseconds - floor.cpuNanoseconds) / 100.0 / 1000.0,
                        plugin.cpuNanoseconds / floor.cpuNanoseconds),
            "—",
            "—"};
}

Row AllocationRow(const BenchmarkResults& results)
{
    const double mouse = results.Find("mouse_screen").allocations - results.Find("mouse_screen.floor").allocations;
    const double key = results.Find("key").allocations - results.Find("key.floor").allocations;
    return {"heap allocations per event, screen mode, empty ignore list (mouse / key)",
            fmt::format("{:.4f} / {:.4f}", results.Find("mouse_screen").allocations, results.Find("key").allocations),
            fmt::format("{:.4f} / {:.4f}", results.Find("mouse_screen.floor").allocations,
                        results.Find("key.floor").allocations),
            fmt::format("own {:.4f} / {:.4f}", mouse, key),
            "0 own",
            ResultTable::Verdict(std::abs(mouse) < BenchSummary::kNoAllocationsBelow &&
                                 std::abs(key) < BenchSummary::kNoAllocationsBelow)};
}

double PerTick(const WatchedThread& thread)
{
    return thread.ticksInWindow > 0 ? static_cast<double>(thread.cpuNanoseconds) / static_cast<double>(thread.ticksInWindow) : 0.0;
}

double CorePercent(const WatchedThread& thread, double seconds)
{
    return static_cast<double>(thread.cpuNanoseconds) / (seconds * 1e9) * 100.0;
}

Row TickCostRow(const BenchmarkResults& results, const MonitoringResult& monitoring)
{
    return {"one cursor tick: CPU of the thread per tick (floor: bare 10 ms thread; desktop calls alone)",
            ResultTable::Microseconds(PerTick(monitoring.plugin)),
            fmt::format("{}; {}", ResultTable::Microseconds(PerTick(monitoring.bare)),
                        ResultTable::Microseconds(results.Find("cursor_tick_calls.floor").cpuNanoseconds)),
            OwnCost(PerTick(monitoring.plugin), PerTick(monitoring.bare)),
            "—",
            "—"};
}

Row CursorCpuRow(const MonitoringResult& monitoring)
{
    const double plugin = CorePercent(monitoring.plugin, monitoring.seconds);
    const double bare = CorePercent(monitoring.bare, monitoring.seconds);
    return {fmt::format("cursor thread CPU per second of monitoring ({:.0f} s)", monitoring.seconds),
            fmt::format("{:.3f} % of a core", plugin),
            fmt::format("{:.3f} %", bare),
            fmt::format("{:.2f} ×", plugin / bare),
            "≤ 0.2 %",
            ResultTable::Verdict(plugin <= BenchSummary::kCursorCpuLimitPercent)};
}

std::string Distribution(const IntervalStats& stats)
{
    return fmt::format("{:.2f} / {:.2f} / {:.2f} ms", stats.Median(), stats.P99(), stats.Max());
}

Row TickIntervalRow(const MonitoringResult& monitoring)
{
    const IntervalStats plugin(monitoring.plugin.ticks);
    const IntervalStats bare(monitoring.bare.ticks);
    const bool met =
        std::abs(plugin.Median() - BenchSummary::kTickMedianMilliseconds) <=
            BenchSummary::kTickMedianToleranceMilliseconds &&
        plugin.P99() <= BenchSummary::kTickP99LimitMilliseconds;
    return {fmt::format("tick interval median / p99 / max ({} intervals; {} cursor reports sent)", plugin.Count(),
                        monitoring.cursorReports),
            Distribution(plugin),
            Distribution(bare),
            fmt::format("p99 {:+.2f} ms", plugin.P99() - bare.P99()),
            "10 ± 0.5 / ≤ 12 ms (idle machine)",
            ResultTable::Verdict(met)};
}

Row StartStopRow(const BenchmarkResults& results)
{
    const Measurement plugin = results.Find("start_stop");
    const Measurement floor = results.Find("start_stop.floor");
    return {"start/stop cycle, wall clock",
            fmt::format("{:.3f} ms", plugin.realNanoseconds / 1e6),
            fmt::format("{:.3f} ms", floor.realNanoseconds / 1e6),
            fmt::format("{:.1f} ×", plugin.realNanoseconds / floor.realNanoseconds),
            "≤ 15 ms",
            ResultTable::Verdict(plugin.realNanoseconds <= BenchSummary::kStartStopLimitNanoseconds)};
}

Row TraceRow(const BenchmarkResults& results)
{
    const Measurement plugin = results.Find("traced_operation");
    const Measurement floor = results.Find("traced_operation.floor");
    const double ratio = plugin.cpuNanoseconds / floor.cpuNanoseconds;
    return {"traced operation: ExportedStart, two nested traces = four lines into the log file",
            ResultTable::Microseconds(plugin.cpuNanoseconds),
            ResultTable::Microseconds(floor.cpuNanoseconds) + " (spdlog direct)",
            fmt::format("{:.2f} ×", ratio),
            "≤ 1.3 ×",
            ResultTable::Verdict(ratio <= BenchSummary::kTraceRatioLimit)};
}

Row MemoryRow(const MemoryResult& memory)
{
    const int64_t growth = memory.residentAtEnd - memory.residentAfterWarmUp;
    return {fmt::format("resident memory after {} events and {} start/stop cycles", memory.events, memory.cycles),
            fmt::format("{:+.1f} KiB", static_cast<double>(growth) / 1024.0),
            "—",
            fmt::format("{:.1f} → {:.1f} MiB", static_cast<double>(memory.residentAfterWarmUp) / 1048576.0,
                        static_cast<double>(memory.residentAtEnd) / 1048576.0),
            "< 1 MiB growth",
            ResultTable::Verdict(static_cast<double>(growth) < BenchSummary::kMemoryGrowthLimitBytes)};
}

}  // namespace

ResultTable BenchSummary::Build(const BenchmarkResults& results, const MonitoringResult& monitoring,
                                const MemoryResult& memory)
{
    ResultTable table;
    table.Add(EventRow(results, "mouse event, screen mode, empty ignore list", "mouse_screen"));
    table.Add(EventRow(results, "mouse event, window mode, two covering ignore windows", "mouse_window"));
    table.Add(EventRow(results, "key event (A down / up)", "key"));
    table.Add(ArrayRow(results));
    table.Add(AllocationRow(results));
    table.Add(TickCostRow(results, monitoring));
    table.Add(CursorCpuRow(monitoring));
    table.Add(TickIntervalRow(monitoring));
    table.Add(StartStopRow(results));
    table.Add(TraceRow(results));
    table.Add(MemoryRow(memory));
    return table;
}

}  // namespace TESSARIL_BENCH
