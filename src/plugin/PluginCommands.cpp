#include "plugin/PluginCommands.h"

#include "host/Host.h"
#include "logging/OperationTrace.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

constexpr TESSARIL_LOG::OperationTrace Trace;

// Host results carry the code in their low 32 bits.
int32_t Code(int64_t result)
{
    return static_cast<int32_t>(result);
}

}  // namespace

int32_t remoteControlAddHostIgnoreWindow(const HostIgnoredWindow& request)
{
    const auto trace = Trace("remoteControlAddHostIgnoreWindow");
    return Code(Host::GetInstance()->UpdateHostIgnoreWindow(request, true));
}

int32_t remoteControlRemoveHostIgnoreWindow(const HostIgnoredWindow& request)
{
    const auto trace = Trace("remoteControlRemoveHostIgnoreWindow");
    return Code(Host::GetInstance()->UpdateHostIgnoreWindow(request, false));
}

int32_t remoteControlClearHostIgnoreWindow()
{
    const auto trace = Trace("remoteControlClearHostIgnoreWindow");
    return Code(Host::GetInstance()->ClearHostIgnoreWindow());
}

int32_t remoteControlStartHost(const std::string& text, uint64_t screenId, bool isScreen)
{
    const auto trace = Trace("remoteControlStartHost");
    return Code(Host::GetInstance()->StartHost(screenId, isScreen, text));
}

int32_t remoteControlStopHost()
{
    const auto trace = Trace("remoteControlStopHost");
    return Code(Host::GetInstance()->StopHost());
}

int32_t remoteControlResetScreen(uint64_t screenId)
{
    const auto trace = Trace("remoteControlResetScreen");
    return Code(Host::GetInstance()->ResetScreenSize(screenId));
}

int32_t remoteControlResetWindow(uint64_t windowId)
{
    const auto trace = Trace("remoteControlResetWindow");
    return Code(Host::GetInstance()->ResetWindowId(windowId));
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
