#pragma once

#include <cstdint>

namespace TESSARIL_REMOTECONTROL_HOST {

// One reading of the host's mouse cursor, as the cursor monitor collects it and
// the cursor report sends it (one MouseCursorFFI per sample). Seven 64-bit
// slots, 56 bytes. The defaults are the monitor's sample before its first
// reading.
struct CursorSample {
    alignas(8) int32_t reserved0 = 0;  // always 0; carries nothing the system computes
    alignas(8) int64_t cursorType = 0;  // the report sends its low 32 bits
    alignas(8) int64_t x = 0;           // relative to the shared window, or the screen position
    alignas(8) int64_t y = 0;
    alignas(8) int64_t screenWidth = 0;  // size of the shared window or monitor
    alignas(8) int64_t screenHeight = 0;
    alignas(8) int64_t reserved1 = 1;  // always 1; carries nothing the system computes
};
static_assert(sizeof(CursorSample) == 56);

}  // namespace TESSARIL_REMOTECONTROL_HOST
