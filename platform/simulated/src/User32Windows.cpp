// user32 of the simulated desktop: windows, their properties and enumeration.

#include <vector>

#include "CallJournal.h"
#include "Desktop.h"
#include "DpiView.h"
#include "ThreadDpiContext.h"
#include "platform_win32.h"

using SimulatedDesktop::Desktop;
using SimulatedDesktop::DesktopState;
using SimulatedDesktop::Window;

namespace {

// Runs `use` on the window under the desktop lock. A handle that names no
// window sets ERROR_INVALID_WINDOW_HANDLE and yields `failure`, as user32 does.
template <typename Result, typename Use>
Result WithWindow(HWND handle, Result failure, Use use)
{
    return Desktop::Locked([&](DesktopState& state) -> Result {
        Window* window = state.windows.Find(handle);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return failure;
        }
        return use(*window, state);
    });
}

LONG* LongField(Window& window, int index)
{
    switch (index) {
    case GWL_STYLE:
        return &window.style;
    case GWL_EXSTYLE:
        return &window.exStyle;
    default:
        return nullptr;
    }
}

// Lists are taken under the lock and the callback runs without it, like
// user32's window lists: a callback may call back in, and windows destroyed
// meanwhile are skipped.
struct Snapshot {
    bool alive = false;
    std::vector<HWND> children;
};

Snapshot TakeSnapshot(HWND handle)
{
    return Desktop::Locked([handle](DesktopState& state) {
        const Window* window = state.windows.Find(handle);
        return window == nullptr ? Snapshot{} : Snapshot{true, window->children};
    });
}

// Depth first: each window, then its descendants, siblings in z-order.
BOOL EnumerateSubtrees(const std::vector<HWND>& windows, WNDENUMPROC callback, LPARAM lParam)
{
    for (HWND window : windows) {
        const Snapshot snapshot = TakeSnapshot(window);
        if (!snapshot.alive) {
            continue;
        }
        BOOL proceed = callback(window, lParam);
        if (proceed && !snapshot.children.empty()) {
            proceed = EnumerateSubtrees(snapshot.children, callback, lParam);
        }
        if (!proceed) {
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex)
{
    return WithWindow(hWnd, LONG{0}, [nIndex](Window& window, DesktopState&) -> LONG {
        const LONG* field = LongField(window, nIndex);
        if (field == nullptr) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        return *field;
    });
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong)
{
    return Desktop::Locked([&](DesktopState& state) {
        Window* window = state.windows.Find(hWnd);
        LONG* field = window == nullptr ? nullptr : LongField(*window, nIndex);
        const DWORD error = window == nullptr  ? ERROR_INVALID_WINDOW_HANDLE
                            : field == nullptr ? ERROR_INVALID_INDEX
                                               : ERROR_SUCCESS;
        LONG previous = 0;
        if (error != ERROR_SUCCESS) {
            SetLastError(error);
        } else {
            previous = *field;
            // Only SetWindowPos changes whether a window is topmost.
            *field = nIndex == GWL_EXSTYLE ? (dwNewLong & ~WS_EX_TOPMOST) | (previous & WS_EX_TOPMOST) : dwNewLong;
        }
        state.journal.RecordSetWindowLong(hWnd, nIndex, dwNewLong, previous, error);
        return previous;
    });
}

BOOL WINAPI IsWindow(HWND hWnd)
{
    return WithWindow(hWnd, FALSE, [](Window&, DesktopState&) { return TRUE; });
}

BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    return WithWindow(hWnd, FALSE, [](Window& window, DesktopState& state) {
        return state.windows.IsVisible(window) ? TRUE : FALSE;
    });
}

BOOL WINAPI IsIconic(HWND hWnd)
{
    return WithWindow(hWnd, FALSE, [](Window& window, DesktopState&) { return (window.style & WS_MINIMIZE) != 0; });
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd)
{
    return WithWindow(hWnd, HWND{}, [uCmd](Window& window, DesktopState& state) -> HWND {
        if (uCmd > GW_CHILD) {
            SetLastError(ERROR_INVALID_GW_COMMAND);
            return nullptr;
        }
        return state.windows.Related(window, uCmd);
    });
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    return WithWindow(hWnd, FALSE, [lpRect](Window& window, DesktopState& state) {
        if (lpRect == nullptr) {
            SetLastError(ERROR_NOACCESS);
            return FALSE;
        }
        const UINT threadDpi = SimulatedDesktop::ThreadDpiContext::ThreadDpi(state);
        *lpRect = SimulatedDesktop::DpiView(state.monitors, threadDpi).WindowRect(window.rect);
        return TRUE;
    });
}

BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr) {
        return FALSE;
    }
    const RECT& a = *lprcSrc1;
    const RECT& b = *lprcSrc2;
    // Rectangles exclude their right and bottom edges, so touching ones do
    // not intersect; an empty result is all zeros.
    const bool empty = a.right <= a.left || a.bottom <= a.top || b.right <= b.left || b.bottom <= b.top ||
                       a.left >= b.right || b.left >= a.right || a.top >= b.bottom || b.top >= a.bottom;
    if (empty) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *lprcDst = RECT{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
                    a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    return TRUE;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    return WithWindow(hWnd, 0, [&](Window& window, DesktopState&) {
        return window.className.CopyTo(lpClassName, nMaxCount);
    });
}

int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount)
{
    return WithWindow(hWnd, 0, [&](Window& window, DesktopState&) {
        return window.className.CopyTo(lpClassName, nMaxCount);
    });
}

// GetWindowText empties the buffer before it looks at the window.
int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    if (lpString == nullptr || nMaxCount < 1) {
        return 0;
    }
    lpString[0] = 0;
    return WithWindow(hWnd, 0, [&](Window& window, DesktopState&) { return window.title.CopyTo(lpString, nMaxCount); });
}

int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount)
{
    if (lpString == nullptr || nMaxCount < 1) {
        return 0;
    }
    lpString[0] = 0;
    return WithWindow(hWnd, 0, [&](Window& window, DesktopState&) { return window.title.CopyTo(lpString, nMaxCount); });
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId)
{
    return WithWindow(hWnd, DWORD{0}, [lpdwProcessId](Window& window, DesktopState&) {
        if (lpdwProcessId != nullptr) {
            *lpdwProcessId = window.processId;
        }
        return window.threadId;
    });
}

BOOL WINAPI EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    // Windows would crash calling a null callback.
    if (lpEnumFunc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::vector<HWND> windows = Desktop::Locked([](DesktopState& state) { return state.windows.TopLevel(); });
    for (HWND window : windows) {
        if (TakeSnapshot(window).alive && !lpEnumFunc(window, lParam)) {
            return FALSE;
        }
    }
    return TRUE;
}

// A window without children gives FALSE, as user32 does when it finds no list.
BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    if (hWndParent == nullptr) {
        return EnumWindows(lpEnumFunc, lParam);
    }
    if (lpEnumFunc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const Snapshot parent = TakeSnapshot(hWndParent);
    if (!parent.alive) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return parent.children.empty() ? FALSE : EnumerateSubtrees(parent.children, lpEnumFunc, lParam);
}
