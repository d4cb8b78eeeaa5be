#pragma once

#include <mutex>
#include <utility>

#include "DesktopState.h"

namespace SimulatedDesktop {

// The one desktop of the process, shared by every module that links the
// library. One lock guards all of it: the cursor timer thread reads the cursor
// while another thread injects. Window-enumeration callbacks run outside the
// lock, so that they may call back into the desktop.
class Desktop {
public:
    template <typename Action>
    static auto Locked(Action&& action)
    {
        Desktop& desktop = Instance();
        std::lock_guard<std::mutex> lock(desktop.mutex);
        return std::forward<Action>(action)(desktop.state);
    }

private:
    Desktop() { state.Reset(); }
    static Desktop& Instance();

    std::mutex mutex;
    DesktopState state;
};

}  // namespace SimulatedDesktop
