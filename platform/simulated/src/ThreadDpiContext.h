#pragma once

#include <cstdint>

#include "platform_win32.h"
#include "simulated_desktop.h"

namespace SimulatedDesktop {

class DesktopState;

// Each thread's DPI awareness context, kept per thread as Windows keeps it; a
// thread that never set one, or set one before the last reset of the desktop,
// follows the process default. Contexts come back in the shape Wine gives them:
// 0x10 | awareness (0x22 for per-monitor v2) for a thread's own context, and
// 0x80000010 | awareness from SetThreadDpiAwarenessContext when the thread had
// none, which given back returns the thread to the process default.
class ThreadDpiContext {
public:
    static DPI_AWARENESS AwarenessOf(DPI_AWARENESS_CONTEXT context);

    // The calling thread's, under the desktop lock.
    static DPI_AWARENESS_CONTEXT Current(const DesktopState& state);
    // Null and ERROR_INVALID_PARAMETER for a context that is invalid or that
    // the desktop's ThreadDpiContexts setting refuses.
    static DPI_AWARENESS_CONTEXT Replace(const DesktopState& state, DPI_AWARENESS_CONTEXT context);
    // The DPI the calling thread reads coordinates in: 96 when unaware, the
    // primary monitor's when system aware, 0 (physical pixels) when per-monitor aware.
    static UINT ThreadDpi(const DesktopState& state);

private:
    static bool Accepted(const DesktopState& state, uintptr_t value);
};

}  // namespace SimulatedDesktop
