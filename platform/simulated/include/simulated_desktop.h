#pragma once

// Control of the simulated Windows desktop, for tests and the host-application
// substitute only; the system never includes this header. Every function here
// is thread-safe and takes the same lock as the Win32 functions.
//
// A freshly reset desktop has one primary monitor (0,0)-(1920,1080) whose work
// area is the whole monitor, no windows, the cursor at (0,0) showing the arrow,
// every key up and untoggled, Windows 10.0 build 19045 without service pack,
// working COM creation of the virtual-desktop manager, no SendInput limit and
// empty journals; every monitor at 96 DPI (100 %) and the process per-monitor
// DPI aware, so that no thread reads anything but physical pixels until a test
// says otherwise. The Win32 functions work before the first Reset, on that
// same desktop.
//
// Handles: windows are even numbers from 0x10010 upward, monitors 0x10001,
// 0x20001, ..., standard cursors fixed odd numbers from 0x10003 (the same in
// every run, so a table built at load time stays right across Reset), custom
// cursors odd numbers from 0x30001. Reset starts the window, monitor and custom
// cursor numbering again. A function given a handle that names nothing throws
// std::invalid_argument: a test that gets its set-up wrong should fail loudly.
//
// Journal(): one line per state-changing Win32 call, in call order:
//
//   SendInput <record> | <record> ... -> <inserted>[ error=<code>]
//       every record that was passed, decoded exactly:
//         mouse dx=<int> dy=<int> data=<int> flags=0x<hex4>
//         key vk=0x<hex2> scan=<uint> flags=0x<hex4>
//         hardware msg=0x<hex4> wParamL=<uint> wParamH=<uint>
//         type=<uint>                  (a record of no known type)
//       data is mouseData read as signed, so a wheel step down reads -120;
//       " time=<uint>" and " extra=0x<hex>" follow a record only when non-zero;
//       " error=<code>" is the last error the call set, when it inserted fewer
//       records than it was given.
//     e.g. SendInput mouse dx=32768 dy=21845 data=0 flags=0x8001 | mouse dx=0 dy=0 data=0 flags=0x0002 -> 2
//          SendInput key vk=0x14 scan=0 flags=0x0000 | key vk=0x14 scan=0 flags=0x0002 -> 2
//   SendInput cInputs=<uint> cbSize=<int> -> 0 error=<code>
//       a call refused before any record was read (wrong cbSize, no records,
//       null array).
//   SetWindowLongA 0x<hwnd> <index> 0x<hex8> -> 0x<hex8>[ error=<code>]
//       index is GWL_STYLE, GWL_EXSTYLE or the decimal number; the values are
//       the new one and the returned previous one; error when the call failed.
//     e.g. SetWindowLongA 0x10010 GWL_EXSTYLE 0x00080020 -> 0x00000000
//   SetThreadExecutionState 0x<hex8>
//       the flags passed, whatever the call returned.
//     e.g. SetThreadExecutionState 0x00000001
//   SetThreadDpiAwarenessContext <context> -> <previous>[ error=<code>]
//       predefined contexts by name (UNAWARE, SYSTEM_AWARE, PER_MONITOR_AWARE,
//       PER_MONITOR_AWARE_V2, UNAWARE_GDISCALED), the values threads hold as
//       0x<hex8>; a refused call returns 0 and names its error.
//     e.g. SetThreadDpiAwarenessContext PER_MONITOR_AWARE_V2 -> 0x00000010
//          SetThreadDpiAwarenessContext 0x00000010 -> 0x00000022
//          SetThreadDpiAwarenessContext PER_MONITOR_AWARE_V2 -> 0 error=87
//
// DPI virtualisation, as Windows 10 applies it to a thread that is not
// per-monitor aware: such a thread reads coordinates at its DPI (96 when
// unaware, the primary monitor's when system aware) instead of each monitor's.
// GetMonitorInfoA keeps each monitor's physical origin and scales its width and
// height (and the work area about the same origin); GetWindowRect scales a
// window's rectangle about the origin of the monitor it overlaps most;
// GetCursorInfo scales the position about the origin of the monitor holding
// it; GetSystemMetrics gives the primary monitor's scaled size and the bounds
// of the scaled monitors. Everything is rounded as MulDiv rounds. SendInput's
// absolute coordinates span the primary monitor's physical pixels, whatever
// the thread. Control-API positions and rectangles are physical pixels.
#include <string>
#include <vector>

#include "platform_win32.h"

#define SIMULATED_DESKTOP_API __attribute__((visibility("default")))

