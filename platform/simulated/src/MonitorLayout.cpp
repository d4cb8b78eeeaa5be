#include "MonitorLayout.h"

#include <algorithm>

#include "Handles.h"

namespace SimulatedDesktop {

MonitorLayout::MonitorLayout() { Reset(); }

void MonitorLayout::Reset()
{
    monitors.clear();
    nextIndex = 1;
    Add(kDefaultPrimary, true);
}

HMONITOR MonitorLayout::Add(const RECT& rect, bool isPrimary)
{
    // 0x10001, 0x20001, ...: the shape of the monitor handles Windows gives out.
    const auto handle = MakeHandle<HMONITOR>(nextIndex++ << 16 | 1);
    monitors.push_back({handle, rect, rect, Monitor::kDefaultDpi});
    if (isPrimary) {
        primary = handle;
    }
    return handle;
}

Monitor* MonitorLayout::Find(HMONITOR handle)
{
    const auto found = std::find_if(monitors.begin(), monitors.end(), [handle](const Monitor& monitor) {
        return HandleValue(monitor.handle) == HandleValue(handle);
    });
    return found == monitors.end() ? nullptr : &*found;
}

const Monitor* MonitorLayout::Find(HMONITOR handle) const
{
    return const_cast<MonitorLayout*>(this)->Find(handle);
}

Monitor& MonitorLayout::Primary() { return *Find(primary); }

const Monitor& MonitorLayout::Primary() const { return *Find(primary); }

RECT MonitorLayout::VirtualScreen() const
{
    RECT bounds = monitors.front().monitor;
    for (const Monitor& monitor : monitors) {
        bounds.left = std::min(bounds.left, monitor.monitor.left);
        bounds.top = std::min(bounds.top, monitor.monitor.top);
        bounds.right = std::max(bounds.right, monitor.monitor.right);
        bounds.bottom = std::max(bounds.bottom, monitor.monitor.bottom);
    }
    return bounds;
}

}  // namespace SimulatedDesktop
