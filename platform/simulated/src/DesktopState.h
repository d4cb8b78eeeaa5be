#pragma once

#include <cstdint>
#include <vector>

#include "CallJournal.h"
#include "Cursor.h"
#include "Keyboard.h"
#include "MonitorLayout.h"
#include "OsVersion.h"
#include "WindowTree.h"
#include "platform_win32.h"
#include "simulated_desktop.h"

namespace SimulatedDesktop {

// Everything the simulated desktop knows. Not thread-safe by itself: Desktop
// hands it out under its one lock.
class DesktopState {
public:
    static constexpr uint32_t kFirstCustomCursor = 0x30001;

    // The desktop that simulated_desktop.h describes as freshly reset.
    void Reset();

    // Applies records in order up to the SendInput limit and gives how many it applied.
    UINT Inject(const std::vector<INPUT>& records);
    HCURSOR NewCustomCursor();

    WindowTree windows;
    MonitorLayout monitors;
    Cursor cursor;
    Keyboard keyboard;
    OsVersion osVersion;
    CallJournal journal;
    bool swapButtons = false;
    int sendInputLimit = -1;
    DWORD sendInputLimitError = ERROR_ACCESS_DENIED;
    bool failManagerCreation = false;
    HWND destroyAtNextSendInput = nullptr;
    // What threads without a context of their own are, and which contexts
    // SetThreadDpiAwarenessContext takes.
    DPI_AWARENESS processDpiAwareness = DPI_AWARENESS_PER_MONITOR_AWARE;
    ThreadDpiContexts threadDpiContexts = ThreadDpiContexts::All;
    // Counts resets, so that state kept per thread can tell that it is stale.
    uint64_t generation = 0;

private:
    uint32_t nextCustomCursor = kFirstCustomCursor;
};

}  // namespace SimulatedDesktop
