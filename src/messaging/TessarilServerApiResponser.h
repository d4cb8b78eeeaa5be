#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Singleton.h"
#include "messaging/MessageDispatchTable.h"
#include "messaging/Records.h"

// Dispatches incoming ServerApi messages to the callbacks that the host core
// installs. An empty callback means nobody listens: the message is accepted and
// its payload is not read.
class TessarilServerApiResponser : public TESSARIL_COMMON::Singleton<TessarilServerApiResponser> {
public:
    using SignalCallback = std::function<void()>;
    using KeyEventCallback = std::function<void(const TESSARIL_SERVER_API::KeyEvent&)>;
    using MouseEventCallback = std::function<void(const TESSARIL_SERVER_API::MouseEvent&)>;
    using MouseEventArrayCallback =
        std::function<void(const std::vector<TESSARIL_SERVER_API::MouseEvent>&, int64_t timeDuration)>;
    using ClientViewportInfoCallback = std::function<void(const TESSARIL_SERVER_API::ClientViewportInfo&)>;
    using TouchEventArrayCallback = std::function<void(const std::vector<TESSARIL_SERVER_API::TouchRecord>&)>;
    using TextPairCallback = std::function<void(const std::string&, const std::string&)>;

    TessarilServerApiResponser();

    // False for a null payload or an id of another service; true once handled.
    bool OnReceive(uint64_t id, const void* payload);

    void SetOpenChannelResponseCallback(const SignalCallback& callback);
    void SetCloseChannelResponseCallback(const SignalCallback& callback);
    void SetChannelUnavailableCallback(const SignalCallback& callback);
    void SetChannelAvailableCallback(const SignalCallback& callback);
    void SetKeyEventCallback(const KeyEventCallback& callback);
    void SetMouseEventCallback(const MouseEventCallback& callback);
    void SetMouseEventArrayCallback(const MouseEventArrayCallback& callback);
    void SetClientViewportInfoCallback(const ClientViewportInfoCallback& callback);
    void SetTouchEventArrayCallback(const TouchEventArrayCallback& callback);
    void SetTextPairACallback(const TextPairCallback& callback);
    void SetTextPairBCallback(const TextPairCallback& callback);

private:
    void HandleOpenChannelResponse(const void* payload);
    void HandleCloseChannelResponse(const void* payload);
    void HandleChannelUnavailable(const void* payload);
    void HandleChannelAvailable(const void* payload);
    void HandleKeyEvent(const void* payload);
    void HandleMouseEvent(const void* payload);
    void HandleMouseEventArray(const void* payload);
    void HandleClientViewportInfo(const void* payload);
    void HandleTouchEventArray(const void* payload);
    void HandleTextPairA(const void* payload);
    void HandleTextPairB(const void* payload);

    MessageDispatchTable<TessarilServerApiResponser> handlers;
    SignalCallback openChannelResponse;
    SignalCallback closeChannelResponse;
    SignalCallback channelUnavailable;
    SignalCallback channelAvailable;
    KeyEventCallback keyEvent;
    MouseEventCallback mouseEvent;
    MouseEventArrayCallback mouseEventArray;
    ClientViewportInfoCallback clientViewportInfo;
    TouchEventArrayCallback touchEventArray;
    TextPairCallback textPairA;
    TextPairCallback textPairB;
};
