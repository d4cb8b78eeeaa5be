#pragma once

#include <cstdint>

#include "injection/HeldInput.h"
#include "injection/InputInjectorImpl.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// The injector the Host creates: mouse and key events of the viewer become
// SendInput calls on the host desktop. There is no touch path. UnInit and
// ReleaseHeldInput release whatever keys and buttons the viewer left held (see
// HeldInput).
//
// Threads: the message-channel host injects on its thread while the Host may
// change the target or the ignore list on another. Every operation except
// InjectTouchEvent (which touches nothing) holds operationMutex for its whole
// body. InjectKeyEvent reads no member but takes it too: its lock-key sync
// reads a toggle and then flips it, and two key events racing through that
// would both see Caps Lock off and switch it on and off again.
class InputInjector : public InputInjectorImpl {
public:
    InputInjector() = default;

    void Init(uint64_t id, bool screen) override;
    void UnInit() override;
    void InjectKeyEvent(const TESSARIL_SERVER_API::KeyEvent& event) override;
    void InjectMouseEvent(const TESSARIL_SERVER_API::MouseEvent& event) override;
    void InjectTouchEvent(const TESSARIL_SERVER_API::TouchRecord& event) override;
    void ResetWindowId(uint64_t id) override;
    void ResetScreenId(uint64_t id) override;
    void ReleaseHeldInput() override;

private:
    bool AcceptSequence(int64_t seq);
    void WatchCursorPosition(const TESSARIL_SERVER_API::MouseEvent& converted);
    void SendHeldReleases();

    bool cursorAbnormal = false;
    int64_t lastMouseSeq = 1;
    HeldInput held;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
