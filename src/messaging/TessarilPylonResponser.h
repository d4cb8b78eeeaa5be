#pragma once

#include <cstdint>
#include <functional>

#include "common/Singleton.h"
#include "messaging/MessageDispatchTable.h"

// Dispatches incoming Pylon messages. This plugin installs none of its
// callbacks, so every Pylon message is accepted and dropped; the setters remain
// for hosts that extend the plugin.
class TessarilPylonResponser : public TESSARIL_COMMON::Singleton<TessarilPylonResponser> {
public:
    using ValueCallback = std::function<void(uint32_t value32, uint64_t value64)>;
    using SignalCallback = std::function<void()>;

    TessarilPylonResponser();

    // False for a null payload or an id of another service; true once handled.
    bool OnReceive(uint64_t id, const void* payload);

    void SetValueACallback(const ValueCallback& callback);
    void SetValueBCallback(const ValueCallback& callback);
    void SetSignalACallback(const SignalCallback& callback);
    void SetSignalBCallback(const SignalCallback& callback);
    void SetSignalCCallback(const SignalCallback& callback);
    void SetSignalDCallback(const SignalCallback& callback);

private:
    void HandleValueA(const void* payload);
    void HandleValueB(const void* payload);
    void HandleSignalA(const void* payload);
    void HandleSignalB(const void* payload);
    void HandleSignalC(const void* payload);
    void HandleSignalD(const void* payload);

    MessageDispatchTable<TessarilPylonResponser> handlers;
    ValueCallback valueA;
    ValueCallback valueB;
    SignalCallback signalA;
    SignalCallback signalB;
    SignalCallback signalC;
    SignalCallback signalD;
};
