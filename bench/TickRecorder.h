#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform_win32.h"

namespace TESSARIL_BENCH {

// Times of the cursor monitor's ticks, seen from outside the plugin: this
// program defines GetCursorInfo itself, so the dynamic linker binds the
// plugin's calls to it ahead of the simulated desktop's, and each call notes
// the steady clock and the calling thread before passing on. A tick makes
// exactly one GetCursorInfo call, as its first desktop call.
class TickRecorder {
public:
    // Notes the next `capacity` calls at most.
    static void Start(size_t capacity);
    static void Stop();
    // Steady-clock nanoseconds of the calls noted since Start; read only after
    // the calling thread has stopped.
    static std::vector<int64_t> Times();
    // The thread of the first call noted since Start, or 0.
    static pid_t CallingThread();

    // The simulated desktop's own GetCursorInfo, bypassing the recorder.
    static BOOL ReadCursorDirectly(PCURSORINFO info);
};

}  // namespace TESSARIL_BENCH
