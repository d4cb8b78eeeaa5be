// ole32 of the simulated desktop: the one COM class the system creates.

#include "Desktop.h"
#include "VirtualDesktopManager.h"
#include "platform_win32.h"

using SimulatedDesktop::Desktop;
using SimulatedDesktop::DesktopState;

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    // The switch stands for a thread that never initialised COM, which is
    // refused before any class is looked up.
    if (Desktop::Locked([](DesktopState& state) { return state.failManagerCreation; })) {
        return CO_E_NOTINITIALIZED;
    }
    if (rclsid != CLSID_VirtualDesktopManager || (dwClsContext & (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER)) == 0) {
        return REGDB_E_CLASSNOTREG;
    }
    if (pUnkOuter != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    auto* manager = new SimulatedDesktop::VirtualDesktopManager;
    const HRESULT result = manager->QueryInterface(riid, ppv);
    manager->Release();
    return result;
}
