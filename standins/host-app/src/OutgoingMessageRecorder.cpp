#include "OutgoingMessageRecorder.h"

#include <stdexcept>

#include "HostEventLoop.h"
#include "SessionReport.h"

namespace TESSARIL_HOST_APP {
namespace {

std::string Text(const char* text)
{
    return text == nullptr ? "(null)" : text;
}

MessageOutEntry Entry(uint64_t messageId, OutgoingKind kind)
{
    MessageOutEntry entry;
    entry.id = messageId;
    entry.kind = kind;
    return entry;
}

MessageOutEntry DecodeRegister(TessarilRegisterRequestPayload& request)
{
    MessageOutEntry entry = Entry(TESSARIL_MSG_REGISTER_REQUEST, OutgoingKind::Register);
    entry.text = Text(request.text);
    request.result = 0;
    return entry;
}

MessageOutEntry DecodeReport(const TessarilReportPayload& report)
{
    MessageOutEntry entry = Entry(TESSARIL_MSG_REPORT_NOTIFY, OutgoingKind::Report);
    entry.key = Text(report.key);
    entry.value = Text(report.value);
    return entry;
}

MessageOutEntry DecodeCursorReport(TessarilCursorReportPayload& payload)
{
    MessageOutEntry entry = Entry(TESSARIL_MSG_CURSOR_REPORT, OutgoingKind::CursorReport);
    if (payload.samples != nullptr) {
        entry.samples.assign(payload.samples, payload.samples + payload.count);
    }
    payload.result = 0;
    return entry;
}

}  // namespace

std::atomic<OutgoingMessageRecorder*> OutgoingMessageRecorder::instance{nullptr};

OutgoingMessageRecorder::OutgoingMessageRecorder(SessionReport& sessionReport, const HostEventLoop& eventLoop)
    : report(sessionReport), loop(eventLoop)
{
    OutgoingMessageRecorder* none = nullptr;
    if (!instance.compare_exchange_strong(none, this)) {
        throw std::logic_error("only one OutgoingMessageRecorder may exist at a time");
    }
}

OutgoingMessageRecorder::~OutgoingMessageRecorder()
{
    instance = nullptr;
}

bool TESSARIL_CDECL OutgoingMessageRecorder::Send(const char*, uint64_t messageId, void* payload)
{
    return Record(messageId, payload);
}

bool TESSARIL_CDECL OutgoingMessageRecorder::Notify(const char*, uint64_t messageId, void* payload)
{
    return Record(messageId, payload);
}

// Called from inside the plugin: nothing may throw out of here.
bool OutgoingMessageRecorder::Record(uint64_t messageId, void* payload) noexcept
{
    OutgoingMessageRecorder* const recorder = instance.load();
    if (recorder == nullptr || payload == nullptr) {
        return false;
    }
    MessageOutEntry entry = Decode(messageId, payload);
    entry.onLoopThread = recorder->loop.OnLoopThread();
    recorder->report.Add(std::move(entry));
    return true;
}

MessageOutEntry OutgoingMessageRecorder::Decode(uint64_t messageId, void* payload)
{
    switch (messageId) {
    case TESSARIL_MSG_REGISTER_REQUEST:
        return DecodeRegister(*static_cast<TessarilRegisterRequestPayload*>(payload));
    case TESSARIL_MSG_UNREGISTER_REQUEST:
        return Entry(messageId, OutgoingKind::Unregister);
    case TESSARIL_MSG_CURSOR_REPORT:
        return DecodeCursorReport(*static_cast<TessarilCursorReportPayload*>(payload));
    case TESSARIL_MSG_REPORT_NOTIFY:
        return DecodeReport(*static_cast<const TessarilReportPayload*>(payload));
    case TESSARIL_MSG_CHANNEL_AVAILABLE_NOTIFY:
        return Entry(messageId, OutgoingKind::ChannelAvailable);
    case TESSARIL_MSG_CHANNEL_UNAVAILABLE_NOTIFY:
        return Entry(messageId, OutgoingKind::ChannelUnavailable);
    default:
        return Entry(messageId, OutgoingKind::Unknown);
    }
}

}  // namespace TESSARIL_HOST_APP
