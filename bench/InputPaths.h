#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "HostSession.h"
#include "platform_win32.h"

namespace TESSARIL_BENCH {

// The viewer's input through the plugin's exports, and beside each path its
// floor: the Win32 calls the plugin makes for the same event, made straight
// with the records it would build. The viewport is the target's size, so the
// plugin scales by 1. Shared by the Linux program (simulated desktop) and the
// Wine one (the real SendInput).
class InputPaths {
public:
    static constexpr int kPositions = 16;
    static constexpr int kArrayLength = 100;

    // target: a monitor (isScreen) or a shared window; ignored: windows that
    // cover it, put on the plugin's ignore list.
    InputPaths(TESSARIL_HOST_APP::HostSession& session, HANDLE target, bool isScreen, std::vector<HWND> ignored = {});

    // Starts remote control on this target (stopping any other first).
    void Activate();

    // Event i: a move to one of kPositions points; the key A, down on even i and up on odd.
    void Mouse(int64_t i);
    void Key(int64_t i);
    void MouseBatch();

    void MouseFloor(int64_t i);
    void KeyFloor(int64_t i);
    void MouseBatchFloor();

private:
    void CollectCovering();

    TESSARIL_HOST_APP::HostSession& session;
    HANDLE target;
    bool isScreen;
    std::vector<HWND> ignored;
    std::vector<LONG> savedStyles;
    RECT rect;
    std::vector<TessarilMouseEventFFI> mouseEvents;
    std::array<INPUT, kPositions> mouseRecords{};
    std::array<TessarilKeyEvent, 2> keyEvents{};
    std::array<INPUT, 2> keyRecords{};
    TESSARIL_HOST_APP::MouseArray batch;
    // The plugin drops a mouse event whose number does not exceed the last one,
    // across every path of the run.
    static inline int64_t nextSeq = 1;
};

}  // namespace TESSARIL_BENCH
