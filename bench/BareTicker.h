#pragma once

#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform_win32.h"

namespace TESSARIL_BENCH {

// The floor of the cursor thread: a bare thread that wakes on an absolute
// 10 ms grid of the steady clock and makes the two desktop calls a screen-mode
// tick needs (GetCursorInfo, GetMonitorInfoA), nothing else. It notes the time
// of each tick, and a stop wakes it at once.
class BareTicker {
public:
    static constexpr int64_t kPeriodNanoseconds = 10'000'000;

    BareTicker(HMONITOR monitor, size_t capacity);
    ~BareTicker();

    BareTicker(const BareTicker&) = delete;
    BareTicker& operator=(const BareTicker&) = delete;

    // The desktop calls of one tick, on the calling thread.
    static void ReadCursorAndMonitor(HMONITOR monitor);

    void Stop();
    // Waits until the thread runs: a start/stop floor must not wait for that.
    pid_t Thread() const;
    // Steady-clock nanoseconds of the ticks so far; read after Stop.
    std::vector<int64_t> Times() const;

private:
    void Run();

    HMONITOR monitor;
    std::vector<int64_t> times;
    size_t ticks = 0;
    std::atomic<pid_t> threadId{0};
    std::mutex mutex;
    std::condition_variable wakeup;
    bool stopping = false;
    std::thread thread;
};

}  // namespace TESSARIL_BENCH
