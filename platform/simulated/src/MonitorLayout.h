#pragma once

#include <cstdint>
#include <vector>

#include "platform_win32.h"

namespace SimulatedDesktop {

struct Monitor {
    static constexpr UINT kDefaultDpi = 96;

    HMONITOR handle = nullptr;
    RECT monitor{};  // physical pixels, as are all rectangles here
    RECT work{};
    UINT dpi = kDefaultDpi;  // 96 is 100 %, 144 is 150 %
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
    const std::vector<Monitor>& All() const { return monitors; }

    // The bounding rectangle of all monitors.
    RECT VirtualScreen() const;

private:
    std::vector<Monitor> monitors;
    HMONITOR primary = nullptr;
    uint32_t nextIndex = 1;
};

}  // namespace SimulatedDesktop
