#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_HOST_APP {

// One message the plugin sent to the host application, decoded from its payload.
struct OutgoingMessage {
    enum class Kind { Register, Unregister, CursorBatch, ChannelAvailable, ChannelUnavailable, Report, Other };

    Kind kind = Kind::Other;
    uint64_t id = 0;
    bool notification = false;  // came through NotifyFunction rather than SendFunction
    bool pluginSender = true;   // the sender text was the plugin's own
    std::string text;           // register: the text; report: the key
    std::string value;          // report: the value
    std::vector<TessarilMouseCursorFFI> samples;  // cursor batch
    std::thread::id thread;     // the thread that sent it

    // One line: "register <text>", "unregister", "cursor <n> <type>@<x>,<y> ...
    // in <w>x<h>", "channel available", "channel unavailable",
    // "report <key> <value>", "send <id>" / "notify <id>" for anything else.
    std::string Line() const;
};

// The host application's SendFunction and NotifyFunction: every outgoing
// message becomes one OutgoingMessage, in the order of arrival from whichever
// thread sent it. Register requests are answered with a settable result.
//
// Like the event loop's entries these are plain C functions, so they reach the
// one recorder that exists at a time (a second one aborts); a message sent
// while none exists is dropped unrecorded.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();

    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    static bool TESSARIL_CDECL Send(const char* sender, uint64_t messageId, void* payload);
    static bool TESSARIL_CDECL Notify(const char* sender, uint64_t messageId, void* payload);

    // The decoding alone, without the thread: a pure function of the payload.
    static OutgoingMessage Decode(uint64_t messageId, const void* payload, bool notification);

    // Written into the result field of every register request (0, success, by default).
    void SetRegisterResult(int64_t result);

    std::vector<OutgoingMessage> Messages() const;
    std::vector<OutgoingMessage> Take();
    std::vector<std::string> Lines() const;
    std::vector<std::string> TakeLines();
    size_t Count(OutgoingMessage::Kind kind) const;
    void Clear();

private:
    void Record(const char* sender, uint64_t messageId, void* payload, bool notification);

    mutable std::mutex mutex;
    std::vector<OutgoingMessage> messages;
    int64_t registerResult = 0;
};

}  // namespace TESSARIL_HOST_APP
