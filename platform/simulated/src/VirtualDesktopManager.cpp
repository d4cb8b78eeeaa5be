#include "VirtualDesktopManager.h"

#include "Desktop.h"

namespace SimulatedDesktop {

namespace {

// Runs `use` on the top-level ancestor of `handle` under the desktop lock. A
// handle that names no window fails with TYPE_E_ELEMENTNOTFOUND, as the shell
// answers for windows it does not track.
template <typename Use>
HRESULT WithTopLevelWindow(HWND handle, Use use)
{
    return Desktop::Locked([&](DesktopState& state) -> HRESULT {
        Window* window = state.windows.Find(handle);
        if (window == nullptr) {
            return TYPE_E_ELEMENTNOTFOUND;
        }
        return use(state.windows.TopLevelAncestor(*window), *window);
    });
}

}  // namespace

HRESULT VirtualDesktopManager::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    if (riid != IID_IUnknown && riid != IID_IVirtualDesktopManager) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    *object = static_cast<IVirtualDesktopManager*>(this);
    return S_OK;
}

ULONG VirtualDesktopManager::AddRef() { return ++references; }

ULONG VirtualDesktopManager::Release()
{
    const ULONG remaining = --references;
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

HRESULT VirtualDesktopManager::IsWindowOnCurrentVirtualDesktop(HWND topLevelWindow, BOOL* onCurrentDesktop)
{
    if (onCurrentDesktop == nullptr) {
        return E_INVALIDARG;
    }
    return WithTopLevelWindow(topLevelWindow, [onCurrentDesktop](Window& topLevel, Window& window) {
        if (window.desktopQueryFails) {
            return TYPE_E_ELEMENTNOTFOUND;
        }
        *onCurrentDesktop = topLevel.onCurrentDesktop ? TRUE : FALSE;
        return S_OK;
    });
}

HRESULT VirtualDesktopManager::GetWindowDesktopId(HWND topLevelWindow, GUID* desktopId)
{
    if (desktopId == nullptr) {
        return E_INVALIDARG;
    }
    return WithTopLevelWindow(topLevelWindow, [desktopId](Window& topLevel, Window&) {
        *desktopId = topLevel.onCurrentDesktop ? kCurrentDesktop : kOtherDesktop;
        return S_OK;
    });
}

HRESULT VirtualDesktopManager::MoveWindowToDesktop(HWND topLevelWindow, REFGUID desktopId)
{
    if (desktopId != kCurrentDesktop && desktopId != kOtherDesktop) {
        return E_INVALIDARG;
    }
    return WithTopLevelWindow(topLevelWindow, [&desktopId](Window& topLevel, Window&) {
        topLevel.onCurrentDesktop = desktopId == kCurrentDesktop;
        return S_OK;
    });
}

}  // namespace SimulatedDesktop
