#include "windowing/PerMonitorDpiScope.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

using SetContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetContext = DPI_AWARENESS_CONTEXT(WINAPI*)();
using AwarenessOf = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);

// Looked up rather than imported, so that the DLL still loads on Windows
// versions without them.
struct DpiFunctions {
    SetContext setContext = nullptr;
    GetContext getContext = nullptr;
    AwarenessOf awarenessOf = nullptr;

    bool Present() const { return setContext != nullptr && getContext != nullptr && awarenessOf != nullptr; }
};

// FARPROC's signature matches none of them; void (*)() is the type any
// function pointer passes through without a cast warning.
template <typename Function>
Function Lookup(HMODULE user32, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

// Once per process; user32 is loaded in every process that loads the plugin.
const DpiFunctions& Functions()
{
    static const DpiFunctions functions = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        if (user32 == nullptr) {
            return DpiFunctions{};
        }
        return DpiFunctions{Lookup<SetContext>(user32, "SetThreadDpiAwarenessContext"),
                            Lookup<GetContext>(user32, "GetThreadDpiAwarenessContext"),
                            Lookup<AwarenessOf>(user32, "GetAwarenessFromDpiAwarenessContext")};
    }();
    return functions;
}

}  // namespace

// A refused context sets the thread's last error; the host application's
// thread gets its own back.
PerMonitorDpiScope::PerMonitorDpiScope()
{
    const DpiFunctions& dpi = Functions();
    if (!dpi.Present() || dpi.awarenessOf(dpi.getContext()) == DPI_AWARENESS_PER_MONITOR_AWARE) {
        return;
    }
    const DWORD lastError = GetLastError();
    previous = dpi.setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    if (previous == nullptr) {
        previous = dpi.setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    }
    SetLastError(lastError);
}

PerMonitorDpiScope::~PerMonitorDpiScope()
{
    if (previous != nullptr) {
        Functions().setContext(previous);
    }
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
