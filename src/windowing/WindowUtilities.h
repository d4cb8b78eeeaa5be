#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform_win32.h"

// Free functions over the window manager. They keep no state, write no log line
// and report failures through their result and, where given, an error text that
// the caller may log or discard. Window and monitor handles are 32-bit values.
namespace TESSARIL_REMOTECONTROL_HOST {

using WindowHandle = uint32_t;
using WindowHandleList = std::vector<WindowHandle>;

HWND ToHwnd(WindowHandle window);
WindowHandle FromHwnd(HWND window);

// The window's rectangle; all zeros and "GetWindowRect for failed,code:<n>" on failure.
RECT GetWindowRectOf(WindowHandle window, std::string& error);

// The monitor's rcMonitor; all zeros and "GetMonitorInfoA failed,code:<n>" on failure.
RECT GetMonitorRect(uint32_t monitor, std::string& error);

// Makes the window transparent to the mouse (WS_EX_LAYERED | WS_EX_TRANSPARENT).
// False when it is not a window; otherwise the style before the change is given
// back through previousExStyle when that is not null.
bool SetIgnoreMouseEvents(WindowHandle window, LONG* previousExStyle);

// Writes exStyle back. False when it is not a window, or when SetWindowLongA
// failed (then error holds LastErrorText()).
bool ResetIgnoreMouseEvents(WindowHandle window, LONG exStyle, std::string& error);

// The visible windows above `window` in z-order that overlap it, nearest first.
// False (and an empty list) for handle 0 or a child window.
bool CollectCoveringWindows(WindowHandle window, WindowHandleList& windows);

// Visible, not minimised top-level windows of the current virtual desktop,
// without the desktop, buttons and hidden frames of modern applications.
void EnumVisibleTopWindows(WindowHandleList& windows);

bool IsHiddenUwpFrame(WindowHandle window);
void EnumChildWindowList(WindowHandle window, WindowHandleList& children);

// Keeps the windows that are on the current virtual desktop; leaves the list as
// it is when the virtual-desktop manager cannot be created.
void FilterCurrentVirtualDesktop(WindowHandleList& windows);

// GetLastError() as decimal text, or "" when it is 0.
std::string LastErrorText();

// UTF-16 text (one unit per wchar_t) as UTF-8; "" when the conversion fails.
std::string WideToUtf8(const std::wstring& wide);

}  // namespace TESSARIL_REMOTECONTROL_HOST
