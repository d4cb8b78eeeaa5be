#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cursor/MouseCursorMonitor.h"
#include "host/IMessageChannelHost.h"
#include "injection/IInputInjector.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// Turns the plugin commands into running remote control: a start creates the
// injector and the message-channel host, tells the coordinate converter what is
// shared and starts the cursor monitor; a stop undoes it in the reverse order.
// Started means both owned objects exist. Results: 0 done, 5 already started,
// 6 not started.
//
// Threads: no lock. Every operation runs on the command thread, one at a time.
// OnMouseCursorCaptured runs on the cursor timer thread and reads
// messageChannelHost unguarded; that is safe because StartHost starts the
// monitor last and StopHost stops (and joins) it first.
class Host final : public MouseCursorMonitor::Callback {
public:
    // Created once per process behind the operating system's one-time
    // initialisation. After DestroyInstance the next call creates a fresh Host
    // without the guard, as the singletons do; nothing in the plugin calls it
    // before unload.
    static Host* GetInstance();
    static void DestroyInstance();

    Host() = default;
    ~Host() override = default;

    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    int64_t Init();
    // Leaves a started host started: the host application stops it first.
    int64_t UnInit();

    int64_t StartHost(uint64_t screenId, bool isScreen, const std::string& text);
    int64_t StopHost();

    int64_t UpdateHostIgnoreWindow(const HostIgnoredWindow& request, bool add);
    int64_t ClearHostIgnoreWindow();

    // Without a started host there is no injector to reset: these answer like
    // the ignore-window operations, "HostNotStartedYet" and 6, and the next
    // start takes its target from its own command anyway.
    int64_t ResetScreenSize(const uint64_t& screenId);
    int64_t ResetWindowId(uint64_t windowId);

    int64_t StartCursorMonitor();
    void StopCursorMonitor();

    void OnMouseCursorCaptured(std::vector<CursorSample>& samples) override;

    static void OnOpenChannelResponse();
    static void OnCloseChannelResponse();
    // A viewer that lost the channel can no longer release what it holds, and
    // the host application may keep remote control on while it reconnects: the
    // injector releases it here, after the indication's line and notification.
    void OnChannelUnavailableIndication();
    static void OnChannelAvailableIndication();

private:
    bool IsStarted() const;
    bool RefuseWithoutInjector() const;
    static void InstallChannelHandlers();
    static void ClearChannelHandlers();

    // Destroyed in reverse: a deleted Host lets go of the injector before the
    // channel host, whose destructor then unregisters once more.
    std::unique_ptr<IMessageChannelHost> messageChannelHost;
    std::shared_ptr<IInputInjector> inputInjector;

    // Destroyed when the library is unloaded, taking a Host still held with it.
    static std::unique_ptr<Host> instance;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
