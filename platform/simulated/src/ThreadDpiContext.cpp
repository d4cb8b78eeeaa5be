#include "ThreadDpiContext.h"

#include "DesktopState.h"

namespace SimulatedDesktop {

namespace {

constexpr uintptr_t kOwnContext = 0x10;
constexpr uintptr_t kOwnPerMonitorV2 = 0x22;
constexpr uintptr_t kProcessDefault = 0x80000010;
constexpr uintptr_t kAwarenessBits = 0x3;

// 0: the thread has no context of its own.
struct ThreadContext {
    uint64_t generation = 0;
    uintptr_t value = 0;
};
thread_local ThreadContext threadContext;

uintptr_t ValueOf(DPI_AWARENESS_CONTEXT context) { return reinterpret_cast<uintptr_t>(context); }

DPI_AWARENESS_CONTEXT ContextOf(uintptr_t value) { return reinterpret_cast<DPI_AWARENESS_CONTEXT>(value); }

uintptr_t OwnValue(const DesktopState& state)
{
    return threadContext.generation == state.generation ? threadContext.value : 0;
}

// What the thread keeps after setting `value`: its own context, or none.
uintptr_t Kept(uintptr_t value)
{
    if ((value & ~kAwarenessBits) == kProcessDefault) {
        return 0;
    }
    if (value == ValueOf(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) || value == kOwnPerMonitorV2) {
        return kOwnPerMonitorV2;
    }
    return kOwnContext | static_cast<uintptr_t>(ThreadDpiContext::AwarenessOf(ContextOf(value)));
}

}  // namespace

DPI_AWARENESS ThreadDpiContext::AwarenessOf(DPI_AWARENESS_CONTEXT context)
{
    const uintptr_t value = ValueOf(context);
    if (value == kOwnPerMonitorV2 || value == ValueOf(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
        return DPI_AWARENESS_PER_MONITOR_AWARE;
    }
    if (value == ValueOf(DPI_AWARENESS_CONTEXT_UNAWARE_GDISCALED)) {
        return DPI_AWARENESS_UNAWARE;
    }
    const uintptr_t awareness = value & kAwarenessBits;
    const bool own = (value & ~kAwarenessBits) == kOwnContext || (value & ~kAwarenessBits) == kProcessDefault;
    if (own && awareness != kAwarenessBits) {
        return static_cast<DPI_AWARENESS>(awareness);
    }
    for (const DPI_AWARENESS_CONTEXT predefined : {DPI_AWARENESS_CONTEXT_UNAWARE, DPI_AWARENESS_CONTEXT_SYSTEM_AWARE,
                                                   DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE}) {
        if (value == ValueOf(predefined)) {
            return static_cast<DPI_AWARENESS>(~static_cast<intptr_t>(value));
        }
    }
    return DPI_AWARENESS_INVALID;
}

DPI_AWARENESS_CONTEXT ThreadDpiContext::Current(const DesktopState& state)
{
    const uintptr_t own = OwnValue(state);
    return ContextOf(own != 0 ? own : kOwnContext | static_cast<uintptr_t>(state.processDpiAwareness));
}

DPI_AWARENESS_CONTEXT ThreadDpiContext::Replace(const DesktopState& state, DPI_AWARENESS_CONTEXT context)
{
    const uintptr_t value = ValueOf(context);
    if (!Accepted(state, value)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const uintptr_t own = OwnValue(state);
    const uintptr_t previous = own != 0 ? own : kProcessDefault | static_cast<uintptr_t>(state.processDpiAwareness);
    threadContext = {state.generation, Kept(value)};
    return ContextOf(previous);
}

UINT ThreadDpiContext::ThreadDpi(const DesktopState& state)
{
    switch (AwarenessOf(Current(state))) {
    case DPI_AWARENESS_UNAWARE:
        return Monitor::kDefaultDpi;
    case DPI_AWARENESS_SYSTEM_AWARE:
        return state.monitors.Primary().dpi;
    default:
        return 0;
    }
}

bool ThreadDpiContext::Accepted(const DesktopState& state, uintptr_t value)
{
    if (AwarenessOf(ContextOf(value)) == DPI_AWARENESS_INVALID || state.threadDpiContexts == ThreadDpiContexts::None) {
        return false;
    }
    const bool perMonitorV2 = value == ValueOf(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) || value == kOwnPerMonitorV2;
    return !(perMonitorV2 && state.threadDpiContexts == ThreadDpiContexts::AllButPerMonitorV2);
}

}  // namespace SimulatedDesktop
