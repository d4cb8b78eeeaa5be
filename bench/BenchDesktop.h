#pragma once

#include <cstdint>
#include <vector>

#include "platform_win32.h"

namespace TESSARIL_BENCH {

// The simulated desktop the benchmarks run on: the default 1920 x 1080 primary
// monitor, an editor window (800 x 600 at 100,100) that window mode shares, and
// two windows above it that overlap it, which the plugin makes click-through
// around each mouse event in window mode.
class BenchDesktop {
public:
    static constexpr RECT kEditorRect{100, 100, 900, 700};

    BenchDesktop();

    uint64_t Monitor() const;
    uint64_t Editor() const;
    const std::vector<HWND>& CoveringWindows() const;

    // The desktop journals every call; emptying it keeps a long run's memory
    // and the journal's cost the same from one call to the next.
    static void ForgetJournal();

private:
    HWND editor = nullptr;
    std::vector<HWND> covering;
};

}  // namespace TESSARIL_BENCH
