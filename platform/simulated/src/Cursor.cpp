#include "Cursor.h"

#include <algorithm>

#include "StandardCursors.h"

namespace SimulatedDesktop {

namespace {

// Absolute moves come normalised to 0..65535 across the screen. Rounding to
// the nearest pixel, as MulDiv(value, extent, 65535) does, brings every pixel
// back from the usual encoding trunc(65535.0 / extent * x + 0.5), also left of
// or above the primary monitor where values are negative. (Wine shifts right
// by 16 instead and so lands one pixel short for some positions.)
int64_t Denormalise(LONG value, LONG extent)
{
    constexpr int64_t kScale = 65535;
    const int64_t product = int64_t{value} * extent;
    return (product >= 0 ? product + kScale / 2 : product - kScale / 2) / kScale;
}

}  // namespace

void Cursor::Reset()
{
    position = {0, 0};
    handle = StandardCursors::Arrow();
    flags = CURSOR_SHOWING;
    failing = false;
    failure = ERROR_SUCCESS;
}

void Cursor::MoveTo(int64_t x, int64_t y, const MonitorLayout& monitors)
{
    const RECT bounds = monitors.VirtualScreen();
    position.x = static_cast<LONG>(std::clamp<int64_t>(x, bounds.left, std::max(bounds.left, bounds.right - 1)));
    position.y = static_cast<LONG>(std::clamp<int64_t>(y, bounds.top, std::max(bounds.top, bounds.bottom - 1)));
}

void Cursor::Apply(const MOUSEINPUT& input, const MonitorLayout& monitors)
{
    if ((input.dwFlags & MOUSEEVENTF_MOVE) == 0) {
        return;
    }
    if ((input.dwFlags & MOUSEEVENTF_ABSOLUTE) == 0) {
        // Applied one to one, as with pointer acceleration switched off.
        MoveTo(int64_t{position.x} + input.dx, int64_t{position.y} + input.dy, monitors);
        return;
    }
    const RECT area =
        (input.dwFlags & MOUSEEVENTF_VIRTUALDESK) != 0 ? monitors.VirtualScreen() : monitors.Primary().monitor;
    MoveTo(area.left + Denormalise(input.dx, area.right - area.left),
           area.top + Denormalise(input.dy, area.bottom - area.top), monitors);
}

void Cursor::Fail(DWORD error)
{
    failing = true;
    failure = error;
}

DWORD Cursor::Read(CURSORINFO& info) const
{
    if (failing) {
        return failure;
    }
    info.flags = flags;
    info.hCursor = handle;
    info.ptScreenPos = position;
    return ERROR_SUCCESS;
}

}  // namespace SimulatedDesktop
