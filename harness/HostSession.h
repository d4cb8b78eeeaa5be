#pragma once

#include <cstdint>

#include "EventLoop.h"
#include "MessageRecorder.h"
#include "PluginExports.h"
#include "ViewerPayloads.h"

namespace TESSARIL_HOST_APP {

// One plugin cycle, played the way a host application plays it: ExportedInit
// with the recorder's SendFunction and NotifyFunction and the event loop's
// table; commands as payloads through ExportedCallEvent, the result read, the
// call released with ExportedCallDrop; viewer messages through
// ExportedOnReceive; and at the end the order a host must keep (Finish).
class HostSession {
public:
    struct InitOptions {
        bool eventLoop = true;           // false: ExportedInit gets no EventLoopTable
        // Handed over instead of the loop's own table (e.g. one with an entry missing).
        const TessarilEventLoopTable* table = nullptr;
        const char* logDirectory = "";   // the logger's second value ("" its default folder)
        const char* logName = "tessaril-remotecontrol-host";
        int32_t logValue = 0;            // the logger's first value (0: default rotation)
        uint32_t pluginHandle = 7;
    };

    // What Command returns when ExportedCallEvent refused to run the command.
    static constexpr int64_t kRefused = INT64_MIN;

    explicit HostSession(PluginExports plugin);
    // Finish, unless done already.
    ~HostSession();

    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // ExportedInit (with the table of `loop` unless told otherwise), then ExportedStart.
    bool Init(const InitOptions& options);
    bool Init() { return Init(InitOptions{}); }

    // The stop command if a start is still in force, ExportedStop, the cursor
    // tasks still queued run, then ExportedUninit last. Does nothing twice.
    void Finish();

    // ExportedCallEvent then ExportedCallDrop; the result the plugin wrote, or
    // kRefused. The result field is set to -1 first, so a command that runs but
    // writes nothing shows.
    template <class Payload>
    int64_t Command(uint64_t commandId, Payload& payload)
    {
        payload.result = -1;
        const bool ran = plugin.callEvent(commandId, &payload);
        plugin.callDrop(commandId);
        return ran ? payload.result : kRefused;
    }

    int64_t Start(uint64_t target, bool isScreen, const char* text = "viewer");
    int64_t StopHost();
    int64_t AddIgnore(IgnoreRequest request);
    int64_t RemoveIgnore(IgnoreRequest request);
    int64_t ClearIgnore();
    int64_t ResetScreen(int64_t monitor);
    int64_t ResetWindow(int64_t window);

    template <class Payload>
    bool Receive(uint64_t messageId, const Payload& payload)
    {
        return plugin.onReceive(messageId, &payload);
    }
    bool Key(const TessarilKeyEvent& event) { return Receive(TESSARIL_MSG_KEY_EVENT, event); }
    bool Mouse(const TessarilMouseEventFFI& event) { return Receive(TESSARIL_MSG_MOUSE_EVENT, event); }
    bool MouseBatch(MouseArray& batch) { return plugin.onReceive(TESSARIL_MSG_MOUSE_EVENT_ARRAY, batch.Payload()); }

    // Whether the last start was done and no done stop has ended it since.
    bool Started() const { return started; }

    const PluginExports plugin;
    EventLoop loop;
    MessageRecorder recorder;

private:
    bool initialised = false;
    bool started = false;
    TessarilEventLoopTable table{};
};

}  // namespace TESSARIL_HOST_APP
