#pragma once

#include "PluginExports.h"
#include "ReportEntry.h"
#include "SessionStep.h"

namespace TESSARIL_HOST_APP {

// Plays the remote viewer: builds the payload of each message step exactly as
// the public header lays it out, stamps it with the current time and hands it
// to ExportedOnReceive. Returns the message in words for the report.
class ViewerMessageSender {
public:
    explicit ViewerMessageSender(const PluginExports& exports);

    MessageInEntry Key(const KeyStep& step) const;
    MessageInEntry Mouse(const MouseStep& step) const;
    MessageInEntry MouseArray(const MouseArrayStep& step) const;
    MessageInEntry Viewport(const ViewportStep& step) const;
    MessageInEntry Channel(const ChannelStep& step) const;

private:
    MessageInEntry Deliver(uint64_t id, const void* payload, const char* kind, std::string detail) const;

    const PluginExports& exports;
};

}  // namespace TESSARIL_HOST_APP
