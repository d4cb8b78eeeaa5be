#pragma once

#include "MonitorLayout.h"
#include "platform_win32.h"

namespace SimulatedDesktop {

// The desktop as a thread of one DPI reads it, as Windows virtualises it for
// threads that are not per-monitor aware: a monitor keeps its physical origin
// and its size scales by the thread's DPI over the monitor's; a window's
// rectangle and a point scale about the origin of their monitor, so that they
// stay inside its logical rectangle. A thread DPI of 0 (per-monitor aware), or
// one equal to the monitor's, sees physical pixels. Not thread-safe: the
// desktop lock guards the layout.
class DpiView {
public:
    DpiView(const MonitorLayout& layout, UINT threadDpi) : monitors(layout), dpi(threadDpi) {}

    RECT MonitorRect(const Monitor& monitor) const { return About(monitor, monitor.monitor); }
    RECT WorkRect(const Monitor& monitor) const { return About(monitor, monitor.work); }
    // On the monitor it overlaps most (the primary when it overlaps none).
    RECT WindowRect(const RECT& rect) const;
    // On the monitor that holds it (the primary when none does).
    POINT Point(POINT point) const;
    // The bounding rectangle of the logical monitor rectangles.
    RECT VirtualScreen() const;

private:
    RECT About(const Monitor& monitor, const RECT& rect) const;
    LONG Scaled(LONG offset, UINT monitorDpi) const;

    const MonitorLayout& monitors;
    UINT dpi;
};

}  // namespace SimulatedDesktop
