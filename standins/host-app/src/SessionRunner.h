#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "CommandCaller.h"
#include "PluginExports.h"
#include "HostDesktop.h"
#include "SessionReport.h"
#include "SessionStep.h"
#include "ViewerMessageSender.h"
#include "platform_win32.h"

namespace TESSARIL_HOST_APP {

// Replays a session against the loaded plugin on the build's desktop (a fresh
// simulated one, or the real one on Windows, HostDesktop),
// calling the exports in the order a host application must:
// ExportedInit, ExportedStart, the steps, ExportedStop, a stop command when
// the session left remote control started, the event loop drained, and
// ExportedUninit last. Everything seen goes into the report.
class SessionRunner {
public:
    SessionRunner(const PluginExports& exports, SessionReport& report, std::filesystem::path logDirectory);

    void Run(const std::vector<SessionStep>& steps);

    // The log file's name inside the log directory, without ".log".
    static constexpr const char* kLogFileStem = "tessaril-remotecontrol-host";

private:
    void RunSteps(const std::vector<SessionStep>& steps);
    void RunStep(const std::function<std::optional<ReportEntry>()>& run);
    std::optional<ReportEntry> Replay(const SessionStep& step);
    void AddNewSendInputCalls();


    const PluginExports& exports;
    SessionReport& report;
    std::filesystem::path logDirectory;
    std::map<std::string, HWND> windows;
    CommandCaller commands;
    ViewerMessageSender viewer;
    // From the start of Run to its end.
    std::optional<HostDesktop> desktop;
};

}  // namespace TESSARIL_HOST_APP
