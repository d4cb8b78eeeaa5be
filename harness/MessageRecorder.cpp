#include "MessageRecorder.h"

#include <fmt/format.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace TESSARIL_HOST_APP {

namespace {

std::atomic<MessageRecorder*> currentRecorder{nullptr};

std::string CursorLine(const std::vector<TessarilMouseCursorFFI>& samples)
{
    std::string line = fmt::format("cursor {}", samples.size());
    for (const TessarilMouseCursorFFI& sample : samples) {
        line += fmt::format(" {}@{},{}", sample.cursorType, sample.x, sample.y);
    }
    if (!samples.empty()) {
        line += fmt::format(" in {}x{}", samples.front().screenWidth, samples.front().screenHeight);
    }
    return line;
}

std::vector<std::string> LinesOf(const std::vector<OutgoingMessage>& messages)
{
    std::vector<std::string> lines;
    lines.reserve(messages.size());
    for (const OutgoingMessage& message : messages) {
        lines.push_back(message.Line());
    }
    return lines;
}

}  // namespace

std::string OutgoingMessage::Line() const
{
    switch (kind) {
    case Kind::Register:
        return "register " + text;
    case Kind::Unregister:
        return "unregister";
    case Kind::CursorBatch:
        return CursorLine(samples);
    case Kind::ChannelAvailable:
        return "channel available";
    case Kind::ChannelUnavailable:
        return "channel unavailable";
    case Kind::Report:
        return fmt::format("report {} {}", text, value);
    case Kind::Other:
        break;
    }
    return fmt::format("{} {}", notification ? "notify" : "send", id);
}

MessageRecorder::MessageRecorder()
{
    if (currentRecorder.exchange(this) != nullptr) {
        std::fputs("MessageRecorder: only one may exist at a time\n", stderr);
        std::abort();
    }
}

MessageRecorder::~MessageRecorder()
{
    currentRecorder = nullptr;
}

bool TESSARIL_CDECL MessageRecorder::Send(const char* sender, uint64_t messageId, void* payload)
{
    if (MessageRecorder* recorder = currentRecorder) {
        recorder->Record(sender, messageId, payload, false);
    }
    return true;
}

bool TESSARIL_CDECL MessageRecorder::Notify(const char* sender, uint64_t messageId, void* payload)
{
    if (MessageRecorder* recorder = currentRecorder) {
        recorder->Record(sender, messageId, payload, true);
    }
    return true;
}

// Only the payloads the plugin documents are read; the unregister request and
// the channel notifications point at a byte that holds nothing.
OutgoingMessage MessageRecorder::Decode(uint64_t messageId, const void* payload, bool notification)
{
    using Kind = OutgoingMessage::Kind;
    OutgoingMessage message;
    message.id = messageId;
    message.notification = notification;
    if (!notification && messageId == TESSARIL_MSG_REGISTER_REQUEST) {
        message.kind = Kind::Register;
        message.text = static_cast<const TessarilRegisterRequestPayload*>(payload)->text;
    } else if (!notification && messageId == TESSARIL_MSG_UNREGISTER_REQUEST) {
        message.kind = Kind::Unregister;
    } else if (!notification && messageId == TESSARIL_MSG_CURSOR_REPORT) {
        const auto& report = *static_cast<const TessarilCursorReportPayload*>(payload);
        message.kind = Kind::CursorBatch;
        message.samples.assign(report.samples, report.samples + report.count);
    } else if (notification && messageId == TESSARIL_MSG_CHANNEL_AVAILABLE_NOTIFY) {
        message.kind = Kind::ChannelAvailable;
    } else if (notification && messageId == TESSARIL_MSG_CHANNEL_UNAVAILABLE_NOTIFY) {
        message.kind = Kind::ChannelUnavailable;
    } else if (notification && messageId == TESSARIL_MSG_REPORT_NOTIFY) {
        const auto& report = *static_cast<const TessarilReportPayload*>(payload);
        message.kind = Kind::Report;
        message.text = report.key;
        message.value = report.value;
    }
    return message;
}

void MessageRecorder::SetRegisterResult(int64_t result)
{
    const std::lock_guard lock(mutex);
    registerResult = result;
}

std::vector<OutgoingMessage> MessageRecorder::Messages() const
{
    const std::lock_guard lock(mutex);
    return messages;
}

std::vector<OutgoingMessage> MessageRecorder::Take()
{
    const std::lock_guard lock(mutex);
    return std::exchange(messages, {});
}

std::vector<std::string> MessageRecorder::Lines() const
{
    return LinesOf(Messages());
}

std::vector<std::string> MessageRecorder::TakeLines()
{
    return LinesOf(Take());
}

size_t MessageRecorder::Count(OutgoingMessage::Kind kind) const
{
    const std::lock_guard lock(mutex);
    return static_cast<size_t>(std::count_if(messages.begin(), messages.end(),
                                             [kind](const OutgoingMessage& message) { return message.kind == kind; }));
}

void MessageRecorder::Clear()
{
    const std::lock_guard lock(mutex);
    messages.clear();
}

void MessageRecorder::Record(const char* sender, uint64_t messageId, void* payload, bool notification)
{
    OutgoingMessage message = Decode(messageId, payload, notification);
    message.pluginSender = sender != nullptr && std::strcmp(sender, TESSARIL_SENDER_TEXT) == 0;
    message.thread = std::this_thread::get_id();
    const std::lock_guard lock(mutex);
    if (message.kind == OutgoingMessage::Kind::Register) {
        static_cast<TessarilRegisterRequestPayload*>(payload)->result = registerResult;
    }
    messages.push_back(std::move(message));
}

}  // namespace TESSARIL_HOST_APP
