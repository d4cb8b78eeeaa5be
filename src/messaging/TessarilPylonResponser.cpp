#include "messaging/TessarilPylonResponser.h"

#include "tessaril_remotecontrol_host.h"

namespace {

void RunValue(const TessarilPylonResponser::ValueCallback& callback, const void* payload)
{
    if (!callback) {
        return;
    }
    const auto& values = *static_cast<const TessarilPylonValuePayload*>(payload);
    callback(values.value32, values.value64);
}

void RunSignal(const TessarilPylonResponser::SignalCallback& callback)
{
    if (callback) {
        callback();
    }
}

}  // namespace

TessarilPylonResponser::TessarilPylonResponser()
{
    handlers.Register(TESSARIL_MSG_PYLON_VALUE_A, &TessarilPylonResponser::HandleValueA);
    handlers.Register(TESSARIL_MSG_PYLON_VALUE_B, &TessarilPylonResponser::HandleValueB);
    handlers.Register(TESSARIL_MSG_PYLON_SIGNAL_A, &TessarilPylonResponser::HandleSignalA);
    handlers.Register(TESSARIL_MSG_PYLON_SIGNAL_B, &TessarilPylonResponser::HandleSignalB);
    handlers.Register(TESSARIL_MSG_PYLON_SIGNAL_C, &TessarilPylonResponser::HandleSignalC);
    handlers.Register(TESSARIL_MSG_PYLON_SIGNAL_D, &TessarilPylonResponser::HandleSignalD);
}

bool TessarilPylonResponser::OnReceive(uint64_t id, const void* payload)
{
    return handlers.Dispatch(*this, id, payload);
}

void TessarilPylonResponser::SetValueACallback(const ValueCallback& callback) { valueA = callback; }
void TessarilPylonResponser::SetValueBCallback(const ValueCallback& callback) { valueB = callback; }
void TessarilPylonResponser::SetSignalACallback(const SignalCallback& callback) { signalA = callback; }
void TessarilPylonResponser::SetSignalBCallback(const SignalCallback& callback) { signalB = callback; }
void TessarilPylonResponser::SetSignalCCallback(const SignalCallback& callback) { signalC = callback; }
void TessarilPylonResponser::SetSignalDCallback(const SignalCallback& callback) { signalD = callback; }

void TessarilPylonResponser::HandleValueA(const void* payload) { RunValue(valueA, payload); }
void TessarilPylonResponser::HandleValueB(const void* payload) { RunValue(valueB, payload); }
void TessarilPylonResponser::HandleSignalA(const void*) { RunSignal(signalA); }
void TessarilPylonResponser::HandleSignalB(const void*) { RunSignal(signalB); }
void TessarilPylonResponser::HandleSignalC(const void*) { RunSignal(signalC); }
void TessarilPylonResponser::HandleSignalD(const void*) { RunSignal(signalD); }
