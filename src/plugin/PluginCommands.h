#pragma once

#include <cstdint>
#include <string>

#include "messaging/Records.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// The seven plugin commands, each named after itself in the log: it traces,
// obtains the Host and returns the result code of the Host operation it maps
// to (0 done, 5 already started, 6 not started).
int32_t remoteControlAddHostIgnoreWindow(const HostIgnoredWindow& request);
int32_t remoteControlRemoveHostIgnoreWindow(const HostIgnoredWindow& request);
int32_t remoteControlClearHostIgnoreWindow();
int32_t remoteControlStartHost(const std::string& text, uint64_t screenId, bool isScreen);
int32_t remoteControlStopHost();
int32_t remoteControlResetScreen(uint64_t screenId);
int32_t remoteControlResetWindow(uint64_t windowId);

}  // namespace TESSARIL_REMOTECONTROL_HOST
