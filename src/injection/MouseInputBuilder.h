#pragma once

#include <array>
#include <cstddef>

#include "messaging/Records.h"
#include "platform_win32.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// Builds the SendInput records of one mouse event, already converted to host
// screen coordinates, in the order the desktop must see them: the move, then
// the button (event types 1 and 2 only), then the horizontal and the vertical
// wheel (non-zero steps only). The records live in the builder itself: a mouse
// event costs no allocation.
//
// The viewer's values are untrusted. Every conversion to a 32-bit field
// saturates instead of overflowing: a position beyond what dx or dy can hold
// lands on the extreme value (the desktop confines the cursor anyway), a wheel
// step beyond the 32-bit range is its extreme value (the vertical one, which is
// negated, within +-INT32_MAX), and a NaN step is no step at all.
class MouseInputBuilder {
public:
    static constexpr size_t kCapacity = 4;

    // What the records depend on besides the event: the primary display's size
    // (SM_CXSCREEN, SM_CYSCREEN) and whether the buttons are swapped (SM_SWAPBUTTON).
    struct HostScreen {
        int width = 0;
        int height = 0;
        bool swappedButtons = false;
    };

    explicit MouseInputBuilder(const HostScreen& screen);

    void Build(const TESSARIL_SERVER_API::MouseEvent& converted);

    INPUT* Records();
    UINT Count() const;

private:
    INPUT& Append(DWORD flags);
    void AddMove(const TESSARIL_SERVER_API::MouseEvent& converted);
    void AddButton(int64_t button, bool pressed);
    void AddWheel(int32_t step, DWORD flags);

    HostScreen screen;
    std::array<INPUT, kCapacity> records{};
    UINT count = 0;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
