#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tessaril_remotecontrol_host.h"

// One call of the host application's SendFunction or NotifyFunction.
struct RecordedMessage {
    std::string sender;
    uint64_t id = 0;
    std::thread::id thread;
    // The samples of a cursor report, copied during the call: the plugin's
    // buffer lives only as long as the call.
    std::vector<TessarilMouseCursorFFI> samples;
};

// The host application's two entry points for outgoing messages. They are
// plain C functions without context, so they find the recorder through a
// process-wide pointer: one recorder at a time.
class HostMessageRecorder {
public:
    HostMessageRecorder();
    ~HostMessageRecorder();
    HostMessageRecorder(const HostMessageRecorder&) = delete;
    HostMessageRecorder& operator=(const HostMessageRecorder&) = delete;

    static bool TESSARIL_CDECL Send(const char* sender, uint64_t messageId, void* payload);
    static bool TESSARIL_CDECL Notify(const char* sender, uint64_t messageId, void* payload);

    // The cursor reports so far.
    std::vector<RecordedMessage> CursorReports() const;
    // The first `count` cursor reports, or fewer when they do not come in time.
    std::vector<RecordedMessage> WaitForCursorReports(size_t count, std::chrono::milliseconds timeout) const;

private:
    static void Record(const char* sender, uint64_t messageId, void* payload);
    std::vector<RecordedMessage> CursorReportsLocked() const;

    mutable std::mutex mutex;
    mutable std::condition_variable arrived;
    std::vector<RecordedMessage> messages;
};
