#include "plugin/PluginSteps.h"

#include <string>

#include "host/Host.h"
#include "logging/FunctionTrace.h"
#include "logging/LogInstance.h"

namespace TESSARIL_REMOTECONTROL_HOST::PluginSteps {

namespace {

TESSARIL_LOG::FunctionTrace Trace(const char* step)
{
    return TESSARIL_LOG::FunctionTrace(std::string(TESSARIL_LOG::kLoggerName), step);
}

}  // namespace

bool Init()
{
    const auto trace = Trace("Init");
    Host::GetInstance()->Init();
    return true;
}

bool Start()
{
    const auto trace = Trace("Start");
    return true;
}

bool Stop()
{
    const auto trace = Trace("Stop");
    return true;
}

bool Uninit()
{
    const auto trace = Trace("Uninit");
    Host::GetInstance()->UnInit();
    return true;
}

}  // namespace TESSARIL_REMOTECONTROL_HOST::PluginSteps
