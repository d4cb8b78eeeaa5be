#pragma once

#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_HOST_APP {

// The plugin's eight exports, wherever they come from. decltype of the
// header's prototypes keeps the calling convention and the types in step.
struct PluginExports {
    decltype(&ExportedInit) init = nullptr;
    decltype(&ExportedStart) start = nullptr;
    decltype(&ExportedStop) stop = nullptr;
    decltype(&ExportedUninit) uninit = nullptr;
    decltype(&ExportedOnReceive) onReceive = nullptr;
    decltype(&ExportedOnDelegate) onDelegate = nullptr;
    decltype(&ExportedCallEvent) callEvent = nullptr;
    decltype(&ExportedCallDrop) callDrop = nullptr;
};

// The exports linked into this program (target tessaril_harness_linked; the
// program links whatever defines them: the plugin's objects or its library).
PluginExports LinkedPlugin();

}  // namespace TESSARIL_HOST_APP
