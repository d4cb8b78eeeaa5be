#include "coordinates/CoordinateConverterHost.h"

#include <cmath>
#include <limits>
#include <string>

#include "logging/LogInstance.h"
#include "logging/LogRateLimiter.h"
#include "logging/OperationTrace.h"
#include "windowing/PerMonitorDpiScope.h"
#include "windowing/WindowUtilities.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

using TESSARIL_LOG::LogError;
using TESSARIL_LOG::LogInfo;
using TESSARIL_LOG::LogRateLimiter;

constexpr TESSARIL_LOG::OperationTrace Trace("TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost");

void LogViewportRefused() { LogError("Client viewport area size must be Non-Zero!"); }

// The rectangle of the shared window or monitor. The utility's error text is
// of no use here: a failed query simply gives the zero rectangle.
RECT TargetRect(uint64_t screenId, bool isScreen)
{
    std::string ignored;
    const auto handle = static_cast<uint32_t>(screenId);
    return isScreen ? GetMonitorRect(handle, ignored) : GetWindowRectOf(handle, ignored);
}

// As Windows computes it, in 32 bits. A rectangle wider than INT32_MAX wraps
// around (the conversion is defined) instead of overflowing.
int32_t Extent(LONG low, LONG high) { return static_cast<int32_t>(int64_t{high} - low); }

// Single precision throughout, the 64-bit width going through double. The
// caller guarantees a non-zero width, and every non-zero int64 stays non-zero
// as a float, so the quotient is always finite.
float Ratio(int32_t hostWidth, int64_t viewportWidth)
{
    return static_cast<float>(hostWidth) / static_cast<float>(static_cast<double>(viewportWidth));
}

// Truncation toward zero. Converting a float outside the int64 range is
// undefined behaviour, and the viewer's coordinates are untrusted, so the
// result saturates at the limits; NaN, which a finite scale cannot produce,
// would land on the origin.
int64_t TruncateSaturated(float value)
{
    constexpr float kTwoToThe63 = 9223372036854775808.0f;
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= kTwoToThe63) {
        return std::numeric_limits<int64_t>::max();
    }
    if (value < -kTwoToThe63) {
        return std::numeric_limits<int64_t>::min();
    }
    return static_cast<int64_t>(value);
}

int64_t Scaled(int64_t value, float scale)
{
    return TruncateSaturated(static_cast<float>(static_cast<double>(value)) * scale);
}

// A coordinate near the int64 limits plus a monitor origin must not overflow.
int64_t AddSaturated(int64_t value, int64_t offset)
{
    if (offset > 0 && value > std::numeric_limits<int64_t>::max() - offset) {
        return std::numeric_limits<int64_t>::max();
    }
    if (offset < 0 && value < std::numeric_limits<int64_t>::min() - offset) {
        return std::numeric_limits<int64_t>::min();
    }
    return value + offset;
}

// One limiter per mode: in each mode this line sits at a call site of its own.
void LogCallViewportAgainstHost(bool screenMode, int64_t viewportWidth, int64_t viewportHeight, ScreenSize host)
{
    static LogRateLimiter windowModeLimiter;
    static LogRateLimiter screenModeLimiter;
    LogRateLimiter& limiter = screenMode ? screenModeLimiter : windowModeLimiter;
    if (limiter.Allow()) {
        LogInfo("client_viewport_size is {}:{} , host_screen_size is {}:{}", viewportWidth, viewportHeight,
                host.width, host.height);
    }
}

}  // namespace

CoordinateConverterHost::CoordinateConverterHost()
{
    const auto trace = Trace("CoordinateConverterHost");
}

void CoordinateConverterHost::SetScreenId(uint64_t id, bool screen)
{
    const auto trace = Trace("SetScreenId");
    {
        const std::lock_guard lock(targetMutex);
        screenId = id;
        isScreen = screen;
    }
    LogInfo("Window ID = {},{}", id, screen);
}

void CoordinateConverterHost::Reset(const TESSARIL_SERVER_API::ClientViewportInfo& info)
{
    const auto trace = Trace("Reset");
    if (info.width == 0 || info.height == 0) {
        LogViewportRefused();
        return;
    }
    viewportInfo = info;
    const PerMonitorDpiScope physicalPixels;
    UpdateScale();
}

