#include "DesktopState.h"

#include <algorithm>

#include "Handles.h"

namespace SimulatedDesktop {

void DesktopState::Reset()
{
    windows.Clear();
    monitors.Reset();
    cursor.Reset();
    keyboard.Reset();
    osVersion.Reset();
    journal.Clear();
    swapButtons = false;
    sendInputLimit = -1;
    sendInputLimitError = ERROR_ACCESS_DENIED;
    failManagerCreation = false;
    destroyAtNextSendInput = nullptr;
    processDpiAwareness = DPI_AWARENESS_PER_MONITOR_AWARE;
    threadDpiContexts = ThreadDpiContexts::All;
    ++generation;
    nextCustomCursor = kFirstCustomCursor;
}

UINT DesktopState::Inject(const std::vector<INPUT>& records)
{
    size_t count = records.size();
    if (sendInputLimit >= 0) {
        count = std::min(count, static_cast<size_t>(sendInputLimit));
    }
    for (size_t i = 0; i < count; ++i) {
        if (records[i].type == INPUT_MOUSE) {
            cursor.Apply(records[i].mi, monitors);
        } else if (records[i].type == INPUT_KEYBOARD) {
            keyboard.Apply(records[i].ki);
        }
    }
    return static_cast<UINT>(count);
}

HCURSOR DesktopState::NewCustomCursor()
{
    const uint32_t value = nextCustomCursor;
    nextCustomCursor += 2;
    return MakeHandle<HCURSOR>(value);
}

}  // namespace SimulatedDesktop
