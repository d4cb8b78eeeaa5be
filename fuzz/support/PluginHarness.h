#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform_win32.h"

// One plugin life per fuzz input, on the same simulated desktop each time: a
// shared window under two others (one of them the host's prompt, which must
// never be touched), a window with the same title on another virtual desktop,
// and two monitors. What must hold whatever the input did is checked as it
// happens; a violation aborts, and libFuzzer keeps the input that caused it.
class PluginHarness {
public:
    // Resets the desktop, then ExportedInit without an event loop.
    PluginHarness();
    // Stops remote control, ExportedUninit, then checks that every window has
    // its extended style back. The coordinate converter, which the plugin keeps
    // for the process, is destroyed so that the next input starts from scratch.
    ~PluginHarness();

    PluginHarness(const PluginHarness&) = delete;
    PluginHarness& operator=(const PluginHarness&) = delete;

    // remoteControlStartHost for the shared window, or for the primary monitor
    // with the covering chat window to be let through.
    void Start(bool screen);

    // ExportedCallEvent, checked: it must run exactly the known commands with a
    // payload, write 0, 5 or 6 into `result` when it runs and leave `result`
    // alone when it does not, and a done stop must send the unregister request
    // twice.
    void Command(uint64_t commandId, void* payload, int64_t* result);

    // A mouse move inside the shared area, so that the ignore windows of the
    // moment are made transparent and restored.
    void Probe();

    // A target for start and reset commands: one of the desktop's windows or
    // monitors, 0, all bits set, or `raw`.
    uint64_t Target(uint8_t choice, uint64_t raw) const;

    // What the host application writes into each register request's result.
    static void SetRegisterResult(int64_t result);

private:
    HWND shared = nullptr;
    HWND chat = nullptr;
    HWND prompt = nullptr;
    HMONITOR secondMonitor = nullptr;
    std::vector<std::pair<HWND, LONG>> originalExStyles;
};