// Hostile sizes and coordinates come straight from the viewer: every step below
// is defined for any int64 input (see Ratio, TruncateSaturated, AddSaturated).
void CoordinateConverterHost::ViewportToScreen(int64_t& x, int64_t& y, int64_t viewportWidth, int64_t viewportHeight)
{
    static LogRateLimiter beforeLimiter;
    if (beforeLimiter.Allow()) {
        LogInfo("Before ViewportToScreen, x is {}, y is {}, vp_width is {}, vp_height is {}", x, y, viewportWidth,
                viewportHeight);
    }
    const bool sentinel =
        viewportWidth == TESSARIL_VIEWPORT_SIZE_SENTINEL || viewportHeight == TESSARIL_VIEWPORT_SIZE_SENTINEL;
    const bool screenMode = CurrentTarget().isScreen;
    // A window-mode sentinel before any accepted Reset would divide by the
    // stored width of 0; it is refused like a zero size, point and scale untouched.
    const bool noStoredSize = sentinel && !screenMode && viewportInfo.width == 0;
    if (viewportWidth == 0 || viewportHeight == 0 || noStoredSize) {
        LogViewportRefused();
        return;
    }
    ChooseScale(screenMode, viewportWidth, viewportHeight, sentinel);
    x = Scaled(x, scale);
    y = Scaled(y, scale);
    const Target target = CurrentTarget();
    const RECT origin = TargetRect(target.screenId, target.isScreen);
    x = AddSaturated(x, origin.left);
    y = AddSaturated(y, origin.top);
    static LogRateLimiter afterLimiter;
    if (afterLimiter.Allow()) {
        LogInfo("After ViewportToScreen, x is {}, y is {}", x, y);
    }
}

// The height never enters the scale. A screen-mode sentinel keeps the scale of
// the last computation, whatever the monitor's size is now.
void CoordinateConverterHost::ChooseScale(bool screenMode, int64_t viewportWidth, int64_t viewportHeight,
                                          bool sentinel)
{
    if (sentinel) {
        if (!screenMode) {
            UpdateScale();
        }
        return;
    }
    const ScreenSize host = GetLocalScreenSize();
    LogCallViewportAgainstHost(screenMode, viewportWidth, viewportHeight, host);
    scale = Ratio(host.width, viewportWidth);
}

void CoordinateConverterHost::ScreenToViewport(int64_t& x, int64_t& y)
{
    const Target target = CurrentTarget();
    if (target.isScreen) {
        return;
    }
    static LogRateLimiter traceLimiter;
    if (traceLimiter.Allow()) {
        const auto trace = Trace("ScreenToViewport");
    }
    const RECT window = TargetRect(target.screenId, false);
    x = AddSaturated(x, -int64_t{window.left});
    y = AddSaturated(y, -int64_t{window.top});
    static LogRateLimiter originLimiter;
    if (originLimiter.Allow()) {
        LogInfo("window origin x is {}, y is {}", x, y);
    }
}

ScreenSize CoordinateConverterHost::GetLocalScreenSize()
{
    static LogRateLimiter traceLimiter;
    if (traceLimiter.Allow()) {
        const auto trace = Trace("GetLocalScreenSize");
    }
    const Target target = CurrentTarget();
    const RECT rect = TargetRect(target.screenId, target.isScreen);
    const ScreenSize size{Extent(rect.left, rect.right), Extent(rect.top, rect.bottom)};
    static LogRateLimiter sizeLimiter;
    if (sizeLimiter.Allow()) {
        LogInfo("screenId:{} {},screen_size is {}:{}", target.screenId, target.isScreen, size.width, size.height);
    }
    return size;
}

// Only called with a non-zero stored width: Reset refuses a zero one and
// ViewportToScreen refuses the sentinel before the first accepted Reset.
void CoordinateConverterHost::UpdateScale()
{
    const ScreenSize host = GetLocalScreenSize();
    static LogRateLimiter limiter;
    if (limiter.Allow()) {
        LogInfo("client_viewport_size is {}:{} , host_screen_size is {}:{}", viewportInfo.width, viewportInfo.height,
                host.width, host.height);
    }
    scale = Ratio(host.width, viewportInfo.width);
}

// The cursor timer thread reads the target while the command thread may set
// it: the pair is copied under the lock so that it is never seen half-written.
CoordinateConverterHost::Target CoordinateConverterHost::CurrentTarget() const
{
    const std::lock_guard lock(targetMutex);
    return Target{screenId, isScreen};
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
