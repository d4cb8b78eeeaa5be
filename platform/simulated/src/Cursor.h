#pragma once

#include <cstdint>

#include "MonitorLayout.h"
#include "platform_win32.h"

namespace SimulatedDesktop {

// The mouse cursor: position, shape and flags, and a switch that makes reading
// it fail. Not thread-safe: the desktop lock guards it.
class Cursor {
public:
    Cursor() { Reset(); }

    // At (0,0), showing the arrow, readable.
    void Reset();

    POINT Position() const { return position; }
    // Confines the position to the virtual screen, as SetCursorPos does.
    void MoveTo(int64_t x, int64_t y, const MonitorLayout& monitors);
    // One injected mouse record; only its move part concerns the cursor.
    void Apply(const MOUSEINPUT& input, const MonitorLayout& monitors);

    void SetHandle(HCURSOR cursor) { handle = cursor; }
    void SetFlags(DWORD cursorFlags) { flags = cursorFlags; }
    void Fail(DWORD error);
    void Restore() { failing = false; }

    // Fills what GetCursorInfo reports and gives ERROR_SUCCESS, or gives the
    // error to fail with.
    DWORD Read(CURSORINFO& info) const;

private:
    POINT position{};
    HCURSOR handle = nullptr;
    DWORD flags = CURSOR_SHOWING;
    bool failing = false;
    DWORD failure = ERROR_SUCCESS;
};

}  // namespace SimulatedDesktop
