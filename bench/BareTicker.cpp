#include "BareTicker.h"

#include <unistd.h>

#include <chrono>

#include "TickRecorder.h"

namespace TESSARIL_BENCH {

BareTicker::BareTicker(HMONITOR monitorToRead, size_t capacity)
    : monitor(monitorToRead), times(capacity), thread(&BareTicker::Run, this)
{
}

BareTicker::~BareTicker()
{
    Stop();
}

void BareTicker::ReadCursorAndMonitor(HMONITOR monitor)
{
    CURSORINFO cursor{};
    cursor.cbSize = sizeof(cursor);
    TickRecorder::ReadCursorDirectly(&cursor);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, &info);
}

void BareTicker::Stop()
{
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    wakeup.notify_one();
    if (thread.joinable()) {
        thread.join();
    }
}

pid_t BareTicker::Thread() const
{
    while (threadId.load() == 0) {
        std::this_thread::yield();
    }
    return threadId.load();
}

std::vector<int64_t> BareTicker::Times() const
{
    return {times.begin(), times.begin() + static_cast<std::ptrdiff_t>(ticks)};
}

void BareTicker::Run()
{
    threadId.store(gettid());
    auto next = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex);
    while (!stopping) {
        const auto now = std::chrono::steady_clock::now();
        if (ticks < times.size()) {
            times[ticks++] = std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch()).count();
        }
        ReadCursorAndMonitor(monitor);
        next += std::chrono::nanoseconds(kPeriodNanoseconds);
        wakeup.wait_until(lock, next, [this] { return stopping; });
    }
}

}  // namespace TESSARIL_BENCH
