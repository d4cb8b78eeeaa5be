// tessaril-wine-bench: mouse and key events of the x64 plugin through its
// exports, driven by the host harness, each beside the same Win32 calls made
// straight (InputPaths), under Wine against the real SendInput. Google
// Benchmark has no Windows build in Debian, so the program times itself:
// rounds of calls, the plugin's and the floor's alternating so that both see
// the same load, and the median round of each.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "InputPaths.h"

namespace {

using namespace TESSARIL_BENCH;
using namespace TESSARIL_HOST_APP;
using Path = std::function<void(int64_t)>;

// Under Wine each Win32 call costs far more than on Windows, so the target is a ratio.
constexpr double kRatioLimit = 1.10;
constexpr int kWarmUpEvents = 200;
constexpr int kRounds = 9;
constexpr int kCalls = 1000;

double NanosecondsPerCall(const Path& path, int calls)
{
    const auto start = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < calls; ++i) {
        path(i);
    }
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() / calls;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Row(const char* what, const Path& plugin, const Path& floor)
{
    std::vector<double> pluginRounds;
    std::vector<double> floorRounds;
    for (int round = 0; round < kRounds; ++round) {
        pluginRounds.push_back(NanosecondsPerCall(plugin, kCalls));
        floorRounds.push_back(NanosecondsPerCall(floor, kCalls));
    }
    const double pluginNs = Median(pluginRounds);
    const double floorNs = Median(floorRounds);
    const double ratio = pluginNs / floorNs;
    std::printf("| %s | %.2f µs | %.2f µs | %+.2f µs | %.3f × | ≤ %.2f × | %s |\n", what, pluginNs / 1000, floorNs / 1000,
                (pluginNs - floorNs) / 1000, ratio, kRatioLimit, ratio <= kRatioLimit ? "yes" : "no");
}

}  // namespace

int main()
{
    HostSession session(LinkedPlugin());
    if (!session.Init({.logDirectory = "bench-logs"})) {
        return 1;
    }
    InputPaths screen(session, MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), true);
    screen.Activate();
    // The rate-limited lines of this second are written before the timing.
    for (int64_t i = 0; i < kWarmUpEvents; ++i) {
        screen.Mouse(i);
        screen.Key(i);
    }
    std::printf("Under Wine, real SendInput; median of %d interleaved rounds of %d calls, wall clock per event.\n\n"
                "| what | plugin, through ExportedOnReceive | its Win32 calls made straight | over | ratio | target | met |\n"
                "|---|---|---|---|---|---|---|\n",
                kRounds, kCalls);
    Row("mouse event, screen mode, empty ignore list", [&](int64_t i) { screen.Mouse(i); },
        [&](int64_t i) { screen.MouseFloor(i); });
    Row("key event (A down / up)", [&](int64_t i) { screen.Key(i); }, [&](int64_t i) { screen.KeyFloor(i); });
    session.Finish();
    return 0;
}
