#include "messaging/TessarilServerApiResponser.h"

#include "messaging/RecordCopy.h"

using namespace TESSARIL_SERVER_API;

namespace {

void RunSignal(const std::function<void()>& callback)
{
    if (callback) {
        callback();
    }
}

void RunTextPair(const TessarilServerApiResponser::TextPairCallback& callback, const void* payload)
{
    if (!callback) {
        return;
    }
    const auto& texts = *static_cast<const TessarilTextPairPayload*>(payload);
    callback(CopyText(texts.first), CopyText(texts.second));
}

}  // namespace

TessarilServerApiResponser::TessarilServerApiResponser()
{
    handlers.Register(TESSARIL_MSG_OPEN_CHANNEL_RESPONSE, &TessarilServerApiResponser::HandleOpenChannelResponse);
    handlers.Register(TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE, &TessarilServerApiResponser::HandleCloseChannelResponse);
    handlers.Register(TESSARIL_MSG_CHANNEL_UNAVAILABLE, &TessarilServerApiResponser::HandleChannelUnavailable);
    handlers.Register(TESSARIL_MSG_CHANNEL_AVAILABLE, &TessarilServerApiResponser::HandleChannelAvailable);
    handlers.Register(TESSARIL_MSG_KEY_EVENT, &TessarilServerApiResponser::HandleKeyEvent);
    handlers.Register(TESSARIL_MSG_MOUSE_EVENT, &TessarilServerApiResponser::HandleMouseEvent);
    handlers.Register(TESSARIL_MSG_MOUSE_EVENT_ARRAY, &TessarilServerApiResponser::HandleMouseEventArray);
    handlers.Register(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, &TessarilServerApiResponser::HandleClientViewportInfo);
    handlers.Register(TESSARIL_MSG_TOUCH_EVENT_ARRAY, &TessarilServerApiResponser::HandleTouchEventArray);
    handlers.Register(TESSARIL_MSG_TEXT_PAIR_A, &TessarilServerApiResponser::HandleTextPairA);
    handlers.Register(TESSARIL_MSG_TEXT_PAIR_B, &TessarilServerApiResponser::HandleTextPairB);
}

bool TessarilServerApiResponser::OnReceive(uint64_t id, const void* payload)
{
    return handlers.Dispatch(*this, id, payload);
}

void TessarilServerApiResponser::SetOpenChannelResponseCallback(const SignalCallback& callback)
{
    openChannelResponse = callback;
}

void TessarilServerApiResponser::SetCloseChannelResponseCallback(const SignalCallback& callback)
{
    closeChannelResponse = callback;
}

void TessarilServerApiResponser::SetChannelUnavailableCallback(const SignalCallback& callback)
{
    channelUnavailable = callback;
}

void TessarilServerApiResponser::SetChannelAvailableCallback(const SignalCallback& callback)
{
    channelAvailable = callback;
}

void TessarilServerApiResponser::SetKeyEventCallback(const KeyEventCallback& callback)
{
    keyEvent = callback;
}

void TessarilServerApiResponser::SetMouseEventCallback(const MouseEventCallback& callback)
{
    mouseEvent = callback;
}

void TessarilServerApiResponser::SetMouseEventArrayCallback(const MouseEventArrayCallback& callback)
{
    mouseEventArray = callback;
}

void TessarilServerApiResponser::SetClientViewportInfoCallback(const ClientViewportInfoCallback& callback)
{
    clientViewportInfo = callback;
}

void TessarilServerApiResponser::SetTouchEventArrayCallback(const TouchEventArrayCallback& callback)
{
    touchEventArray = callback;
}

void TessarilServerApiResponser::SetTextPairACallback(const TextPairCallback& callback)
{
    textPairA = callback;
}

void TessarilServerApiResponser::SetTextPairBCallback(const TextPairCallback& callback)
{
    textPairB = callback;
}

void TessarilServerApiResponser::HandleOpenChannelResponse(const void*)
{
    RunSignal(openChannelResponse);
}

void TessarilServerApiResponser::HandleCloseChannelResponse(const void*)
{
    RunSignal(closeChannelResponse);
}

void TessarilServerApiResponser::HandleChannelUnavailable(const void*)
{
    RunSignal(channelUnavailable);
}

void TessarilServerApiResponser::HandleChannelAvailable(const void*)
{
    RunSignal(channelAvailable);
}

void TessarilServerApiResponser::HandleKeyEvent(const void* payload)
{
    if (!keyEvent) {
        return;
    }
    const KeyEvent copy = ToKeyEvent(*static_cast<const KeyEventFFI*>(payload));
    keyEvent(copy);
}

void TessarilServerApiResponser::HandleMouseEvent(const void* payload)
{
    if (!mouseEvent) {
        return;
    }
    const MouseEvent copy = ToMouseEvent(*static_cast<const MouseEventFFI*>(payload));
    mouseEvent(copy);
}

void TessarilServerApiResponser::HandleMouseEventArray(const void* payload)
{
    if (!mouseEventArray) {
        return;
    }
    const auto& list = *static_cast<const TessarilMouseEventArrayPayload*>(payload);
    const std::vector<MouseEvent> copies = ToMouseEvents(list.events, list.count);
    mouseEventArray(copies, list.timeDuration);
}

void TessarilServerApiResponser::HandleClientViewportInfo(const void* payload)
{
    if (!clientViewportInfo) {
        return;
    }
    const ClientViewportInfo copy = *static_cast<const ClientViewportInfo*>(payload);
    clientViewportInfo(copy);
}

void TessarilServerApiResponser::HandleTouchEventArray(const void* payload)
{
    if (!touchEventArray) {
        return;
    }
    const auto& list = *static_cast<const TessarilTouchEventArrayPayload*>(payload);
    touchEventArray(ToTouchRecords(list.records, list.count));
}

void TessarilServerApiResponser::HandleTextPairA(const void* payload)
{
    RunTextPair(textPairA, payload);
}

void TessarilServerApiResponser::HandleTextPairB(const void* payload)
{
    RunTextPair(textPairB, payload);
}
