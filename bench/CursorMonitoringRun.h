#pragma once

#include <cstdint>
#include <vector>

namespace TESSARIL_BENCH {

class BenchEnvironment;

// One thread watched over a stretch of time: when it ticked (steady-clock
// nanoseconds) and how much CPU it used meanwhile.
struct WatchedThread {
    std::vector<int64_t> ticks;
    int64_t cpuNanoseconds = 0;
    int64_t ticksInWindow = 0;
};

struct MonitoringResult {
    double seconds = 0;
    // Cursor batches the host application received over the whole run.
    uint64_t cursorReports = 0;
    WatchedThread plugin;
    WatchedThread bare;
};

// Remote control of the primary monitor started through the exports and left
// to run: the plugin's cursor thread (its ticks seen by TickRecorder) is
// watched side by side with a BareTicker, its floor, over the same seconds, so
// that both see the same load from the rest of the machine.
class CursorMonitoringRun {
public:
    static MonitoringResult Run(BenchEnvironment& environment, double seconds);
};

}  // namespace TESSARIL_BENCH