namespace SimulatedDesktop {

struct WindowSpec {
    std::string className;  // UTF-8
    std::string title;      // UTF-8
    DWORD processId = 1000;
    DWORD threadId = 1004;
    RECT rect{0, 0, 800, 600};  // screen coordinates, also for child windows
    // WS_VISIBLE and WS_MINIMIZE in style are replaced by the two flags below;
    // CreateChildWindow adds WS_CHILD.
    LONG style = WS_OVERLAPPEDWINDOW;
    // WS_EX_TOPMOST keeps the window above every window without it.
    LONG exStyle = 0;
    bool visible = true;
    bool minimised = false;
    bool onCurrentDesktop = true;
};

// Which contexts SetThreadDpiAwarenessContext takes: all, all but per-monitor
// v2 (Windows 10 1607 and Wine 8), or none.
enum class ThreadDpiContexts { All, AllButPerMonitorV2, None };

struct SendInputCall {
    std::vector<INPUT> records;  // empty when the call was refused unread
    UINT requested = 0;
    int cbSize = 0;
    UINT result = 0;
};

SIMULATED_DESKTOP_API void Reset();

// Windows. A new window goes to the top of its siblings (below the topmost
// band for a window without WS_EX_TOPMOST), as CreateWindow puts it.
SIMULATED_DESKTOP_API HWND CreateTopLevelWindow(const WindowSpec& windowSpec);
SIMULATED_DESKTOP_API HWND CreateChildWindow(HWND parent, const WindowSpec& windowSpec);
// Destroys the window and all its descendants.
SIMULATED_DESKTOP_API void DestroyWindow(HWND window);
SIMULATED_DESKTOP_API void BringToTop(HWND window);
// Child windows move along, as their positions are relative to the parent on Windows.
SIMULATED_DESKTOP_API void SetWindowRect(HWND window, const RECT& rect);
SIMULATED_DESKTOP_API void SetVisible(HWND window, bool visible);
SIMULATED_DESKTOP_API void SetMinimised(HWND window, bool minimised);
SIMULATED_DESKTOP_API void SetOnCurrentVirtualDesktop(HWND window, bool onCurrentDesktop);
SIMULATED_DESKTOP_API LONG StyleOf(HWND window);
SIMULATED_DESKTOP_API LONG ExStyleOf(HWND window);

// Monitors. The primary monitor decides SM_CXSCREEN / SM_CYSCREEN and the
// normalisation of absolute SendInput moves; the bounding rectangle of all
// monitors (the virtual screen) confines the cursor.
SIMULATED_DESKTOP_API HMONITOR PrimaryMonitor();
// The work area starts as the whole monitor. A new primary demotes the old one.
SIMULATED_DESKTOP_API HMONITOR AddMonitor(const RECT& rcMonitor, bool primary);
SIMULATED_DESKTOP_API void SetWorkArea(HMONITOR monitor, const RECT& rcWork);
// Resizes the primary monitor (and its work area) from its top-left corner.
SIMULATED_DESKTOP_API void SetPrimaryScreenSize(int cx, int cy);
SIMULATED_DESKTOP_API void SetSwapButtons(bool swapped);
// The monitor's DPI: 96 is 100 %, 144 is 150 %.
SIMULATED_DESKTOP_API void SetMonitorDpi(HMONITOR monitor, UINT dpi);

// DPI awareness of threads that have no context of their own (see above).
SIMULATED_DESKTOP_API void SetProcessDpiAwarenessDefault(DPI_AWARENESS awareness);
SIMULATED_DESKTOP_API void SetThreadDpiContexts(ThreadDpiContexts accepted);

// Cursor. Positions are confined to the virtual screen, as SetCursorPos does.
SIMULATED_DESKTOP_API void SetCursorPosition(POINT position);
SIMULATED_DESKTOP_API POINT CursorPosition();
SIMULATED_DESKTOP_API void SetCursorHandle(HCURSOR cursor);
// A handle that is none of the standard cursors, like an application's own.
SIMULATED_DESKTOP_API HCURSOR CreateCustomCursor();
SIMULATED_DESKTOP_API void SetCursorFlags(DWORD flags);
// GetCursorInfo fails and sets `error` until RestoreGetCursorInfo.
SIMULATED_DESKTOP_API void FailGetCursorInfo(DWORD error);
SIMULATED_DESKTOP_API void RestoreGetCursorInfo();

// Keyboard.
SIMULATED_DESKTOP_API void SetKeyToggled(int vk, bool toggled);
SIMULATED_DESKTOP_API bool IsKeyToggled(int vk);
SIMULATED_DESKTOP_API bool IsKeyDown(int vk);

// The version VerifyVersionInfoW compares against; build, platform, suite and
// product type stay those of Windows 10 workstation.
SIMULATED_DESKTOP_API void SetOsVersion(DWORD major, DWORD minor, WORD servicePackMajor);

// CoCreateInstance of the virtual-desktop manager fails with CO_E_NOTINITIALIZED,
// what a thread without COM gets.
SIMULATED_DESKTOP_API void FailVirtualDesktopManagerCreation(bool fail);
// Managers CoCreateInstance handed out whose last Release has not come yet (Reset
// keeps the count): 0 once the system released every manager it created.
SIMULATED_DESKTOP_API int LiveVirtualDesktopManagers();
// IsWindowOnCurrentVirtualDesktop fails for this window with
// TYPE_E_ELEMENTNOTFOUND, as for windows the shell does not track.
SIMULATED_DESKTOP_API void FailIsWindowOnCurrentVirtualDesktop(HWND window, bool fail);

// SendInput inserts at most maxRecords records per call (-1: no limit) and
// returns how many it inserted; only those take effect. A shortened call sets
// `error` as its last error; ERROR_ACCESS_DENIED is what a blocked desktop gives.
SIMULATED_DESKTOP_API void LimitSendInput(int maxRecords, DWORD error = ERROR_ACCESS_DENIED);

// The next SendInput call destroys the window (and its descendants) before it
// inserts any record, as when the window's process ends in the middle of an
// injection; later calls leave it. Reset forgets a pending destruction.
SIMULATED_DESKTOP_API void DestroyWindowAtNextSendInput(HWND window);

// What the system did, in call order (see the journal format above).
SIMULATED_DESKTOP_API std::vector<SendInputCall> SendInputCalls();
SIMULATED_DESKTOP_API std::vector<EXECUTION_STATE> ExecutionStateCalls();
SIMULATED_DESKTOP_API std::vector<std::string> Journal();
// Empties the journal and both structured records.
SIMULATED_DESKTOP_API void ClearJournal();

}  // namespace SimulatedDesktop
