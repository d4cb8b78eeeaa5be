#pragma once

#include <array>
#include <cstdint>

#include "../ViewerInput.h"
#include "platform_win32.h"
#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_BENCH {

// The viewer's events for the Wine benchmark (ViewerInput's, over a viewport of
// the primary screen's size, so that the plugin's scale is 1) and the records
// the plugin makes of them on this screen, in its encoding
// trunc(65535.0 / width * x + 0.5).
class WineInput {
public:
    static constexpr int kPositions = ViewerInput::kPositions;

    WineInput();

    // Event `index` modulo kPositions, renumbered: sequence numbers must grow.
    const TessarilMouseEventFFI& Mouse(int index);
    const TessarilKeyEvent& Key(int index);

    INPUT* MouseRecord(int index);
    INPUT* KeyRecord(int index);

private:
    int64_t nextSeq = 1;
    std::array<TessarilMouseEventFFI, kPositions> mouseEvents{};
    std::array<INPUT, kPositions> mouseRecords{};
    std::array<TessarilKeyEvent, 2> keyEvents{};
    std::array<INPUT, 2> keyRecords{};
};

}  // namespace TESSARIL_BENCH
