#include "host/PylonHost.h"

#include "common/MillisecondClock.h"
#include "coordinates/CoordinateConverterHost.h"
#include "host/ZivizevEventLoop.h"
#include "logging/LogInstance.h"
#include "logging/LogRateLimiter.h"
#include "logging/OperationTrace.h"
#include "messaging/Notifier.h"
#include "messaging/TessarilServerApiRequester.h"
#include "messaging/TessarilServerApiResponser.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

using TESSARIL_LOG::LogInfo;
using TESSARIL_LOG::LogRateLimiter;
using TESSARIL_LOG::LogWarning;
using TESSARIL_SERVER_API::ClientViewportInfo;
using TESSARIL_SERVER_API::KeyEvent;
using TESSARIL_SERVER_API::MouseEvent;

constexpr uint64_t kPacketDealTimeIntervalMilliseconds = 5000;

constexpr TESSARIL_LOG::OperationTrace Trace("TESSARIL_REMOTECONTROL_HOST::PylonHost");

// Unsigned: the viewer's clock may be ahead of ours, and the difference is then
// reported as its wrap-around, not as a negative latency.
uint64_t Now()
{
    return static_cast<uint64_t>(TESSARIL_COMMON::MillisecondClock::Now());
}

uint64_t SinceCreation(int64_t createTime)
{
    return Now() - static_cast<uint64_t>(createTime);
}

TessarilServerApiResponser& Responser()
{
    return *TessarilServerApiResponser::GetInstance();
}

// The channel defines 0, 1 and 2; anything else counts as 1.
int64_t RegistrationResult(int64_t sent)
{
    return sent == 0 || sent == 1 || sent == 2 ? sent : 1;
}

// Single mouse-event messages that the viewer marks as already delivered by
// other means; elements of an array are never filtered.
bool IsSuppressedMouseEvent(const MouseEvent& event)
{
    const int64_t type = event.eventType;
    return event.suppressMark == 1 && (type == 3 || type == 8 || type == 9 || type == 12);
}

// The array message carries 64 bits; only the low 32, taken as signed, count.
int32_t LowHalfSigned(int64_t duration)
{
    return static_cast<int32_t>(static_cast<uint32_t>(duration));
}

}  // namespace

PylonHost::~PylonHost()
{
    UnInit();
}

int64_t PylonHost::Init(const std::shared_ptr<IInputInjector>& injector, const std::string& text)
{
    const auto trace = Trace("Init");
    inputInjector = injector;
    InstallHandlers();
    return RegistrationResult(TessarilServerApiRequester::GetInstance()->SendRegisterRequest(text));
}

int64_t PylonHost::UnInit()
{
    const auto trace = Trace("UnInit");
    TessarilServerApiRequester::GetInstance()->SendUnregisterRequest();
    ClearHandlers();
    return 0;
}

void PylonHost::InstallHandlers()
{
    Responser().SetKeyEventCallback([this](const KeyEvent& event) { InjectKeyEvent(event); });
    Responser().SetMouseEventCallback([this](const MouseEvent& event) {
        if (!IsSuppressedMouseEvent(event)) {
            InjectMouseEvent(event);
        }
    });
    Responser().SetMouseEventArrayCallback([this](const std::vector<MouseEvent>& events, int64_t duration) {
        InjectMouseEventArray(events, LowHalfSigned(duration));
    });
    Responser().SetClientViewportInfoCallback([](const ClientViewportInfo& info) {
        LogInfo("Notify host the viewport size of client");
        OnViewportSizeChanged(info);
    });
}

void PylonHost::ClearHandlers()
{
    Responser().SetKeyEventCallback(nullptr);
    Responser().SetMouseEventCallback(nullptr);
    Responser().SetMouseEventArrayCallback(nullptr);
    Responser().SetClientViewportInfoCallback(nullptr);
}

int64_t PylonHost::InjectKeyEvent(const KeyEvent& event)
{
    static LogRateLimiter limiter;
    if (limiter.Allow()) {
        LogInfo("Prepare injecting a KeyEvent, key code is {}, key if pressed? {}, seq is {},timeFromCreateToExecute "
                "is {}",
                event.keyCode, event.pressed, event.seq, SinceCreation(event.createTime));
    }
    ReportLatencyWhenDue(event.createTime);
    inputInjector->InjectKeyEvent(event);
    return 0;
}

int64_t PylonHost::InjectMouseEvent(const MouseEvent& event)
{
    static LogRateLimiter limiter;
    if (limiter.Allow()) {
        LogInfo("Prepare injecting a MouseEvent, x is {}, y is {}, button is {}, if pressed? {}, vp_width is {}, "
                "vp_height is {}, seq is {},timeFromCreateToExecute is {}",
                event.x, event.y, event.button, event.pressed, event.vp_width, event.vp_height, event.seq,
                SinceCreation(event.createTime));
    }
    ReportLatencyWhenDue(event.createTime);
    inputInjector->InjectMouseEvent(event);
    return 0;
}

// Between reports this costs one clock read and a comparison, and builds no
// string: it runs for every key and mouse event.
void PylonHost::ReportLatencyWhenDue(int64_t createTime)
{
    if (Now() - lastPacketDealTimeReport <= kPacketDealTimeIntervalMilliseconds) {
        return;
    }
    Notifier::GetInstance()->SendReport("PacketDealTime", std::to_string(SinceCreation(createTime)));
    lastPacketDealTimeReport = Now();
}

void PylonHost::InjectMouseEventArray(const std::vector<MouseEvent>& events, int32_t duration)
{
    LogInfo("Inject Mouse Event Array, events size is {}, time_duration is {}", events.size(), duration);
    if (events.empty()) {
        LogWarning("InjectMouseEventArray rcv empty");
        return;
    }
    for (const MouseEvent& event : events) {
        InjectMouseEvent(event);
    }
}

void PylonHost::OnViewportSizeChanged(const ClientViewportInfo& info)
{
    LogInfo("Viewport Size Changed");
    CoordinateConverterHost::GetInstance()->Reset(info);
}

int64_t PylonHost::ReportMouseCursor(const std::vector<CursorSample>& samples)
{
    ZivizevEventLoop::GetInstance()->PostTask(
        [samples] { TessarilServerApiRequester::GetInstance()->SendCursorReport(samples); });
    return 0;
}

int64_t PylonHost::InjectTouchEvent(const TESSARIL_SERVER_API::TouchRecord& event)
{
    static LogRateLimiter limiter;
    if (limiter.Allow()) {
        const auto trace = Trace("InjectTouchEvent");
    }
    inputInjector->InjectTouchEvent(event);
    return 0;
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
