#pragma once

#include <atomic>
#include <cstdint>

#include "ReportEntry.h"
#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_HOST_APP {

class HostEventLoop;
class SessionReport;

// The host application's SendFunction and NotifyFunction: each decodes the
// plugin's message from its payload and adds it to the report, noting whether
// it came on the event-loop thread. Requests are answered with result 0,
// success. Like the loop's entries these are plain C functions, so they reach
// the one recorder that exists at a time (a second one throws std::logic_error).
class OutgoingMessageRecorder {
public:
    OutgoingMessageRecorder(SessionReport& report, const HostEventLoop& loop);
    ~OutgoingMessageRecorder();

    OutgoingMessageRecorder(const OutgoingMessageRecorder&) = delete;
    OutgoingMessageRecorder& operator=(const OutgoingMessageRecorder&) = delete;

    static bool TESSARIL_CDECL Send(const char* sender, uint64_t messageId, void* payload);
    static bool TESSARIL_CDECL Notify(const char* sender, uint64_t messageId, void* payload);

    // The entry a message gives, without the thread: a pure function of the payload.
    static MessageOutEntry Decode(uint64_t messageId, void* payload);

private:
    static bool Record(uint64_t messageId, void* payload) noexcept;

    static std::atomic<OutgoingMessageRecorder*> instance;

    SessionReport& report;
    const HostEventLoop& loop;
};

}  // namespace TESSARIL_HOST_APP
