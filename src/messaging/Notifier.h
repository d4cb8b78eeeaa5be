#pragma once

#include <cstdint>
#include <string>

#include "common/Singleton.h"
#include "tessaril_remotecontrol_host.h"

// Sends the plugin's notifications through the host application's
// NotifyFunction, each as one synchronous call.
//
// Before ExportedInit, and in the fresh Notifier that a send after
// ExportedUninit creates, no NotifyFunction is known and nothing is sent.
//
// Threads: all notifications run on the thread that dispatches incoming
// messages; NotifyFunction is set by ExportedInit and not changed until
// ExportedUninit.
class Notifier : public TESSARIL_COMMON::Singleton<Notifier> {
public:
    void SetNotifyFunction(TessarilNotifyFunction function);

    // Notification 15600197.
    void SendChannelAvailable();

    // Notification 15600375.
    void SendChannelUnavailable();

    // Notification 15600644, e.g. the "PacketDealTime" latency report.
    void SendReport(const std::string& key, const std::string& value);

private:
    void SendSignal(uint64_t messageId) const;
    void Send(uint64_t messageId, void* payload) const;

    TessarilNotifyFunction notifyFunction = nullptr;
};
