#pragma once

#include <cstddef>
#include <vector>

#include "platform_win32.h"

namespace TESSARIL_BENCH {

// The floor of an input benchmark: the Win32 calls with an effect on the
// desktop that the plugin made for the same events, made straight, with
// nothing computed. Each SendInput call the desktop journaled is replayed with
// its records, after the SetThreadExecutionState call that every injected event
// makes (the simulated desktop journals that call too, and its cost is not the
// plugin's); in window mode the covering windows' extended styles are set
// before and restored after, as the plugin does.
class FloorReplay {
public:
    // The SendInput calls the desktop journaled since its journal was last
    // emptied; `styledWindows` are made click-through around each call.
    static FloorReplay FromJournal(std::vector<HWND> styledWindows);

    size_t Calls() const;
    // Replays call `index` modulo Calls().
    void Replay(size_t index);

private:
    std::vector<std::vector<INPUT>> calls;
    std::vector<HWND> windows;
    std::vector<LONG> saved;
};

}  // namespace TESSARIL_BENCH
