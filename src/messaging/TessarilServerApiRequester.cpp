#include "messaging/TessarilServerApiRequester.h"

#include "messaging/CallStorage.h"
#include "messaging/Records.h"

using TESSARIL_REMOTECONTROL_HOST::CursorSample;
using TESSARIL_SERVER_API::MouseCursorFFI;

namespace {

using CallStorage = TESSARIL_RESOURCES::CallStorage<TESSARIL_SERVER_API::__ResourceBase__>;

// Only the low half of a result field counts.
int64_t LowHalfSignExtended(int64_t result)
{
    return static_cast<int32_t>(static_cast<uint32_t>(result));
}

MouseCursorFFI ToMouseCursorFFI(const CursorSample& sample)
{
    MouseCursorFFI record{};
    record.reserved0 = sample.reserved0;
    record.cursorType = static_cast<int32_t>(static_cast<uint32_t>(sample.cursorType));
    record.x = sample.x;
    record.y = sample.y;
    record.screenWidth = sample.screenWidth;
    record.screenHeight = sample.screenHeight;
    record.reserved1 = sample.reserved1;
    return record;
}

}  // namespace

void TessarilServerApiRequester::SetSendFunction(TessarilSendFunction function)
{
    sendFunction = function;
}

int64_t TessarilServerApiRequester::SendRegisterRequest(const std::string& text)
{
    CallStorage storage;
    TessarilRegisterRequestPayload payload{};
    payload.text = storage.CopyText(text);
    payload.result = 0;
    Send(TESSARIL_MSG_REGISTER_REQUEST, &payload);
    return LowHalfSignExtended(payload.result);
}

void TessarilServerApiRequester::SendUnregisterRequest()
{
    // The receiver must not read this byte; it is zeroed only so that a careless
    // one reads a defined value.
    char nothing = 0;
    Send(TESSARIL_MSG_UNREGISTER_REQUEST, &nothing);
}

int64_t TessarilServerApiRequester::SendCursorReport(const std::vector<CursorSample>& samples)
{
    CallStorage storage;
    MouseCursorFFI* records = storage.NewArray<MouseCursorFFI>(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        records[i] = ToMouseCursorFFI(samples[i]);
    }
    TessarilCursorReportPayload payload{};
    payload.samples = records;
    payload.count = static_cast<uint32_t>(samples.size());
    payload.result = 0;
    Send(TESSARIL_MSG_CURSOR_REPORT, &payload);
    return LowHalfSignExtended(payload.result);
}

void TessarilServerApiRequester::Send(uint64_t messageId, void* payload) const
{
    if (sendFunction != nullptr) {
        sendFunction(TESSARIL_SENDER_TEXT, messageId, payload);
    }
}
