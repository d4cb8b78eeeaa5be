#include "plugin/PluginSteps.h"


#include "host/Host.h"
#include "logging/OperationTrace.h"

namespace TESSARIL_REMOTECONTROL_HOST::PluginSteps {

namespace {

constexpr TESSARIL_LOG::OperationTrace Trace;

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
