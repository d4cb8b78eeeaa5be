#pragma once

#include <cstdint>
#include <mutex>

#include "common/Singleton.h"
#include "messaging/Records.h"
#include "platform_win32.h"

namespace TESSARIL_REMOTECONTROL_HOST {

struct ScreenSize {
    int32_t width = 0;
    int32_t height = 0;
};

// Converts between the viewer's viewport and the host screen: one uniform
// scale (host width over viewport width, in single precision) and a shift by
// the origin of the shared window or monitor.
//
// Threads: SetScreenId, Reset and ViewportToScreen run on the command thread;
// the cursor timer thread calls ScreenToViewport and GetLocalScreenSize, which
// read only the target. The target (id and mode) is therefore written and read
// as one pair under targetMutex; the viewport size and the scale belong to the
// command thread alone.
//
// DPI: every size and origin is in physical pixels. Reset reads the target's
// size inside a PerMonitorDpiScope of its own; the callers of ViewportToScreen,
// ScreenToViewport and GetLocalScreenSize hold one around their whole block
// (the injector's mouse path, the cursor capture), so that the rectangles and
// what the caller does with them share one coordinate space.
class CoordinateConverterHost : public TESSARIL_COMMON::Singleton<CoordinateConverterHost> {
public:
    CoordinateConverterHost();

    // The low 32 bits of screenId are a monitor handle when isScreen is true,
    // a window handle otherwise. Neither is validated.
    void SetScreenId(uint64_t screenId, bool isScreen);

    // Keeps the viewport size and recomputes the scale from the target's
    // physical size; a zero width or height is refused with an error line.
    void Reset(const TESSARIL_SERVER_API::ClientViewportInfo& info);

    // Viewport point to absolute screen point. A viewport width or height of
    // TESSARIL_VIEWPORT_SIZE_SENTINEL asks for the size Reset stored.
    void ViewportToScreen(int64_t& x, int64_t& y, int64_t viewportWidth, int64_t viewportHeight);

    // Screen point to a point relative to the shared window; unchanged in
    // screen mode. No scaling: the cursor report carries the host size.
    void ScreenToViewport(int64_t& x, int64_t& y);

    // The size of the shared window or monitor; 0 x 0 when it cannot be queried.
    ScreenSize GetLocalScreenSize();

private:
    struct Target {
        uint64_t screenId;
        bool isScreen;
    };

    void UpdateScale();
    Target CurrentTarget() const;
    void ChooseScale(bool screenMode, int64_t viewportWidth, int64_t viewportHeight, bool sentinel);

    TESSARIL_SERVER_API::ClientViewportInfo viewportInfo{};
    float scale = 0.0f;
    mutable std::mutex targetMutex;
    uint64_t screenId = TESSARIL_NO_TARGET;
    bool isScreen = false;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
