#include "host/Host.h"

#include <cstdlib>

#include "coordinates/CoordinateConverterHost.h"
#include "host/PylonHost.h"
#include "injection/InputInjector.h"
#include "logging/LogInstance.h"
#include "logging/OperationTrace.h"
#include "messaging/Notifier.h"
#include "messaging/TessarilServerApiResponser.h"
#include "platform_win32.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

using TESSARIL_LOG::LogError;
using TESSARIL_LOG::LogInfo;

constexpr int64_t kDone = 0;
constexpr int64_t kAlreadyStarted = 5;
constexpr int64_t kNotStarted = 6;

INIT_ONCE instanceOnce = INIT_ONCE_STATIC_INIT;

constexpr TESSARIL_LOG::OperationTrace Trace("TESSARIL_REMOTECONTROL_HOST::Host");

TessarilServerApiResponser& Responser()
{
    return *TessarilServerApiResponser::GetInstance();
}

}  // namespace

std::unique_ptr<Host> Host::instance;

// A failed one-time initialisation leaves no usable state behind: abort.
Host* Host::GetInstance()
{
    BOOL pending = FALSE;
    if (!InitOnceBeginInitialize(&instanceOnce, 0, &pending, nullptr)) {
        std::abort();
    }
    if (pending) {
        instance = std::make_unique<Host>();
        if (!InitOnceComplete(&instanceOnce, 0, nullptr)) {
            std::abort();
        }
    } else if (!instance) {
        instance = std::make_unique<Host>();  // only after DestroyInstance
    }
    return instance.get();
}

void Host::DestroyInstance()
{
    const auto trace = Trace("DestroyInstance");
    std::unique_ptr<Host> held;
    held.swap(instance);
}

int64_t Host::Init()
{
    const auto trace = Trace("Init");
    return kDone;
}

int64_t Host::UnInit()
{
    const auto trace = Trace("UnInit");
    return kDone;
}

int64_t Host::StartHost(uint64_t screenId, bool isScreen, const std::string& text)
{
    const auto trace = Trace("StartHost");
    if (messageChannelHost || inputInjector) {
        LogInfo("Host started Already");
        return kAlreadyStarted;
    }
    inputInjector = std::make_shared<InputInjector>();
    inputInjector->Init(screenId, isScreen);
    messageChannelHost = std::make_unique<PylonHost>();
    InstallChannelHandlers();
    messageChannelHost->Init(inputInjector, text);
    CoordinateConverterHost::GetInstance()->SetScreenId(screenId, isScreen);
    StartCursorMonitor();
    return kDone;
}

int64_t Host::StopHost()
{
    const auto trace = Trace("StopHost");
    StopCursorMonitor();
    if (!IsStarted()) {
        LogInfo("Host not started yet");
        return kNotStarted;
    }
    messageChannelHost->UnInit();
    messageChannelHost.reset();
    // With the channel host gone no input can arrive that would press anything
    // again after the injector has released what the viewer still held.
    inputInjector->UnInit();
    inputInjector.reset();
    ClearChannelHandlers();
    return kDone;
}

int64_t Host::UpdateHostIgnoreWindow(const HostIgnoredWindow& request, bool add)
{
    const auto trace = Trace("UpdateHostIgnoreWindow");
    if (RefuseWithoutInjector()) {
        return kNotStarted;
    }
    inputInjector->UpdateIgnoreWindow(request, add);
    return kDone;
}

int64_t Host::ClearHostIgnoreWindow()
{
    const auto trace = Trace("ClearHostIgnoreWindow");
    if (RefuseWithoutInjector()) {
        return kNotStarted;
    }
    inputInjector->ClearIgnoreWindow();
    return kDone;
}

int64_t Host::ResetScreenSize(const uint64_t& screenId)
{
    const auto trace = Trace("ResetScreenSize");
    if (RefuseWithoutInjector()) {
        return kNotStarted;
    }
    inputInjector->ResetScreenId(screenId);
    return kDone;
}

int64_t Host::ResetWindowId(uint64_t windowId)
{
    const auto trace = Trace("ResetWindowId");
    if (RefuseWithoutInjector()) {
        return kNotStarted;
    }
    inputInjector->ResetWindowId(windowId);
    return kDone;
}

int64_t Host::StartCursorMonitor()
{
    const auto trace = Trace("StartCursorMonitor");
    MouseCursorMonitor::GetInstance()->Init(this);
    return kDone;
}

void Host::StopCursorMonitor()
{
    const auto trace = Trace("StopCursorMonitor");
    MouseCursorMonitor::GetInstance()->Uninit();
}

void Host::OnMouseCursorCaptured(std::vector<CursorSample>& samples)
{
    messageChannelHost->ReportMouseCursor(samples);
}

void Host::OnOpenChannelResponse()
{
    LogInfo("Host Receive Open Channel Response");
}

void Host::OnCloseChannelResponse()
{
    LogInfo("Host Receive Close Channel Response");
}

void Host::OnChannelUnavailableIndication()
{
    LogInfo("Host Receive Channel UnAvailable Indication");
    Notifier::GetInstance()->SendChannelUnavailable();
    if (inputInjector) {
        inputInjector->ReleaseHeldInput();
    }
}

void Host::OnChannelAvailableIndication()
{
    LogInfo("Host Receive Channel Available Indication");
    Notifier::GetInstance()->SendChannelAvailable();
}

bool Host::IsStarted() const
{
    return messageChannelHost && inputInjector;
}

bool Host::RefuseWithoutInjector() const
{
    if (inputInjector) {
        return false;
    }
    LogError("HostNotStartedYet");
    return true;
}

// Through GetInstance, not a captured this: the responser's callbacks outlive a
// Host that DestroyInstance deletes.
void Host::InstallChannelHandlers()
{
    Responser().SetOpenChannelResponseCallback([] { OnOpenChannelResponse(); });
    Responser().SetCloseChannelResponseCallback([] { OnCloseChannelResponse(); });
    Responser().SetChannelUnavailableCallback([] { GetInstance()->OnChannelUnavailableIndication(); });
    Responser().SetChannelAvailableCallback([] { OnChannelAvailableIndication(); });
}

// Note the order differs from installation: available before unavailable.
void Host::ClearChannelHandlers()
{
    Responser().SetOpenChannelResponseCallback(nullptr);
    Responser().SetCloseChannelResponseCallback(nullptr);
    Responser().SetChannelAvailableCallback(nullptr);
    Responser().SetChannelUnavailableCallback(nullptr);
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
