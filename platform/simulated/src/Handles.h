#pragma once

#include <cstdint>

#include "platform_win32.h"

namespace SimulatedDesktop {

// User handles are 32-bit values on every Windows: 64-bit Windows ignores the
// upper half of a handle, and so does the simulated desktop.
template <typename Handle>
uint32_t HandleValue(Handle handle)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

template <typename Handle>
Handle MakeHandle(uint32_t value)
{
    return reinterpret_cast<Handle>(static_cast<uintptr_t>(value));
}

}  // namespace SimulatedDesktop
