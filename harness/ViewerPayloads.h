#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessaril_remotecontrol_host.h"

// Builders of every payload the host application hands to the plugin: the
// viewer's messages (key, mouse, mouse array, viewport) and the commands.
// Times default to the system clock in ms since 1970, as the viewer stamps them.
namespace TESSARIL_HOST_APP {

int64_t ViewerNow();

TessarilKeyEvent KeyEvent(int64_t keyCode, bool pressed, int64_t seq, bool capsLock = false, bool numLock = false,
                          int64_t createTime = ViewerNow());

TessarilClientViewportInfo Viewport(int64_t width, int64_t height);

// A mouse event at a viewport point (a move, event type 0, until told otherwise).
class MouseEvent {
public:
    MouseEvent(int64_t x, int64_t y, int64_t viewportWidth, int64_t viewportHeight);

    MouseEvent& Seq(int64_t seq);
    // Event types 1 and 2 are button events; the viewer sends 1 with the pressed flag.
    MouseEvent& Button(int32_t button, bool pressed, int32_t eventType = 1);
    MouseEvent& Type(int32_t eventType);
    MouseEvent& Wheel(double deltaX, double deltaY);
    MouseEvent& Delta(int64_t deltaX, int64_t deltaY);
    MouseEvent& SuppressMark(int64_t mark);
    MouseEvent& CreatedAt(int64_t createTime);

    const TessarilMouseEventFFI& Event() const { return event; }
    operator const TessarilMouseEventFFI&() const { return event; }

private:
    TessarilMouseEventFFI event{};
};

// Message 15000355: the events stay owned here, so the payload points into it.
class MouseArray {
public:
    explicit MouseArray(std::vector<TessarilMouseEventFFI> events, int64_t timeDuration = 0);
    MouseArray(const MouseArray&) = delete;
    MouseArray& operator=(const MouseArray&) = delete;

    const TessarilMouseEventArrayPayload* Payload();
    // Sequence numbers firstSeq, firstSeq + 1, ...: a viewer sends batch after
    // batch, and the plugin drops an event whose number does not grow.
    void Renumber(int64_t firstSeq);

private:
    std::vector<TessarilMouseEventFFI> events;
    TessarilMouseEventArrayPayload payload{};
};

// Commands 25600606 and 25600582, with the bytes and titles they point to.
class IgnoreRequest {
public:
    static IgnoreRequest ByBytes(uint32_t window);  // type 1: the handle as 4 bytes
    static IgnoreRequest ByTitles(uint32_t processId, std::vector<std::string> titles);  // type 2
    static IgnoreRequest ByHandle(int64_t window);  // type 3
    // Any type, with the given bytes as they are: for invalid requests.
    static IgnoreRequest Raw(int32_t ignoreType, std::vector<uint8_t> bytes, int64_t windowHandle = 0);
    // Adds a process and titles to a request of any type: for requests that mix the types' fields.
    IgnoreRequest& Titles(uint32_t processId, std::vector<std::string> titles);

    TessarilIgnoreWindowRequest* Payload();

private:
    IgnoreRequest() = default;

    TessarilIgnoreWindowRequest request{};
    std::vector<uint8_t> bytes;
    std::vector<std::string> titles;
    std::vector<const char*> titlePointers;
};

TessarilStartHostCommand StartCommand(uint64_t target, bool isScreen, const char* text);

}  // namespace TESSARIL_HOST_APP
