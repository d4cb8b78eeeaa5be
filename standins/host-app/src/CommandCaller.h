#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "PluginExports.h"
#include "ReportEntry.h"
#include "SessionStep.h"
#include "platform_win32.h"

namespace TESSARIL_HOST_APP {

// Runs plugin commands as the host application does: builds the command's
// payload, calls ExportedCallEvent, reads the result the plugin wrote, then
// releases the call with ExportedCallDrop. Windows are named by the session;
// the map gives their handles on the desktop.
class CommandCaller {
public:
    CommandCaller(const PluginExports& exports, const std::map<std::string, HWND>& windows);

    CommandEntry Start(const StartCommandStep& step);
    CommandEntry Stop(const std::string& name);
    CommandEntry Ignore(const IgnoreWindowCommandStep& step);
    CommandEntry ClearIgnore();
    CommandEntry ResetWindow(const ResetWindowCommandStep& step);
    CommandEntry ResetScreen();

    // Whether the last start succeeded and no stop has ended it since.
    bool Started() const;

private:
    template <typename Payload>
    CommandEntry Call(uint64_t commandId, Payload& payload, std::string name, std::string detail);
    uint64_t Handle(const std::string& window) const;

    const PluginExports& exports;
    const std::map<std::string, HWND>& windows;
    bool started = false;
};

}  // namespace TESSARIL_HOST_APP
