#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/Singleton.h"
#include "messaging/CursorSample.h"
#include "tessaril_remotecontrol_host.h"

// Sends the ServerApi requests through the host application's SendFunction.
// Each request is one synchronous call; the texts and arrays it points to live
// until that call returns.
//
// Before ExportedInit, and in the fresh requester that a send after
// ExportedUninit creates, no SendFunction is known: nothing is sent, and a
// request's result is the 0 its result field was set to. Callers therefore see
// the same as from a host application that leaves the result untouched.
//
// The generated service also has requests that nothing in the system sends, and
// callables besides SendFunction that the system never fills; both are left out.
//
// Threads: the register and unregister requests run on the command thread, the
// cursor report on the host application's loop thread. SendFunction is set by
// ExportedInit before either exists and not changed until ExportedUninit.
class TessarilServerApiRequester : public TESSARIL_COMMON::Singleton<TessarilServerApiRequester> {
public:
    void SetSendFunction(TessarilSendFunction function);

    // Request 35650597. The low 32 bits of the result field, sign-extended.
    int64_t SendRegisterRequest(const std::string& text);

    // Request 35650233.
    void SendUnregisterRequest();

    // Request 35650108: the samples in order as MouseCursorFFI records. The low
    // 32 bits of the result field, sign-extended.
    int64_t SendCursorReport(const std::vector<TESSARIL_REMOTECONTROL_HOST::CursorSample>& samples);

private:
    void Send(uint64_t messageId, void* payload) const;

    TessarilSendFunction sendFunction = nullptr;
};
