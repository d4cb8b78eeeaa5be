#include "injection/InputInjector.h"

#include <array>
#include <vector>

#include "coordinates/CoordinateConverterHost.h"
#include "injection/HeldInput.h"
#include "injection/KeyboardRecords.h"
#include "injection/MouseInputBuilder.h"
#include "logging/LogInstance.h"
#include "logging/LogRateLimiter.h"
#include "windowing/PerMonitorDpiScope.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

using TESSARIL_LOG::LogError;
using TESSARIL_LOG::LogInfo;
using TESSARIL_LOG::LogRateLimiter;
using TESSARIL_LOG::LogWarning;
using TESSARIL_SERVER_API::KeyEvent;
using TESSARIL_SERVER_API::MouseEvent;

constexpr int kInputSize = static_cast<int>(sizeof(INPUT));
// GetKeyState's low bit is the toggle of a lock key.
constexpr SHORT kToggledBit = 0x0001;

// Both pairs are converted as points with the event's viewport size; the
// caller's event stays as it was.
MouseEvent ConvertedCopy(const MouseEvent& event)
{
    MouseEvent converted = event;
    CoordinateConverterHost* converter = CoordinateConverterHost::GetInstance();
    converter->ViewportToScreen(converted.x, converted.y, event.vp_width, event.vp_height);
    converter->ViewportToScreen(converted.deltaX, converted.deltaY, event.vp_width, event.vp_height);
    return converted;
}

// The primary display, not the virtual screen: absolute moves are sent without
// MOUSEEVENTF_VIRTUALDESK.
MouseInputBuilder::HostScreen ReadHostScreen()
{
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), GetSystemMetrics(SM_SWAPBUTTON) != 0};
}

// One call for the whole event, so that no other input lands between the move
// and the button it positions.
void SendMouseRecords(const MouseEvent& converted, HeldInput& held)
{
    MouseInputBuilder builder(ReadHostScreen());
    builder.Build(converted);
    const UINT inserted = SendInput(builder.Count(), builder.Records(), kInputSize);
    held.Observe(builder.Records(), inserted);
    if (inserted != builder.Count()) {
        LogError("Failed to inject a mouse event");
    }
}

// Pressing a lock key itself must toggle it, not first bring it into step.
bool IsLockKey(int64_t keyCode)
{
    const auto code = static_cast<uint32_t>(keyCode);
    return code == VK_CAPITAL || code == VK_NUMLOCK;
}

void SwitchOnIfOff(WORD lockKey)
{
    if ((GetKeyState(lockKey) & kToggledBit) == 0) {
        std::array<INPUT, 2> tap = KeyTapRecords(lockKey);
        SendInput(static_cast<UINT>(tap.size()), tap.data(), kInputSize);
    }
}

// Locks are only ever switched on: a lock the viewer reports off is left as the
// host has it. Caps Lock comes first, each in a call of its own; a failed call
// goes unreported, the key itself still follows.
void SyncLockKeys(bool capsWanted, bool numWanted)
{
    if (capsWanted) {
        SwitchOnIfOff(VK_CAPITAL);
    }
    if (numWanted) {
        SwitchOnIfOff(VK_NUMLOCK);
    }
}

void LogKeyFailure()
{
    LogError("Failed to inject a key event ErroCode is {}", GetLastError());
}

// Lock-key taps do not pass through here: they leave nothing held.
void SendKey(DWORD flags, int64_t keyCode, HeldInput& held)
{
    INPUT record = KeyRecord(keyCode, flags);
    const UINT inserted = SendInput(1, &record, kInputSize);
    held.Observe(&record, inserted);
    if (inserted == 0) {
        LogKeyFailure();
    }
}

}  // namespace

void InputInjector::Init(uint64_t id, bool screen)
{
    const std::lock_guard lock(operationMutex);
    windowId = id;
    isScreen = screen;
    lastMouseSeq = 0;
}

// The Host calls this after the channel host is gone, so no new input can
// arrive to press anything again.
void InputInjector::UnInit()
{
    const std::lock_guard lock(operationMutex);
    lastMouseSeq = 0;
    SendHeldReleases();
}

void InputInjector::ReleaseHeldInput()
{
    const std::lock_guard lock(operationMutex);
    SendHeldReleases();
}

