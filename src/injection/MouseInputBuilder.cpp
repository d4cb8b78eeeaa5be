#include "injection/MouseInputBuilder.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

using TESSARIL_SERVER_API::MouseEvent;

// Absolute coordinates of SendInput run from 0 to 65535 across the display.
constexpr double kAbsoluteRange = 65535.0;

constexpr int64_t kButtonEventTypeDown = 1;
constexpr int64_t kButtonEventTypeUp = 2;
constexpr int64_t kLeftButton = 1;
constexpr int64_t kMiddleButton = 2;
constexpr int64_t kRightButton = 3;
constexpr int64_t kFirstXButton = 4;
constexpr int64_t kSecondXButton = 5;

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();

struct ButtonFlags {
    DWORD down;
    DWORD up;
    DWORD data;
};

// Truncation toward zero into [low, high]. Converting a double outside the
// int32 range is undefined behaviour, hence the explicit bounds; NaN gives 0.
int32_t TruncateSaturated(double value, int32_t low, int32_t high)
{
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= low) {
        return low;
    }
    if (value >= high) {
        return high;
    }
    return static_cast<int32_t>(value);
}

// The division comes first, as in the usual encoding, so that every pixel of
// the display survives the desktop's reverse mapping.
LONG Normalised(int64_t coordinate, int extent)
{
    return TruncateSaturated(kAbsoluteRange / extent * static_cast<double>(coordinate) + 0.5, kInt32Min, kInt32Max);
}

int32_t HorizontalWheelStep(double delta)
{
    return TruncateSaturated(delta, kInt32Min, kInt32Max);
}

// Symmetric bounds, so that the step can always change its sign.
int32_t VerticalWheelStep(double delta)
{
    return TruncateSaturated(delta, -kInt32Max, kInt32Max);
}

ButtonFlags FlagsOf(int64_t button)
{
    switch (button) {
    case kMiddleButton:
        return {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, 0};
    case kRightButton:
        return {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 0};
    case kFirstXButton:
        return {MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1};
    case kSecondXButton:
        return {MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON2};
    default:
        return {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 0};
    }
}

// Windows applies the swap to injected button input as to the physical buttons;
// sending the other button undoes it, so the viewer's left click stays a left click.
int64_t HostButton(int64_t button, bool swapped)
{
    if (!swapped) {
        return button;
    }
    if (button == kLeftButton) {
        return kRightButton;
    }
    return button == kRightButton ? kLeftButton : button;
}

}  // namespace

MouseInputBuilder::MouseInputBuilder(const HostScreen& host) : screen(host) {}

void MouseInputBuilder::Build(const MouseEvent& converted)
{
    count = 0;
    AddMove(converted);
    if (converted.eventType == kButtonEventTypeDown || converted.eventType == kButtonEventTypeUp) {
        AddButton(converted.button, converted.pressed);
    }
    AddWheel(HorizontalWheelStep(converted.wheelDeltaX), MOUSEEVENTF_HWHEEL);
    // The viewer counts a step towards the user as positive, Windows the other way.
    AddWheel(-VerticalWheelStep(converted.wheelDeltaY), MOUSEEVENTF_WHEEL);
}

INPUT* MouseInputBuilder::Records()
{
    return records.data();
}

UINT MouseInputBuilder::Count() const
{
    return count;
}

INPUT& MouseInputBuilder::Append(DWORD flags)
{
    INPUT& record = records[count++];
    record = INPUT{};
    record.type = INPUT_MOUSE;
    record.mi.dwFlags = flags;
    return record;
}

// A display of one pixel or less cannot carry absolute coordinates; the
// viewer's relative movement is sent instead, cut to its low 32 bits.
void MouseInputBuilder::AddMove(const MouseEvent& converted)
{
    if (screen.width > 1 && screen.height > 1) {
        INPUT& move = Append(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
        move.mi.dx = Normalised(converted.x, screen.width);
        move.mi.dy = Normalised(converted.y, screen.height);
        return;
    }
    INPUT& move = Append(MOUSEEVENTF_MOVE);
    move.mi.dx = static_cast<LONG>(converted.deltaX);
    move.mi.dy = static_cast<LONG>(converted.deltaY);
}

// No move flag: the button acts where the move record before it left the cursor.
void MouseInputBuilder::AddButton(int64_t button, bool pressed)
{
    const ButtonFlags flags = FlagsOf(HostButton(button, screen.swappedButtons));
    INPUT& record = Append(pressed ? flags.down : flags.up);
    record.mi.mouseData = flags.data;
}

void MouseInputBuilder::AddWheel(int32_t step, DWORD flags)
{
    if (step != 0) {
        Append(flags).mi.mouseData = static_cast<DWORD>(step);
    }
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
