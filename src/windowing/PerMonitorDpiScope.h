#pragma once

#include "platform_win32.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// Switches the calling thread to per-monitor DPI awareness for the scope's
// life and restores the thread's previous context at its end, so that a block
// of window-manager queries and the SendInput that uses their answers all work
// in physical pixels. The host application decides its threads' awareness, and
// on a scaled display Windows hands a thread that is not per-monitor aware
// logical values (monitor origins physical, sizes, window rectangles and
// cursor positions scaled) while SendInput's absolute coordinates stay
// physical: mixed, they miss on any monitor but a 100 % primary.
//
// Per-monitor v2 first, per-monitor where the system refuses v2 (Windows 10
// 1607, Wine). Nothing at all happens where the functions are missing (before
// Windows 10 1607), where both contexts are refused, or where the thread is
// per-monitor aware already, which also makes nested scopes free.
//
// Never hold one across a call into the host application or anything that may
// create a window: a window takes the awareness of the thread that creates it.
class PerMonitorDpiScope {
public:
    PerMonitorDpiScope();
    ~PerMonitorDpiScope();

    PerMonitorDpiScope(const PerMonitorDpiScope&) = delete;
    PerMonitorDpiScope& operator=(const PerMonitorDpiScope&) = delete;

private:
    // What SetThreadDpiAwarenessContext returned; null when nothing was switched.
    DPI_AWARENESS_CONTEXT previous = nullptr;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
