#pragma once

#include <cstdint>

#include "tessaril_remotecontrol_host.h"

// The viewer's input as it travels to the plugin, in viewport coordinates.
namespace ViewerInput {

// eventType 0 moves, 1 presses, 2 releases; button 1 is the left one.
TessarilMouseEventFFI Mouse(int64_t x, int64_t y, int32_t eventType, int64_t viewportWidth, int64_t viewportHeight,
                            int64_t seq);
TessarilKeyEvent Key(int64_t virtualKey, bool pressed, bool capsLock, int64_t seq);

}  // namespace ViewerInput
