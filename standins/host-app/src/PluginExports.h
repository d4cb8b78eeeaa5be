#pragma once

#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_HOST_APP {

// The plugin's eight exports, as found in the loaded library. decltype of the
// header's prototypes keeps the calling convention and the types in step with
// the header without linking against the plugin.
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

}  // namespace TESSARIL_HOST_APP
