// The control API of simulated_desktop.h.

#include <cstdio>
#include <stdexcept>
#include <string>

#include "Desktop.h"
#include "Handles.h"
#include "VirtualDesktopManager.h"
#include "simulated_desktop.h"

namespace SimulatedDesktop {

namespace {

template <typename Handle>
[[noreturn]] void ThrowUnknown(const char* kind, Handle handle)
{
    char text[64];
    std::snprintf(text, sizeof text, "the simulated desktop has no %s 0x%x", kind, HandleValue(handle));
    throw std::invalid_argument(text);
}

Window& RequireWindow(DesktopState& state, HWND handle)
{
    Window* window = state.windows.Find(handle);
    if (window == nullptr) {
        ThrowUnknown("window", handle);
    }
    return *window;
}

// Runs `use` on the window under the desktop lock.
template <typename Use>
auto OnWindow(HWND handle, Use use)
{
    return Desktop::Locked([&](DesktopState& state) { return use(RequireWindow(state, handle), state); });
}

template <typename Use>
void OnMonitor(HMONITOR handle, Use use)
{
    Desktop::Locked([&](DesktopState& state) {
        Monitor* found = state.monitors.Find(handle);
        if (found == nullptr) {
            ThrowUnknown("monitor", handle);
        }
        use(*found);
    });
}

void SetStyleBit(Window& window, LONG bit, bool on) { window.style = on ? window.style | bit : window.style & ~bit; }

}  // namespace

void Reset()
{
    Desktop::Locked([](DesktopState& state) { state.Reset(); });
}

HWND CreateTopLevelWindow(const WindowSpec& windowSpec)
{
    return Desktop::Locked([&](DesktopState& state) { return state.windows.Create(nullptr, windowSpec); });
}

HWND CreateChildWindow(HWND parent, const WindowSpec& windowSpec)
{
    return OnWindow(parent, [&](Window&, DesktopState& state) { return state.windows.Create(parent, windowSpec); });
}

void DestroyWindow(HWND window)
{
    OnWindow(window, [window](Window&, DesktopState& state) { state.windows.Destroy(window); });
}

void BringToTop(HWND window)
{
    OnWindow(window, [](Window& found, DesktopState& state) { state.windows.BringToTop(found); });
}

void SetWindowRect(HWND window, const RECT& rect)
{
    OnWindow(window, [&rect](Window& found, DesktopState& state) { state.windows.Move(found, rect); });
}

void SetVisible(HWND window, bool visible)
{
    OnWindow(window, [visible](Window& found, DesktopState&) { SetStyleBit(found, WS_VISIBLE, visible); });
}

void SetMinimised(HWND window, bool minimised)
{
    OnWindow(window, [minimised](Window& found, DesktopState&) { SetStyleBit(found, WS_MINIMIZE, minimised); });
}

void SetOnCurrentVirtualDesktop(HWND window, bool onCurrentDesktop)
{
    OnWindow(window, [onCurrentDesktop](Window& found, DesktopState&) { found.onCurrentDesktop = onCurrentDesktop; });
}

LONG StyleOf(HWND window)
{
    return OnWindow(window, [](Window& found, DesktopState&) { return found.style; });
}

LONG ExStyleOf(HWND window)
{
    return OnWindow(window, [](Window& found, DesktopState&) { return found.exStyle; });
}

HMONITOR PrimaryMonitor()
{
    return Desktop::Locked([](DesktopState& state) { return state.monitors.Primary().handle; });
}

HMONITOR AddMonitor(const RECT& rcMonitor, bool primary)
{
    return Desktop::Locked([&](DesktopState& state) { return state.monitors.Add(rcMonitor, primary); });
}

void SetWorkArea(HMONITOR monitor, const RECT& rcWork)
{
    OnMonitor(monitor, [&rcWork](Monitor& found) { found.work = rcWork; });
}

void SetMonitorDpi(HMONITOR monitor, UINT dpi)
{
    OnMonitor(monitor, [dpi](Monitor& found) { found.dpi = dpi; });
}

void SetProcessDpiAwarenessDefault(DPI_AWARENESS awareness)
{
    Desktop::Locked([awareness](DesktopState& state) { state.processDpiAwareness = awareness; });
}

void SetThreadDpiContexts(ThreadDpiContexts accepted)
{
    Desktop::Locked([accepted](DesktopState& state) { state.threadDpiContexts = accepted; });
}

void SetPrimaryScreenSize(int cx, int cy)
{
    Desktop::Locked([cx, cy](DesktopState& state) {
        Monitor& primary = state.monitors.Primary();
        primary.monitor = {primary.monitor.left, primary.monitor.top, primary.monitor.left + cx, primary.monitor.top + cy};
        primary.work = primary.monitor;
    });
}

void SetSwapButtons(bool swapped)
{
    Desktop::Locked([swapped](DesktopState& state) { state.swapButtons = swapped; });
}

void SetCursorPosition(POINT position)
{
    Desktop::Locked([position](DesktopState& state) { state.cursor.MoveTo(position.x, position.y, state.monitors); });
}

POINT CursorPosition()
{
    return Desktop::Locked([](DesktopState& state) { return state.cursor.Position(); });
}

void SetCursorHandle(HCURSOR cursor)
{
    Desktop::Locked([cursor](DesktopState& state) { state.cursor.SetHandle(cursor); });
}

HCURSOR CreateCustomCursor()
{
    return Desktop::Locked([](DesktopState& state) { return state.NewCustomCursor(); });
}

void SetCursorFlags(DWORD flags)
{
    Desktop::Locked([flags](DesktopState& state) { state.cursor.SetFlags(flags); });
}

void FailGetCursorInfo(DWORD error)
{
    Desktop::Locked([error](DesktopState& state) { state.cursor.Fail(error); });
}

void RestoreGetCursorInfo()
{
    Desktop::Locked([](DesktopState& state) { state.cursor.Restore(); });
}

void SetKeyToggled(int vk, bool toggled)
{
    Desktop::Locked([vk, toggled](DesktopState& state) { state.keyboard.SetToggled(vk, toggled); });
}

bool IsKeyToggled(int vk)
{
    return Desktop::Locked([vk](DesktopState& state) { return state.keyboard.IsToggled(vk); });
}

bool IsKeyDown(int vk)
{
    return Desktop::Locked([vk](DesktopState& state) { return state.keyboard.IsDown(vk); });
}

void SetOsVersion(DWORD major, DWORD minor, WORD servicePackMajor)
{
    Desktop::Locked([&](DesktopState& state) { state.osVersion.Set(major, minor, servicePackMajor); });
}

void FailVirtualDesktopManagerCreation(bool fail)
{
    Desktop::Locked([fail](DesktopState& state) { state.failManagerCreation = fail; });
}

int LiveVirtualDesktopManagers() { return VirtualDesktopManager::Live(); }

void FailIsWindowOnCurrentVirtualDesktop(HWND window, bool fail)
{
    OnWindow(window, [fail](Window& found, DesktopState&) { found.desktopQueryFails = fail; });
}

void LimitSendInput(int maxRecords, DWORD error)
{
    Desktop::Locked([maxRecords, error](DesktopState& state) {
        state.sendInputLimit = maxRecords;
        state.sendInputLimitError = error;
    });
}

void DestroyWindowAtNextSendInput(HWND window)
{
    OnWindow(window, [window](Window&, DesktopState& state) { state.destroyAtNextSendInput = window; });
}

std::vector<SendInputCall> SendInputCalls()
{
    return Desktop::Locked([](DesktopState& state) { return state.journal.SendInputs(); });
}

std::vector<EXECUTION_STATE> ExecutionStateCalls()
{
    return Desktop::Locked([](DesktopState& state) { return state.journal.ExecutionStates(); });
}

std::vector<std::string> Journal()
{
    return Desktop::Locked([](DesktopState& state) { return state.journal.Lines(); });
}

void ClearJournal()
{
    Desktop::Locked([](DesktopState& state) { state.journal.Clear(); });
}

}  // namespace SimulatedDesktop
