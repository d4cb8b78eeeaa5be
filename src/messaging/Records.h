#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessaril_remotecontrol_host.h"

// Payload layouts come from the public C header; the plugin-side records that
// handlers receive are the copies below.
namespace TESSARIL_SERVER_API {

using KeyEventFFI = ::TessarilKeyEvent;
using MouseEventFFI = ::TessarilMouseEventFFI;
using MouseCursorFFI = ::TessarilMouseCursorFFI;
using TouchRecordFFI = ::TessarilTouchRecordFFI;

using ClientViewportInfo = ::TessarilClientViewportInfo;

// Same layout as the payload. The copies below are built field by field so that
// a payload byte other than 0 or 1 in a bool field becomes a valid bool.
struct KeyEvent {
    alignas(8) int64_t keyCode = 0;
    alignas(8) int64_t capsLock = 0;
    bool pressed = false;
    uint8_t flag = 0;
    bool numLock = false;
    alignas(8) int64_t seq = 0;
    alignas(8) int64_t createTime = 0;

    bool operator==(const KeyEvent&) const = default;
};
static_assert(sizeof(KeyEvent) == 40);

// The payload's 32-bit button and event type widened with their sign.
struct MouseEvent {
    alignas(8) int64_t x = 0;
    alignas(8) int64_t y = 0;
    alignas(8) int64_t button = 0;
    alignas(8) int64_t eventType = 0;
    alignas(8) bool pressed = false;
    alignas(8) double wheelDeltaX = 0.0;
    alignas(8) double wheelDeltaY = 0.0;
    alignas(8) double reserved0 = 0.0;
    alignas(8) double reserved1 = 0.0;
    alignas(8) int64_t deltaX = 0;
    alignas(8) int64_t deltaY = 0;
    alignas(8) int64_t vp_width = 0;
    alignas(8) int64_t vp_height = 0;
    alignas(8) int64_t suppressMark = 0;
    alignas(8) int64_t seq = 0;
    alignas(8) int64_t createTime = 0;

    bool operator==(const MouseEvent&) const = default;
};
static_assert(sizeof(MouseEvent) == 128);

// A touch record with its two 32-bit values widened with their sign.
struct TouchRecord {
    int64_t value0 = 0;
    int64_t value1 = 0;
    int64_t values[5] = {};
};

}  // namespace TESSARIL_SERVER_API

namespace TESSARIL_REMOTECONTROL_HOST {

// An ignore-window request of the host application, copied out of its command
// payload. Which fields count depends on the type (see the public header).
struct HostIgnoredWindow {
    int64_t ignoreType = 0;
    const uint8_t* windowBytes = nullptr;
    uint32_t windowByteCount = 0;
    uint32_t processId = 0;
    uint32_t reserved = 0;
    std::vector<std::string> windowTitles;
    int64_t windowHandle = 0;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
