#include "messaging/Plugin.h"

void Plugin::SetPluginHandle(uint32_t handle)
{
    pluginHandle = handle;
}
