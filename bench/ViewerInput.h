#pragma once

#include <cstdint>
#include <vector>

#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_BENCH {

// The viewer's key and mouse events as a host application hands them on:
// sequence numbers that only grow, the creation time stamped now, and mouse
// positions cycling through kPositions points of the viewport (never on row or
// column 0), so that a floor can replay the very records the plugin produced.
class ViewerInput {
public:
    static constexpr int kPositions = 64;

    ViewerInput(int64_t viewportWidth, int64_t viewportHeight);

    // A move to position `index` modulo kPositions.
    TessarilMouseEventFFI Mouse(int index);
    // The A key, pressed or released; the viewer's locks are off, so no lock
    // key is synchronised.
    TessarilKeyEvent Key(bool pressed);
    // `count` moves through consecutive positions, starting at `first`.
    void FillArray(std::vector<TessarilMouseEventFFI>& events, int first);

private:
    int64_t viewportWidth;
    int64_t viewportHeight;
    int64_t nextSeq = 1;
};

}  // namespace TESSARIL_BENCH
