#include "InputPaths.h"

namespace TESSARIL_BENCH {

namespace {

using namespace TESSARIL_HOST_APP;

constexpr int64_t kKeyA = 0x41;
constexpr int kTargetQueries = 4;  // two conversions per event, each reading size and origin

RECT TargetRect(HANDLE target, bool isScreen)
{
    if (!isScreen) {
        RECT rect{};
        GetWindowRect(static_cast<HWND>(target), &rect);
        return rect;
    }
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(static_cast<HMONITOR>(target), &info);
    return info.rcMonitor;
}

// The plugin's encoding of an absolute position: trunc(65535.0 / extent * position + 0.5).
LONG Normalised(LONG position, int extent)
{
    return static_cast<LONG>(65535.0 / extent * position + 0.5);
}

// Point p, in viewport coordinates: inside any target of 640 x 480 or more.
POINT Position(int p)
{
    return {10 + 40 * p, 10 + 30 * p};
}

// Moves to the kPositions points in turn, over a viewport of the target's size.
std::vector<TessarilMouseEventFFI> Moves(const RECT& rect, int count)
{
    std::vector<TessarilMouseEventFFI> events;
    for (int i = 0; i < count; ++i) {
        const POINT point = Position(i % InputPaths::kPositions);
        events.push_back(MouseEvent(point.x, point.y, rect.right - rect.left, rect.bottom - rect.top));
    }
    return events;
}

}  // namespace

InputPaths::InputPaths(HostSession& hostSession, HANDLE targetHandle, bool screen, std::vector<HWND> ignoredWindows)
    : session(hostSession), target(targetHandle), isScreen(screen), ignored(std::move(ignoredWindows)),
      savedStyles(ignored.size()), rect(TargetRect(target, isScreen)), mouseEvents(Moves(rect, kPositions)),
      batch(Moves(rect, kArrayLength))
{
    for (int p = 0; p < kPositions; ++p) {
        mouseRecords[p].type = INPUT_MOUSE;
        mouseRecords[p].mi.dx = Normalised(rect.left + Position(p).x, GetSystemMetrics(SM_CXSCREEN));
        mouseRecords[p].mi.dy = Normalised(rect.top + Position(p).y, GetSystemMetrics(SM_CYSCREEN));
        mouseRecords[p].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    for (int k = 0; k < 2; ++k) {
        keyEvents[k] = KeyEvent(kKeyA, k == 0, 0);
        keyRecords[k].type = INPUT_KEYBOARD;
        keyRecords[k].ki.wVk = kKeyA;
        keyRecords[k].ki.dwFlags = k == 0 ? 0 : KEYEVENTF_KEYUP;
    }
}

void InputPaths::Activate()
{
    if (session.Started()) {
        session.StopHost();
    }
    session.Start(reinterpret_cast<uintptr_t>(target), isScreen);
    for (HWND window : ignored) {
        session.AddIgnore(IgnoreRequest::ByHandle(reinterpret_cast<intptr_t>(window)));
    }
}

void InputPaths::Mouse(int64_t i)
{
    TessarilMouseEventFFI& event = mouseEvents[static_cast<size_t>(i % kPositions)];
    event.seq = nextSeq++;
    session.Mouse(event);
}

void InputPaths::Key(int64_t i)
{
    TessarilKeyEvent& event = keyEvents[static_cast<size_t>(i % 2)];
    event.seq = nextSeq++;
    session.Key(event);
}

void InputPaths::MouseBatch()
{
    batch.Renumber(nextSeq);
    nextSeq += kArrayLength;
    session.MouseBatch(batch);
}

// In window mode the plugin first collects the visible windows above the shared one that overlap it.
void InputPaths::CollectCovering()
{
    const auto shared = static_cast<HWND>(target);
    RECT sharedRect{};
    GetWindowLongA(shared, GWL_STYLE);
    GetWindowRect(shared, &sharedRect);
    for (HWND above = GetWindow(shared, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
        RECT aboveRect{};
        RECT overlap{};
        if (IsWindowVisible(above)) {
            GetWindowRect(above, &aboveRect);
            IntersectRect(&overlap, &aboveRect, &sharedRect);
        }
    }
}

// Around the event, each ignored window is made click-through and restored.
void InputPaths::MouseFloor(int64_t i)
{
    if (!isScreen) {
        CollectCovering();
    }
    for (size_t w = 0; w < ignored.size(); ++w) {
        IsWindow(ignored[w]);
        savedStyles[w] = GetWindowLongA(ignored[w], GWL_EXSTYLE);
        SetWindowLongA(ignored[w], GWL_EXSTYLE, savedStyles[w] | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    }
    SetThreadExecutionState(ES_SYSTEM_REQUIRED);
    for (int query = 0; query < kTargetQueries; ++query) {
        TargetRect(target, isScreen);
    }
    GetSystemMetrics(SM_CXSCREEN);
    GetSystemMetrics(SM_CYSCREEN);
    GetSystemMetrics(SM_SWAPBUTTON);
    SendInput(1, &mouseRecords[static_cast<size_t>(i % kPositions)], sizeof(INPUT));
    for (size_t w = 0; w < ignored.size(); ++w) {
        IsWindow(ignored[w]);
        SetWindowLongA(ignored[w], GWL_EXSTYLE, savedStyles[w]);
    }
}

// The viewer reports both locks off, so the plugin reads neither lock key.
void InputPaths::KeyFloor(int64_t i)
{
    SetThreadExecutionState(ES_SYSTEM_REQUIRED);
    SendInput(1, &keyRecords[static_cast<size_t>(i % 2)], sizeof(INPUT));
}

void InputPaths::MouseBatchFloor()
{
    for (int64_t i = 0; i < kArrayLength; ++i) {
        MouseFloor(i);
    }
}

}  // namespace TESSARIL_BENCH
