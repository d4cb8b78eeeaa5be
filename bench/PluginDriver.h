#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "HostEventLoop.h"
#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_BENCH {

// The plugin as a host application drives it: ExportedInit with counting entry
// points and an event loop of its own, then commands and messages through the
// exports only. A command that does not answer "done" throws, so a benchmark
// never measures a refused start.
class PluginDriver {
public:
    // The plugin's log goes to <logDirectory>/tessaril-remotecontrol-host.log.
    explicit PluginDriver(const std::string& logDirectory);
    // Stops remote control if it runs, drains the loop, ExportedStop, ExportedUninit.
    ~PluginDriver();

    PluginDriver(const PluginDriver&) = delete;
    PluginDriver& operator=(const PluginDriver&) = delete;

    // Remote control of a monitor or of a window (handles as the host passes
    // them); a running session is stopped first.
    void StartScreen(uint64_t monitor);
    void StartWindow(uint64_t window);
    void Stop();

    // An ignore window of type 3 (by handle).
    void AddIgnoreWindow(uint64_t window);

    static void Receive(uint64_t messageId, const void* payload);

    // Waits for the cursor reports the loop has been handed so far.
    void DrainEventLoop();

private:
    void Start(uint64_t target, bool isScreen);

    TESSARIL_HOST_APP::HostEventLoop loop;
    TessarilEventLoopTable table{};
    bool started = false;
};

}  // namespace TESSARIL_BENCH
