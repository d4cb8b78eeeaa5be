// tessaril-wine-bench: single mouse and key events through the plugin's exports
// against the same records handed straight to the real SendInput, under Wine.
//
//   tessaril-wine-bench [--rounds=<n>] [--calls=<n>]   (defaults 9 and 1000)

#include <fmt/format.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

#include "../CountingHostApplication.h"
#include "InterleavedTiming.h"
#include "WineInput.h"
#include "platform_win32.h"
#include "tessaril_remotecontrol_host.h"

using namespace TESSARIL_BENCH;

namespace {

constexpr double kRatioLimit = 1.10;
constexpr int kWarmUpEvents = 200;

int IntOption(int argc, char** argv, std::string_view name, int fallback)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.substr(0, name.size()) == name) {
            return std::stoi(std::string(argument.substr(name.size())));
        }
    }
    return fallback;
}

HMONITOR PrimaryMonitor()
{
    return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

void StartScreenMode()
{
    const HMONITOR primary = PrimaryMonitor();
    TessarilStartHostCommand command{"bench-viewer", static_cast<uint64_t>(reinterpret_cast<uintptr_t>(primary)),
                                     true, -1};
    ExportedCallEvent(TESSARIL_CMD_START_HOST, &command);
    ExportedCallDrop(TESSARIL_CMD_START_HOST);
    if (command.result != TESSARIL_RESULT_DONE) {
        throw std::runtime_error("remoteControlStartHost answered " + std::to_string(command.result));
    }
}

void StopRemoteControl()
{
    TessarilResultOnlyCommand command{-1};
    ExportedCallEvent(TESSARIL_CMD_STOP_HOST, &command);
    ExportedCallDrop(TESSARIL_CMD_STOP_HOST);
}

void PrintRow(const char* what, const InterleavedTiming::Result& result)
{
    const double ratio = result.pluginNanoseconds / result.floorNanoseconds;
    std::printf("%s", fmt::format("| {} | {:.2f} µs | {:.2f} µs | {:.3f} × | ≤ {:.2f} × | {} |\n", what,
                                  result.pluginNanoseconds / 1000.0, result.floorNanoseconds / 1000.0, ratio,
                                  kRatioLimit, ratio <= kRatioLimit ? "yes" : "no")
                          .c_str());
}

// The Win32 calls the plugin makes for one mouse event in screen mode, in its
// order, made straight: the floor of everything the plugin must call.
void MouseEventCalls(HMONITOR primary, INPUT* record)
{
    SetThreadExecutionState(ES_SYSTEM_REQUIRED);
    for (int query = 0; query < 4; ++query) {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        GetMonitorInfoA(primary, &info);
    }
    GetSystemMetrics(SM_CXSCREEN);
    GetSystemMetrics(SM_CYSCREEN);
    GetSystemMetrics(SM_SWAPBUTTON);
    SendInput(1, record, sizeof(INPUT));
}

void PrintCallsRow(const InterleavedTiming::Result& result)
{
    std::printf("%s", fmt::format("| mouse event against all its Win32 calls made straight (SetThreadExecutionState, "
                                  "4 GetMonitorInfoA, 3 GetSystemMetrics, SendInput) | {:.2f} µs | {:.2f} µs | "
                                  "{:.3f} × | — | — |\n",
                                  result.pluginNanoseconds / 1000.0, result.floorNanoseconds / 1000.0,
                                  result.pluginNanoseconds / result.floorNanoseconds)
                          .c_str());
}

// What the Win32 calls that the plugin makes for every mouse event cost here,
// each alone: a breakdown of the plugin's time above the bare SendInput.
void PrintCallCosts(int rounds, int calls, double sendInputNanoseconds)
{
    const HMONITOR primary = PrimaryMonitor();
    const double monitorInfo = InterleavedTiming::Alone(
        [primary](int) {
            MONITORINFO info{};
            info.cbSize = sizeof(info);
            GetMonitorInfoA(primary, &info);
        },
        rounds, calls);
    const double metrics = InterleavedTiming::Alone([](int) { GetSystemMetrics(SM_CXSCREEN); }, rounds, calls);
    const double executionState =
        InterleavedTiming::Alone([](int) { SetThreadExecutionState(ES_SYSTEM_REQUIRED); }, rounds, calls);
    std::printf("\n| Win32 call, alone | per call | calls per mouse event, screen mode |\n|---|---|---|\n");
    std::printf("%s", fmt::format("| SendInput, one move | {:.2f} µs | 1 |\n", sendInputNanoseconds / 1000.0).c_str());
    std::printf("%s", fmt::format("| GetMonitorInfoA | {:.2f} µs | 4 (two conversions, size and origin each) |\n",
                                  monitorInfo / 1000.0)
                          .c_str());
    std::printf("%s", fmt::format("| GetSystemMetrics | {:.2f} µs | 3 (screen width, height, swapped buttons) |\n",
                                  metrics / 1000.0)
                          .c_str());
    std::printf("%s", fmt::format("| SetThreadExecutionState | {:.2f} µs | 1 |\n", executionState / 1000.0).c_str());
    std::printf("%s", fmt::format("| sum of the calls | {:.2f} µs | |\n",
                                  (sendInputNanoseconds + 4 * monitorInfo + 3 * metrics + executionState) / 1000.0)
                          .c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = IntOption(argc, argv, "--rounds=", 9);
    const int calls = IntOption(argc, argv, "--calls=", 1000);
    ExportedInit(&CountingHostApplication::Send, &CountingHostApplication::Notify, 7, nullptr, "bench-logs",
                 "tessaril-remotecontrol-host", 0);
    StartScreenMode();
    WineInput input;
    // The rate-limited lines of this second are written before the timing.
    for (int i = 0; i < kWarmUpEvents; ++i) {
        ExportedOnReceive(TESSARIL_MSG_MOUSE_EVENT, &input.Mouse(i));
        ExportedOnReceive(TESSARIL_MSG_KEY_EVENT, &input.Key(i));
    }
    const auto mouse = InterleavedTiming::Run(
        [&input](int i) { ExportedOnReceive(TESSARIL_MSG_MOUSE_EVENT, &input.Mouse(i)); },
        [&input](int i) { SendInput(1, input.MouseRecord(i), sizeof(INPUT)); }, rounds, calls);
    const HMONITOR primary = PrimaryMonitor();
    const auto mouseCalls = InterleavedTiming::Run(
        [&input](int i) { ExportedOnReceive(TESSARIL_MSG_MOUSE_EVENT, &input.Mouse(i)); },
        [&input, primary](int i) { MouseEventCalls(primary, input.MouseRecord(i)); }, rounds, calls);
    const auto key = InterleavedTiming::Run(
        [&input](int i) { ExportedOnReceive(TESSARIL_MSG_KEY_EVENT, &input.Key(i)); },
        [&input](int i) { SendInput(1, input.KeyRecord(i), sizeof(INPUT)); }, rounds, calls);
    StopRemoteControl();
    ExportedUninit();

    std::printf("Under Wine, real SendInput; median of %d interleaved rounds of %d calls, wall clock per event.\n\n",
                rounds, calls);
    std::printf("| what | plugin, through ExportedOnReceive | bare SendInput, same records | ratio | target | met |\n");
    std::printf("|---|---|---|---|---|---|\n");
    PrintRow("mouse event, screen mode, empty ignore list", mouse);
    PrintRow("key event (A down / up)", key);
    PrintCallsRow(mouseCalls);
    PrintCallCosts(rounds, calls, mouse.floorNanoseconds);
    return 0;
}
