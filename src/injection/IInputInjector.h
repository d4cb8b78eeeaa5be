#pragma once

#include <cstdint>

#include "messaging/Records.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// Turns the viewer's input into input of the host desktop. The Host creates one
// per start and shares it with the message-channel host. The slot order below
// is the interface's contract; the derived classes keep it.
class IInputInjector {
public:
    virtual ~IInputInjector() = default;

    // The shared target: the low 32 bits of id are a monitor handle when
    // isScreen is true, a window handle otherwise.
    virtual void Init(uint64_t id, bool isScreen) = 0;
    virtual void UnInit() = 0;
    virtual void InjectKeyEvent(const TESSARIL_SERVER_API::KeyEvent& event) = 0;
    virtual void InjectMouseEvent(const TESSARIL_SERVER_API::MouseEvent& event) = 0;
    virtual void InjectTouchEvent(const TESSARIL_SERVER_API::TouchRecord& event) = 0;
    virtual void UpdateIgnoreWindow(const HostIgnoredWindow& request, bool add) = 0;
    virtual void ClearIgnoreWindow() = 0;
    virtual void ResetWindowId(uint64_t id) = 0;
    virtual void ResetScreenId(uint64_t id) = 0;
    // Releases the keys and buttons the viewer pressed and has not released,
    // for a viewer that can no longer release them. UnInit does it too.
    virtual void ReleaseHeldInput() = 0;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
