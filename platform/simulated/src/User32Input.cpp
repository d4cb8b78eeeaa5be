// user32 of the simulated desktop: input injection, keys, cursor, metrics and
// monitors.

#include <utility>

#include "Desktop.h"
#include "DpiView.h"
#include "StandardCursors.h"
#include "ThreadDpiContext.h"
#include "platform_win32.h"

using SimulatedDesktop::Desktop;
using SimulatedDesktop::DesktopState;
using SimulatedDesktop::DpiView;
using SimulatedDesktop::Monitor;
using SimulatedDesktop::SendInputCall;

namespace {

// The desktop as the calling thread reads it (SendInput alone ignores this).
DpiView ThreadView(const DesktopState& state)
{
    return DpiView(state.monitors, SimulatedDesktop::ThreadDpiContext::ThreadDpi(state));
}

// Checks made before any record is read, in user32's order.
DWORD RefusalOf(UINT cInputs, LPINPUT pInputs, int cbSize)
{
    if (cbSize != static_cast<int>(sizeof(INPUT)) || cInputs == 0) {
        return ERROR_INVALID_PARAMETER;
    }
    return pInputs == nullptr ? ERROR_NOACCESS : ERROR_SUCCESS;
}

}  // namespace

UINT WINAPI SendInput(UINT cInputs, LPINPUT pInputs, int cbSize)
{
    const DWORD refusal = RefusalOf(cInputs, pInputs, cbSize);
    return Desktop::Locked([&](DesktopState& state) {
        if (state.destroyAtNextSendInput != nullptr) {
            state.windows.Destroy(std::exchange(state.destroyAtNextSendInput, nullptr));
        }
        SendInputCall call;
        call.requested = cInputs;
        call.cbSize = cbSize;
        DWORD error = refusal;
        if (refusal == ERROR_SUCCESS) {
            call.records.assign(pInputs, pInputs + cInputs);
            call.result = state.Inject(call.records);
            error = call.result < cInputs ? state.sendInputLimitError : ERROR_SUCCESS;
        }
        if (error != ERROR_SUCCESS) {
            SetLastError(error);
        }
        state.journal.RecordSendInput(call, error);
        return call.result;
    });
}

SHORT WINAPI GetKeyState(int nVirtKey)
{
    return Desktop::Locked([nVirtKey](DesktopState& state) { return state.keyboard.State(nVirtKey); });
}

int WINAPI GetSystemMetrics(int nIndex)
{
    return Desktop::Locked([nIndex](DesktopState& state) {
        const DpiView view = ThreadView(state);
        const RECT primary = view.MonitorRect(state.monitors.Primary());
        const RECT bounds = view.VirtualScreen();
        switch (nIndex) {
        case SM_CXSCREEN:
            return primary.right - primary.left;
        case SM_CYSCREEN:
            return primary.bottom - primary.top;
        case SM_SWAPBUTTON:
            return state.swapButtons ? TRUE : FALSE;
        case SM_XVIRTUALSCREEN:
            return bounds.left;
        case SM_YVIRTUALSCREEN:
            return bounds.top;
        case SM_CXVIRTUALSCREEN:
            return bounds.right - bounds.left;
        case SM_CYVIRTUALSCREEN:
            return bounds.bottom - bounds.top;
        case SM_CMONITORS:
            return state.monitors.Count();
        default:
            // Windows answers 0 for an index it does not know, and sets no error.
            return 0;
        }
    });
}

BOOL WINAPI GetMonitorInfoA(HMONITOR hMonitor, LPMONITORINFO lpmi)
{
    if (lpmi == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    // Only MONITORINFO is part of this subset, not MONITORINFOEXA. user32 turns
    // a wrong size down without setting an error.
    if (lpmi->cbSize != sizeof(MONITORINFO)) {
        return FALSE;
    }
    return Desktop::Locked([&](DesktopState& state) {
        const Monitor* monitor = state.monitors.Find(hMonitor);
        if (monitor == nullptr) {
            SetLastError(ERROR_INVALID_MONITOR_HANDLE);
            return FALSE;
        }
        const DpiView view = ThreadView(state);
        lpmi->rcMonitor = view.MonitorRect(*monitor);
        lpmi->rcWork = view.WorkRect(*monitor);
        lpmi->dwFlags = monitor == &state.monitors.Primary() ? MONITORINFOF_PRIMARY : 0;
        return TRUE;
    });
}

BOOL WINAPI GetCursorInfo(PCURSORINFO pci)
{
    if (pci == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    if (pci->cbSize != sizeof(CURSORINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD error = Desktop::Locked([pci](DesktopState& state) {
        const DWORD readError = state.cursor.Read(*pci);
        if (readError == ERROR_SUCCESS) {
            pci->ptScreenPos = ThreadView(state).Point(pci->ptScreenPos);
        }
        return readError;
    });
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName)
{
    // No module of the simulated desktop carries resources: only the system's
    // own cursors, asked for without a module, exist.
    const HCURSOR cursor = hInstance == nullptr ? SimulatedDesktop::StandardCursors::Find(lpCursorName) : nullptr;
    if (cursor == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    }
    return cursor;
}
