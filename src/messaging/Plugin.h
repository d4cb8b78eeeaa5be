#pragma once

#include <cstdint>

#include "common/Singleton.h"

// The host application's handle of this plugin, as ExportedInit received it.
// Kept for the plugin's lifetime; nothing in the system reads it.
class Plugin : public TESSARIL_COMMON::Singleton<Plugin> {
public:
    void SetPluginHandle(uint32_t handle);

private:
    uint32_t pluginHandle = 0;
};
