#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "injection/IInputInjector.h"
#include "messaging/CursorSample.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// The host's end of the message channel, as the Host owns it for one start.
// The slot order below is the interface's contract; the derived classes keep it.
class IMessageChannelHost {
public:
    virtual ~IMessageChannelHost() = default;

    // Keeps the injector, starts receiving the viewer's input and registers with
    // the channel under `text`; 0, 1 or 2, which the Host does not examine.
    virtual int64_t Init(const std::shared_ptr<IInputInjector>& injector, const std::string& text) = 0;

    // Sends a batch of cursor samples later, from the host application's loop.
    virtual int64_t ReportMouseCursor(const std::vector<CursorSample>& samples) = 0;

    // Unregisters and stops receiving input; the injector stays held.
    virtual int64_t UnInit() = 0;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
