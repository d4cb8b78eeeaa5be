#include "TickRecorder.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>

namespace TESSARIL_BENCH {

namespace {

using GetCursorInfoFunction = BOOL(WINAPI*)(PCURSORINFO);

std::vector<int64_t> times;
std::atomic<size_t> noted{0};
std::atomic<bool> recording{false};
std::atomic<pid_t> callingThread{0};

GetCursorInfoFunction DesktopGetCursorInfo()
{
    static const auto function = reinterpret_cast<GetCursorInfoFunction>(dlsym(RTLD_NEXT, "GetCursorInfo"));
    if (function == nullptr) {
        std::abort();
    }
    return function;
}

int64_t SteadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Only the cursor thread calls while recording, so one writer fills the slots.
void Note()
{
    const size_t index = noted.load(std::memory_order_relaxed);
    if (index >= times.size()) {
        return;
    }
    if (index == 0) {
        callingThread.store(gettid());
    }
    times[index] = SteadyNanoseconds();
    noted.store(index + 1, std::memory_order_release);
}

}  // namespace

void TickRecorder::Start(size_t capacity)
{
    times.assign(capacity, 0);
    callingThread.store(0);
    noted.store(0);
    recording.store(true);
}

void TickRecorder::Stop()
{
    recording.store(false);
}

std::vector<int64_t> TickRecorder::Times()
{
    return {times.begin(), times.begin() + static_cast<std::ptrdiff_t>(noted.load(std::memory_order_acquire))};
}

pid_t TickRecorder::CallingThread()
{
    return callingThread.load();
}

BOOL TickRecorder::ReadCursorDirectly(PCURSORINFO info)
{
    return DesktopGetCursorInfo()(info);
}

}  // namespace TESSARIL_BENCH

extern "C" BOOL WINAPI GetCursorInfo(PCURSORINFO pci)
{
    if (TESSARIL_BENCH::recording.load(std::memory_order_relaxed)) {
        TESSARIL_BENCH::Note();
    }
    return TESSARIL_BENCH::DesktopGetCursorInfo()(pci);
}
