#include "DpiView.h"

#include <algorithm>
#include <cstdint>

namespace SimulatedDesktop {

namespace {

int64_t OverlapArea(const RECT& a, const RECT& b)
{
    const int64_t width = int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    const int64_t height = int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

bool Holds(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

}  // namespace

RECT DpiView::WindowRect(const RECT& rect) const
{
    const Monitor* best = &monitors.Primary();
    int64_t bestArea = 0;
    for (const Monitor& monitor : monitors.All()) {
        const int64_t area = OverlapArea(rect, monitor.monitor);
        if (area > bestArea) {
            best = &monitor;
            bestArea = area;
        }
    }
    return About(*best, rect);
}

POINT DpiView::Point(POINT point) const
{
    const Monitor* holder = &monitors.Primary();
    for (const Monitor& monitor : monitors.All()) {
        if (Holds(monitor.monitor, point)) {
            holder = &monitor;
            break;
        }
    }
    const RECT logical = About(*holder, RECT{point.x, point.y, point.x, point.y});
    return POINT{logical.left, logical.top};
}

RECT DpiView::VirtualScreen() const
{
    RECT bounds = MonitorRect(monitors.All().front());
    for (const Monitor& monitor : monitors.All()) {
        const RECT rect = MonitorRect(monitor);
        bounds = {std::min(bounds.left, rect.left), std::min(bounds.top, rect.top), std::max(bounds.right, rect.right),
                  std::max(bounds.bottom, rect.bottom)};
    }
    return bounds;
}

RECT DpiView::About(const Monitor& monitor, const RECT& rect) const
{
    const LONG x = monitor.monitor.left;
    const LONG y = monitor.monitor.top;
    return RECT{x + Scaled(rect.left - x, monitor.dpi), y + Scaled(rect.top - y, monitor.dpi),
                x + Scaled(rect.right - x, monitor.dpi), y + Scaled(rect.bottom - y, monitor.dpi)};
}

// MulDiv's rounding: to the nearest, halves away from zero.
LONG DpiView::Scaled(LONG offset, UINT monitorDpi) const
{
    if (dpi == 0 || dpi == monitorDpi) {
        return offset;
    }
    const int64_t product = int64_t{offset} * dpi;
    const int64_t half = monitorDpi / 2;
    return static_cast<LONG>((product >= 0 ? product + half : product - half) / monitorDpi);
}

}  // namespace SimulatedDesktop
