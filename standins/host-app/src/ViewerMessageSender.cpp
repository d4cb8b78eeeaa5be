#include "ViewerMessageSender.h"

#include <chrono>
#include <sstream>
#include <vector>

#include "VirtualKeyNames.h"

namespace TESSARIL_HOST_APP {
namespace {

// The viewer stamps each event with its own clock: ms since 1970, UTC.
int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

TessarilMouseEventFFI MousePayload(const MouseStep& step, int64_t now)
{
    TessarilMouseEventFFI event{};
    event.x = step.x;
    event.y = step.y;
    event.button = step.button;
    event.eventType = step.eventType;
    event.pressed = step.pressed;
    event.wheelDeltaX = step.wheelX;
    event.wheelDeltaY = step.wheelY;
    event.deltaX = step.deltaX;
    event.deltaY = step.deltaY;
    event.vp_width = step.viewportWidth;
    event.vp_height = step.viewportHeight;
    event.suppressMark = step.suppress ? 1 : 0;
    event.seq = step.seq;
    event.createTime = now;
    return event;
}

std::string DescribeMouse(const MouseStep& step)
{
    std::ostringstream words;
    words << step.x << ',' << step.y << " type=" << step.eventType;
    if (step.eventType == 1 || step.eventType == 2) {
        words << " button=" << step.button << (step.pressed ? " down" : " up");
    }
    if (step.wheelX != 0 || step.wheelY != 0) {
        words << " wheel=" << step.wheelX << ',' << step.wheelY;
    }
    if (step.deltaX != 0 || step.deltaY != 0) {
        words << " delta=" << step.deltaX << ',' << step.deltaY;
    }
    words << " vp=" << step.viewportWidth << 'x' << step.viewportHeight << (step.suppress ? " suppress" : "")
          << " seq=" << step.seq;
    return words.str();
}

struct ChannelMessage {
    uint64_t id;
    const char* words;
};

ChannelMessage ChannelMessageOf(ChannelEvent event)
{
    switch (event) {
    case ChannelEvent::Available:
        return {TESSARIL_MSG_CHANNEL_AVAILABLE, "available (indication)"};
    case ChannelEvent::Unavailable:
        return {TESSARIL_MSG_CHANNEL_UNAVAILABLE, "unavailable (indication)"};
    case ChannelEvent::Open:
        return {TESSARIL_MSG_OPEN_CHANNEL_RESPONSE, "open (response)"};
    case ChannelEvent::Close:
        break;
    }
    return {TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE, "close (response)"};
}

}  // namespace

ViewerMessageSender::ViewerMessageSender(const PluginExports& pluginExports) : exports(pluginExports) {}

MessageInEntry ViewerMessageSender::Key(const KeyStep& step) const
{
    TessarilKeyEvent event{};
    event.keyCode = step.keyCode;
    event.capsLock = step.capsLock ? 1 : 0;
    event.pressed = step.pressed;
    event.numLock = step.numLock;
    event.seq = step.seq;
    event.createTime = NowMs();
    std::string detail = VirtualKeyName(static_cast<uint32_t>(step.keyCode)) + (step.pressed ? " down" : " up") +
                         (step.capsLock ? " caps" : "") + (step.numLock ? " num" : "") +
                         " seq=" + std::to_string(step.seq);
    return Deliver(TESSARIL_MSG_KEY_EVENT, &event, "key", std::move(detail));
}

MessageInEntry ViewerMessageSender::Mouse(const MouseStep& step) const
{
    const TessarilMouseEventFFI event = MousePayload(step, NowMs());
    return Deliver(TESSARIL_MSG_MOUSE_EVENT, &event, "mouse", DescribeMouse(step));
}

MessageInEntry ViewerMessageSender::MouseArray(const MouseArrayStep& step) const
{
    const int64_t now = NowMs();
    std::vector<TessarilMouseEventFFI> events;
    for (const MouseStep& mouse : step.events) {
        events.push_back(MousePayload(mouse, now));
    }
    std::string detail = std::to_string(events.size()) + " events in " + std::to_string(step.duration) + " ms";
    if (!step.events.empty()) {
        detail += ", first " + DescribeMouse(step.events.front()) + ", last " + DescribeMouse(step.events.back());
    }
    TessarilMouseEventArrayPayload payload{};
    payload.events = events.data();
    payload.count = static_cast<uint32_t>(events.size());
    payload.timeDuration = step.duration;
    return Deliver(TESSARIL_MSG_MOUSE_EVENT_ARRAY, &payload, "mouse-array", std::move(detail));
}

MessageInEntry ViewerMessageSender::Viewport(const ViewportStep& step) const
{
    TessarilClientViewportInfo info{};
    info.width = step.width;
    info.height = step.height;
    return Deliver(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, &info, "viewport",
                   std::to_string(step.width) + "x" + std::to_string(step.height));
}

// The channel messages carry nothing, but the plugin drops a null payload.
MessageInEntry ViewerMessageSender::Channel(const ChannelStep& step) const
{
    const ChannelMessage message = ChannelMessageOf(step.event);
    const char nothing = 0;
    return Deliver(message.id, &nothing, "channel", message.words);
}

MessageInEntry ViewerMessageSender::Deliver(uint64_t id, const void* payload, const char* kind,
                                            std::string detail) const
{
    exports.onReceive(id, payload);
    return {id, kind, std::move(detail)};
}

}  // namespace TESSARIL_HOST_APP
