// user32 of the simulated desktop: per-thread DPI awareness.

#include "Desktop.h"
#include "ThreadDpiContext.h"
#include "platform_win32.h"

using SimulatedDesktop::Desktop;
using SimulatedDesktop::DesktopState;
using SimulatedDesktop::ThreadDpiContext;

DPI_AWARENESS_CONTEXT WINAPI SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT dpiContext)
{
    return Desktop::Locked([dpiContext](DesktopState& state) {
        const DPI_AWARENESS_CONTEXT previous = ThreadDpiContext::Replace(state, dpiContext);
        state.journal.RecordThreadDpiContext(dpiContext, previous,
                                             previous == nullptr ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS);
        return previous;
    });
}

DPI_AWARENESS_CONTEXT WINAPI GetThreadDpiAwarenessContext(void)
{
    return Desktop::Locked([](DesktopState& state) { return ThreadDpiContext::Current(state); });
}

DPI_AWARENESS WINAPI GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT value)
{
    return ThreadDpiContext::AwarenessOf(value);
}
