#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/IMessageChannelHost.h"
#include "messaging/Records.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// Receives the viewer's key, mouse and viewport messages through the handlers
// it installs in the ServerApi responser, logs and measures them and passes
// them to the injector or the coordinate converter. Sends the register and
// unregister requests, the "PacketDealTime" latency report and, through the
// event loop, the cursor reports.
//
// Threads: no lock. The handlers run on the thread that dispatches incoming
// messages and alone touch lastPacketDealTimeReport; ReportMouseCursor runs on
// the cursor timer thread and touches no field. Init and UnInit run on the
// command thread, which installs the handlers after the injector is stored and
// removes them before the destructor drops it.
class PylonHost final : public IMessageChannelHost {
public:
    PylonHost() = default;

    // UnInit once more, whole (trace and unregister request), then the
    // injector reference goes with the members.
    ~PylonHost() override;

    PylonHost(const PylonHost&) = delete;
    PylonHost& operator=(const PylonHost&) = delete;

    int64_t Init(const std::shared_ptr<IInputInjector>& injector, const std::string& text) override;

    // The task owns its copy of the batch and needs nothing of this object, so
    // it may still run after the PylonHost is gone. Returns 0 without waiting.
    int64_t ReportMouseCursor(const std::vector<CursorSample>& samples) override;

    int64_t UnInit() override;

    int64_t InjectKeyEvent(const TESSARIL_SERVER_API::KeyEvent& event);
    int64_t InjectMouseEvent(const TESSARIL_SERVER_API::MouseEvent& event);

    // Back to back, in order; the duration is only logged.
    void InjectMouseEventArray(const std::vector<TESSARIL_SERVER_API::MouseEvent>& events, int32_t duration);

    static void OnViewportSizeChanged(const TESSARIL_SERVER_API::ClientViewportInfo& info);

    // No message leads here: the touch input of the channel is not consumed.
    int64_t InjectTouchEvent(const TESSARIL_SERVER_API::TouchRecord& event);

private:
    void InstallHandlers();
    static void ClearHandlers();
    void ReportLatencyWhenDue(int64_t createTime);

    std::shared_ptr<IInputInjector> inputInjector;
    // Milliseconds since 1970; shared by the key and the mouse path, so that
    // together they send at most one report per interval.
    uint64_t lastPacketDealTimeReport = 0;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
