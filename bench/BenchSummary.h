#pragma once

#include "BenchmarkResults.h"
#include "CursorMonitoringRun.h"
#include "MemoryCheck.h"
#include "ResultTable.h"

namespace TESSARIL_BENCH {

// The targets the plugin is held to, each row of the closing table built from
// a benchmark and its floor of the same run, the monitoring run and the memory
// check.
class BenchSummary {
public:
    static constexpr double kOwnCostLimitNanoseconds = 2000;
    static constexpr double kCursorCpuLimitPercent = 0.2;
    static constexpr double kTickMedianMilliseconds = 10;
    static constexpr double kTickMedianToleranceMilliseconds = 0.5;
    static constexpr double kTickP99LimitMilliseconds = 12;
    static constexpr double kStartStopLimitNanoseconds = 15e6;
    static constexpr double kTraceRatioLimit = 1.3;
    static constexpr double kMemoryGrowthLimitBytes = 1024 * 1024;
    // An average of allocations per event under this counts as none: the
    // rate-limited lines and the 5 s latency report allocate a few times per
    // second, spread over a million events.
    static constexpr double kNoAllocationsBelow = 0.001;

    static ResultTable Build(const BenchmarkResults& results, const MonitoringResult& monitoring,
                             const MemoryResult& memory);
};

}  // namespace TESSARIL_BENCH
