#include "ViewerPayloads.h"

#include <chrono>
#include <utility>

namespace TESSARIL_HOST_APP {

int64_t ViewerNow()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

TessarilKeyEvent KeyEvent(int64_t keyCode, bool pressed, int64_t seq, bool capsLock, bool numLock, int64_t createTime)
{
    TessarilKeyEvent event{};
    event.keyCode = keyCode;
    event.capsLock = capsLock ? 1 : 0;
    event.pressed = pressed;
    event.numLock = numLock;
    event.seq = seq;
    event.createTime = createTime;
    return event;
}

TessarilClientViewportInfo Viewport(int64_t width, int64_t height)
{
    TessarilClientViewportInfo viewport{};
    viewport.width = width;
    viewport.height = height;
    return viewport;
}

MouseEvent::MouseEvent(int64_t x, int64_t y, int64_t viewportWidth, int64_t viewportHeight)
{
    event.x = x;
    event.y = y;
    event.vp_width = viewportWidth;
    event.vp_height = viewportHeight;
    event.createTime = ViewerNow();
}

MouseEvent& MouseEvent::Seq(int64_t seq)
{
    event.seq = seq;
    return *this;
}

MouseEvent& MouseEvent::Button(int32_t button, bool pressed, int32_t eventType)
{
    event.button = button;
    event.pressed = pressed;
    event.eventType = eventType;
    return *this;
}

MouseEvent& MouseEvent::Type(int32_t eventType)
{
    event.eventType = eventType;
    return *this;
}

MouseEvent& MouseEvent::Wheel(double deltaX, double deltaY)
{
    event.wheelDeltaX = deltaX;
    event.wheelDeltaY = deltaY;
    return *this;
}

MouseEvent& MouseEvent::Delta(int64_t deltaX, int64_t deltaY)
{
    event.deltaX = deltaX;
    event.deltaY = deltaY;
    return *this;
}

MouseEvent& MouseEvent::SuppressMark(int64_t mark)
{
    event.suppressMark = mark;
    return *this;
}

MouseEvent& MouseEvent::CreatedAt(int64_t createTime)
{
    event.createTime = createTime;
    return *this;
}

MouseArray::MouseArray(std::vector<TessarilMouseEventFFI> arrayEvents, int64_t timeDuration)
    : events(std::move(arrayEvents))
{
    payload.timeDuration = timeDuration;
}

const TessarilMouseEventArrayPayload* MouseArray::Payload()
{
    payload.events = events.empty() ? nullptr : events.data();
    payload.count = static_cast<uint32_t>(events.size());
    return &payload;
}

void MouseArray::Renumber(int64_t firstSeq)
{
    for (TessarilMouseEventFFI& event : events) {
        event.seq = firstSeq++;
    }
}

IgnoreRequest IgnoreRequest::ByBytes(uint32_t window)
{
    std::vector<uint8_t> bytes(4);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(window >> (8 * i));  // little-endian, as on x86
    }
    return Raw(1, std::move(bytes));
}

IgnoreRequest IgnoreRequest::ByTitles(uint32_t processId, std::vector<std::string> titles)
{
    IgnoreRequest request = Raw(2, {});
    request.Titles(processId, std::move(titles));
    return request;
}

IgnoreRequest IgnoreRequest::ByHandle(int64_t window)
{
    return Raw(3, {}, window);
}

IgnoreRequest IgnoreRequest::Raw(int32_t ignoreType, std::vector<uint8_t> bytes, int64_t windowHandle)
{
    IgnoreRequest request;
    request.request.ignoreType = ignoreType;
    request.request.windowHandle = windowHandle;
    request.request.result = -1;
    request.bytes = std::move(bytes);
    return request;
}

IgnoreRequest& IgnoreRequest::Titles(uint32_t processId, std::vector<std::string> requestTitles)
{
    request.processId = processId;
    titles = std::move(requestTitles);
    return *this;
}

// Pointers are taken only now, so that a moved request never points into its old self.
TessarilIgnoreWindowRequest* IgnoreRequest::Payload()
{
    request.windowBytes = bytes.empty() ? nullptr : bytes.data();
    request.windowByteCount = static_cast<uint32_t>(bytes.size());
    titlePointers.clear();
    for (const std::string& title : titles) {
        titlePointers.push_back(title.c_str());
    }
    request.titles = titlePointers.empty() ? nullptr : titlePointers.data();
    request.titleCount = static_cast<uint32_t>(titlePointers.size());
    return &request;
}

TessarilStartHostCommand StartCommand(uint64_t target, bool isScreen, const char* text)
{
    TessarilStartHostCommand command{};
    command.text = text;
    command.screenId = target;
    command.isScreen = isScreen;
    command.result = -1;
    return command;
}

}  // namespace TESSARIL_HOST_APP
