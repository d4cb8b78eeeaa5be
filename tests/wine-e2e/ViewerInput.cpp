#include "ViewerInput.h"

#include <chrono>

namespace ViewerInput {

namespace {

constexpr int32_t kLeftButton = 1;
constexpr int32_t kPress = 1;

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

TessarilMouseEventFFI Mouse(int64_t x, int64_t y, int32_t eventType, int64_t viewportWidth, int64_t viewportHeight,
                            int64_t seq)
{
    TessarilMouseEventFFI event{};
    event.x = x;
    event.y = y;
    event.button = kLeftButton;
    event.eventType = eventType;
    event.pressed = eventType == kPress;
    event.vp_width = viewportWidth;
    event.vp_height = viewportHeight;
    event.seq = seq;
    event.createTime = NowMs();
    return event;
}

TessarilKeyEvent Key(int64_t virtualKey, bool pressed, bool capsLock, int64_t seq)
{
    TessarilKeyEvent event{};
    event.keyCode = virtualKey;
    event.capsLock = capsLock ? 1 : 0;
    event.pressed = pressed;
    event.seq = seq;
    event.createTime = NowMs();
    return event;
}

}  // namespace ViewerInput
