#pragma once

#include <cstdint>
#include <vector>

#include "platform_win32.h"

namespace SimulatedDesktop {

struct Monitor {
    HMONITOR handle = nullptr;
    RECT monitor{};
    RECT work{};
};

// The monitors of the desktop, one of them primary. Not thread-safe: the
// desktop lock guards it.
class MonitorLayout {
public:
    static constexpr RECT kDefaultPrimary{0, 0, 1920, 1080};

    MonitorLayout();

    // One primary monitor of kDefaultPrimary.
    void Reset();
    HMONITOR Add(const RECT& rect, bool primary);

    Monitor* Find(HMONITOR handle);
    const Monitor* Find(HMONITOR handle) const;
    Monitor& Primary();
    const Monitor& Primary() const;
    int Count() const { return static_cast<int>(monitors.size()); }

    // The bounding rectangle of all monitors.
    RECT VirtualScreen() const;

private:
    std::vector<Monitor> monitors;
    HMONITOR primary = nullptr;
    uint32_t nextIndex = 1;
};

}  // namespace SimulatedDesktop
