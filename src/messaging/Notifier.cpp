#include "messaging/Notifier.h"

#include "messaging/CallStorage.h"

void Notifier::SetNotifyFunction(TessarilNotifyFunction function)
{
    notifyFunction = function;
}

void Notifier::SendChannelAvailable()
{
    SendSignal(TESSARIL_MSG_CHANNEL_AVAILABLE_NOTIFY);
}

void Notifier::SendChannelUnavailable()
{
    SendSignal(TESSARIL_MSG_CHANNEL_UNAVAILABLE_NOTIFY);
}

void Notifier::SendReport(const std::string& key, const std::string& value)
{
    TESSARIL_RESOURCES::CallStorage<TESSARIL_REMOTECONTROL_HOST::__ResourceBase__> storage;
    TessarilReportPayload payload{};
    payload.key = storage.CopyText(key);
    payload.value = storage.CopyText(value);
    Send(TESSARIL_MSG_REPORT_NOTIFY, &payload);
}

void Notifier::SendSignal(uint64_t messageId) const
{
    // The receiver must not read this byte; it is zeroed only so that a careless
    // one reads a defined value.
    char nothing = 0;
    Send(messageId, &nothing);
}

void Notifier::Send(uint64_t messageId, void* payload) const
{
    if (notifyFunction != nullptr) {
        notifyFunction(TESSARIL_SENDER_TEXT, messageId, payload);
    }
}