void InputInjector::InjectKeyEvent(const KeyEvent& event)
{
    const std::lock_guard lock(operationMutex);
    static LogRateLimiter limiter;
    if (limiter.Allow()) {
        LogInfo("Inject a KeyEvent");
    }
    // Remote input counts as activity: the host must not fall asleep under it.
    SetThreadExecutionState(ES_SYSTEM_REQUIRED);
    if (event.pressed && !IsLockKey(event.keyCode)) {
        SyncLockKeys(event.capsLock != 0, event.numLock);
    }
    SendKey(event.pressed ? 0 : KEYEVENTF_KEYUP, event.keyCode, held);
}

void InputInjector::InjectMouseEvent(const MouseEvent& event)
{
    const std::lock_guard lock(operationMutex);
    static LogRateLimiter limiter;
    if (limiter.Allow()) {
        LogInfo("Inject a MouseEvent");
    }
    if (!AcceptSequence(event.seq)) {
        return;
    }
    // The rectangles read for the ignore passes and the conversion, the screen
    // size and the absolute move: all in physical pixels.
    const PerMonitorDpiScope physicalPixels;
    BeginIgnoreWindows();
    SetThreadExecutionState(ES_SYSTEM_REQUIRED);
    const MouseEvent converted = ConvertedCopy(event);
    WatchCursorPosition(converted);
    SendMouseRecords(converted, held);
    EndIgnoreWindows();
}

void InputInjector::InjectTouchEvent(const TESSARIL_SERVER_API::TouchRecord&) {}

void InputInjector::ResetWindowId(uint64_t id)
{
    const std::lock_guard lock(operationMutex);
    LogInfo("Reset Window Id {}", id);
    windowId = id;
}

// The converter, not the injector, decides where positions land; the Host
// resets it separately.
void InputInjector::ResetScreenId(uint64_t id)
{
    const std::lock_guard lock(operationMutex);
    LogInfo("Reset Screen Id {}", id);
}

// Everything in one call, so that no other input of the host lands between
// the releases; nothing held, nothing sent and nothing logged. Buttons go up
// with the ignore windows click-through, as they went down, or the release
// would land on a covering window. A refused call has its own line, not a
// viewer event's, and is not retried: what was held is forgotten.
void InputInjector::SendHeldReleases()
{
    const size_t keys = held.KeyCount();
    const size_t buttons = held.ButtonCount();
    if (keys == 0 && buttons == 0) {
        return;
    }
    std::vector<INPUT> records = held.ReleaseRecords();
    const auto count = static_cast<UINT>(records.size());
    // The covering windows are found by their rectangles, as for a mouse event.
    const PerMonitorDpiScope physicalPixels;
    if (buttons != 0) {
        BeginIgnoreWindows();
    }
    if (SendInput(count, records.data(), kInputSize) == count) {
        LogInfo("Released {} held keys and {} held buttons", keys, buttons);
    } else {
        LogError("Failed to release {} held keys and {} held buttons, error {}", keys, buttons, GetLastError());
    }
    if (buttons != 0) {
        EndIgnoreWindows();
    }
    held.Forget();
}

// Sequence 0 restarts the ordering for a sender that starts counting again.
bool InputInjector::AcceptSequence(int64_t seq)
{
    if (seq != 0 && seq <= lastMouseSeq) {
        LogWarning("Rcv a mouse event before");
        return false;
    }
    lastMouseSeq = seq;
    return true;
}

// A position on row or column 0 usually means a conversion against a target
// that could not be queried; the start and the end of such a run are logged.
void InputInjector::WatchCursorPosition(const MouseEvent& converted)
{
    const bool onEdge = converted.x == 0 || converted.y == 0;
    if (onEdge == cursorAbnormal) {
        return;
    }
    cursorAbnormal = onEdge;
    if (onEdge) {
        LogInfo("Rcv Mouse Cursor abnormal start :x is {}, y is {}, event type is {}", converted.x, converted.y,
                converted.eventType);
    } else {
        LogInfo("Rcv Mouse Cursor abnormal end :x is {}, y is {}, event type is {}", converted.x, converted.y,
                converted.eventType);
    }
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
