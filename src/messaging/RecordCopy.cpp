#include "messaging/RecordCopy.h"

#include <cstring>

namespace TESSARIL_SERVER_API {

bool CopyBool(const bool& field)
{
    unsigned char byte = 0;
    std::memcpy(&byte, &field, 1);
    return byte != 0;
}

KeyEvent ToKeyEvent(const KeyEventFFI& payload)
{
    KeyEvent event;
    event.keyCode = payload.keyCode;
    event.capsLock = payload.capsLock;
    event.pressed = CopyBool(payload.pressed);
    event.flag = payload.flag;
    event.numLock = CopyBool(payload.numLock);
    event.seq = payload.seq;
    event.createTime = payload.createTime;
    return event;
}

MouseEvent ToMouseEvent(const MouseEventFFI& payload)
{
    MouseEvent event;
    event.x = payload.x;
    event.y = payload.y;
    event.button = payload.button;
    event.eventType = payload.eventType;
    event.pressed = CopyBool(payload.pressed);
    event.wheelDeltaX = payload.wheelDeltaX;
    event.wheelDeltaY = payload.wheelDeltaY;
    event.reserved0 = payload.reserved0;
    event.reserved1 = payload.reserved1;
    event.deltaX = payload.deltaX;
    event.deltaY = payload.deltaY;
    event.vp_width = payload.vp_width;
    event.vp_height = payload.vp_height;
    event.suppressMark = payload.suppressMark;
    event.seq = payload.seq;
    event.createTime = payload.createTime;
    return event;
}

namespace {

// One converted copy per element, in the list's order; a null list is empty.
template <class Record, class Payload, class Convert>
std::vector<Record> CopyList(const Payload* elements, uint32_t count, Convert convert)
{
    std::vector<Record> copies;
    if (elements == nullptr) {
        return copies;
    }
    copies.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        copies.push_back(convert(elements[i]));
    }
    return copies;
}

TouchRecord ToTouchRecord(const TouchRecordFFI& payload)
{
    TouchRecord copy;
    copy.value0 = payload.value0;
    copy.value1 = payload.value1;
    for (size_t v = 0; v < std::size(copy.values); ++v) {
        copy.values[v] = payload.values[v];
    }
    return copy;
}

}  // namespace

std::vector<MouseEvent> ToMouseEvents(const MouseEventFFI* events, uint32_t count)
{
    return CopyList<MouseEvent>(events, count, ToMouseEvent);
}

std::vector<TouchRecord> ToTouchRecords(const TouchRecordFFI* records, uint32_t count)
{
    return CopyList<TouchRecord>(records, count, ToTouchRecord);
}

std::string CopyText(const char* text)
{
    return text != nullptr ? std::string(text) : std::string();
}

}  // namespace TESSARIL_SERVER_API

namespace TESSARIL_REMOTECONTROL_HOST {

HostIgnoredWindow ToHostIgnoredWindow(const TessarilIgnoreWindowRequest& request)
{
    HostIgnoredWindow copy;
    copy.ignoreType = request.ignoreType;
    copy.windowBytes = request.windowBytes;
    copy.windowByteCount = request.windowByteCount;
    copy.processId = request.processId;
    copy.reserved = request.reserved;
    copy.windowHandle = request.windowHandle;
    if (request.titles != nullptr) {
        copy.windowTitles.reserve(request.titleCount);
        for (uint32_t i = 0; i < request.titleCount; ++i) {
            copy.windowTitles.push_back(TESSARIL_SERVER_API::CopyText(request.titles[i]));
        }
    }
    return copy;
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
