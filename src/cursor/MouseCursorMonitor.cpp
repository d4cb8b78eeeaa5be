#include "cursor/MouseCursorMonitor.h"

#include <string>

#include "coordinates/CoordinateConverterHost.h"
#include "cursor/StandardCursorTypes.h"
#include "logging/LogInstance.h"
#include "logging/LogRateLimiter.h"
#include "logging/OperationTrace.h"
#include "platform_win32.h"
#include "windowing/PerMonitorDpiScope.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

using TESSARIL_LOG::LogError;
using TESSARIL_LOG::LogInfo;
using TESSARIL_LOG::LogWarning;

constexpr TESSARIL_LOG::OperationTrace Trace("TESSARIL_REMOTECONTROL_HOST::MouseCursorMonitor");

// The cursor as the system reports it, or false with a warning when it cannot
// be read. A hidden cursor counts as the arrow; its position is still real.
bool ReadCursor(CURSORINFO& info)
{
    info = {};
    info.cbSize = sizeof(CURSORINFO);
    if (GetCursorInfo(&info) == FALSE) {
        LogWarning("Unable to get cursor info. Error = {}", static_cast<uint32_t>(GetLastError()));
        return false;
    }
    if (info.flags == 0) {
        info.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    }
    return true;
}

// Type, position relative to the shared window or monitor, and its size; the
// two constant fields stay as they are.
void Fill(CursorSample& sample, const CURSORINFO& info)
{
    auto* converter = CoordinateConverterHost::GetInstance();
    int64_t x = info.ptScreenPos.x;
    int64_t y = info.ptScreenPos.y;
    converter->ScreenToViewport(x, y);
    const ScreenSize size = converter->GetLocalScreenSize();
    sample.x = x;
    sample.y = y;
    sample.screenWidth = size.width;
    sample.screenHeight = size.height;
    sample.cursorType = StandardCursorTypes::TypeOf(info.hCursor);
}

// Position and size in physical pixels, whatever the awareness this thread
// got from the host process; the scope ends before the batch goes to the host.
// A suppressed cursor (touch or pen input) has no position worth sending.
void Sample(CursorSample& sample)
{
    const PerMonitorDpiScope physicalPixels;
    CURSORINFO info;
    if (ReadCursor(info) && info.flags != CURSOR_SUPPRESSED) {
        Fill(sample, info);
    }
}

}  // namespace

MouseCursorMonitor::~MouseCursorMonitor()
{
    const auto trace = Trace("~MouseCursorMonitor");
    if (inited) {
        LogWarning("~MouseCursorMonitor has not uninit");
        Uninit();
    }
    // A worker left running by a refused stop (a callback that called Uninit)
    // must not tick while the members it uses are destroyed; the timer's own
    // destructor would stop it only after them.
    std::string ignored;
    timer.stopThread(ignored);
}

void MouseCursorMonitor::Init(Callback* receiver)
{
    const auto trace = Trace("Init");
    if (inited) {
        LogWarning("MouseCursorMonitor has been inited");
        return;
    }
    if (receiver == nullptr) {
        LogError("Init fail, callback is empty");
        return;
    }
    callback.store(receiver);
    batch.clear();
    startTimer();
    inited = true;
}

void MouseCursorMonitor::Uninit()
{
    const auto trace = Trace("Uninit");
    if (!inited) {
        LogWarning("MouseCursorMonitor not inited");
        return;
    }
    stopTimer();
    batch.clear();
    callback.store(nullptr);
    inited = false;
}

void MouseCursorMonitor::startTimer()
{
    const auto trace = Trace("startTimer");
    if (timer.isRunning()) {
        LogInfo("Cursor Monitor thread timer is start already");
        return;
    }
    timer.startThread({}, {});
    timer.addTimer([this](void*) { Capture(); }, nullptr);
}

void MouseCursorMonitor::stopTimer()
{
    const auto trace = Trace("stopTimer");
    if (!timer.isRunning()) {
        LogInfo("Cursor Monitor threadTimer is stopped already");
        return;
    }
    std::string error;
    if (!timer.stopThread(error)) {
        LogError("stop timer thread error: {}", error);
    }
}

void MouseCursorMonitor::Capture()
{
    Callback* const receiver = callback.load();
    if (receiver == nullptr) {
        LogWarning("Capture Host Cursor callback is nullptr");
        return;
    }
    static TESSARIL_LOG::LogRateLimiter limiter;
    if (limiter.Allow()) {
        LogInfo("Host is capturing curosr style and hot-point");
    }
    Sample(current);
    batch.push_back(current);
    if (batch.size() >= kBatchSize) {
        receiver->OnMouseCursorCaptured(batch);
        batch.clear();
    }
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
