#include "ViewerInput.h"

#include <chrono>

namespace TESSARIL_BENCH {

namespace {

constexpr int64_t kKeyA = 0x41;

int64_t NowMilliseconds()
{
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
}

}  // namespace

ViewerInput::ViewerInput(int64_t width, int64_t height) : viewportWidth(width), viewportHeight(height) {}

TessarilMouseEventFFI ViewerInput::Mouse(int index)
{
    const int position = index % kPositions;
    TessarilMouseEventFFI event{};
    event.x = 10 + position * (viewportWidth - 20) / kPositions;
    event.y = 10 + position * (viewportHeight - 20) / kPositions;
    event.vp_width = viewportWidth;
    event.vp_height = viewportHeight;
    event.seq = nextSeq++;
    event.createTime = NowMilliseconds();
    return event;
}

TessarilKeyEvent ViewerInput::Key(bool pressed)
{
    TessarilKeyEvent event{};
    event.keyCode = kKeyA;
    event.pressed = pressed;
    event.seq = nextSeq++;
    event.createTime = NowMilliseconds();
    return event;
}

void ViewerInput::FillArray(std::vector<TessarilMouseEventFFI>& events, int first)
{
    for (size_t i = 0; i < events.size(); ++i) {
        events[i] = Mouse(first + static_cast<int>(i));
    }
}

}  // namespace TESSARIL_BENCH
