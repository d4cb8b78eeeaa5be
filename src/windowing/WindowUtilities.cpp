#include "windowing/WindowUtilities.h"

#include <codecvt>
#include <cwchar>
#include <locale>
#include <stdexcept>

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

// Buffer sizes of the class-name and title reads. The wide class name is read
// with a capacity below its buffer, so it always stays NUL-terminated.
constexpr int kWideClassNameBuffer = 2048;
constexpr int kWideClassNameCapacity = 2000;
constexpr int kClassNameBuffer = 2048;
constexpr int kTitleBuffer = 260;

// Handles carry 32 significant bits, also in 64-bit processes; Windows widens
// them with their sign when they go from 32 to 64 bits.
intptr_t WidenHandle(uint32_t handle) { return static_cast<intptr_t>(static_cast<int32_t>(handle)); }

constexpr char kCoreWindowClass[] = "Windows.UI.Core.CoreWindow";
constexpr char kApplicationFrameClass[] = "ApplicationFrameWindow";

std::string ClassNameOf(HWND window)
{
    char className[kClassNameBuffer] = {};
    GetClassNameA(window, className, kClassNameBuffer);
    return className;
}

// Windows 8 is version 6.2. The size field (284 bytes on Windows) tells the
// system which version structure it is given.
bool IsWindows8OrLater()
{
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwMajorVersion = 6;
    version.dwMinorVersion = 2;
    version.wServicePackMajor = 0;
    DWORDLONG conditions = 0;
    conditions = VerSetConditionMask(conditions, VER_MAJORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_MINORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&version, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, conditions) !=
           FALSE;
}

bool IsLeftOutOfTopWindows(HWND window)
{
    if (!IsWindowVisible(window)) {
        return true;
    }
    WCHAR className[kWideClassNameBuffer] = {};
    GetClassNameW(window, className, kWideClassNameCapacity);
    if (std::wcscmp(className, L"Progman") == 0 || std::wcscmp(className, L"Button") == 0) {
        return true;
    }
    return IsHiddenUwpFrame(FromHwnd(window)) || IsIconic(window);
}

// Never stops the enumeration.
BOOL CALLBACK AppendVisibleTopWindow(HWND window, LPARAM list)
{
    if (!IsLeftOutOfTopWindows(window)) {
        reinterpret_cast<WindowHandleList*>(list)->push_back(FromHwnd(window));
    }
    return TRUE;
}

BOOL CALLBACK AppendChildWindow(HWND window, LPARAM list)
{
    reinterpret_cast<WindowHandleList*>(list)->push_back(FromHwnd(window));
    return TRUE;
}

bool HasCoreWindowChild(WindowHandle window)
{
    WindowHandleList children;
    EnumChildWindowList(window, children);
    for (WindowHandle child : children) {
        if (ClassNameOf(ToHwnd(child)) == kCoreWindowClass) {
            return true;
        }
    }
    return false;
}

}  // namespace

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(WidenHandle(window)); }

WindowHandle FromHwnd(HWND window)
{
    return static_cast<WindowHandle>(reinterpret_cast<uintptr_t>(window));
}

RECT GetWindowRectOf(WindowHandle window, std::string& error)
{
    RECT rect = {};
    if (!GetWindowRect(ToHwnd(window), &rect)) {
        const DWORD code = GetLastError();
        error = "GetWindowRect for failed,code:" + std::to_string(code);
        return RECT{};
    }
    return rect;
}

RECT GetMonitorRect(uint32_t monitor, std::string& error)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(reinterpret_cast<HMONITOR>(WidenHandle(monitor)), &info)) {
        const DWORD code = GetLastError();
        error = "GetMonitorInfoA failed,code:" + std::to_string(code);
        return RECT{};
    }
    return info.rcMonitor;
}

// No layered-window attributes are set: the window only has to let the mouse
// through for the duration of one injected event.
bool SetIgnoreMouseEvents(WindowHandle window, LONG* previousExStyle)
{
    const HWND handle = ToHwnd(window);
    if (!IsWindow(handle)) {
        return false;
    }
    const LONG exStyle = GetWindowLongA(handle, GWL_EXSTYLE);
    if (previousExStyle != nullptr) {
        *previousExStyle = exStyle;
    }
    SetWindowLongA(handle, GWL_EXSTYLE, exStyle | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    return true;
}

// SetWindowLongA returns the replaced value, so a window whose old extended
// style was 0 also yields 0. The last error is cleared first so that this case
// leaves an empty error text rather than the code of some earlier call.
bool ResetIgnoreMouseEvents(WindowHandle window, LONG exStyle, std::string& error)
{
    const HWND handle = ToHwnd(window);
    if (!IsWindow(handle)) {
        return false;
    }
    SetLastError(ERROR_SUCCESS);
    if (SetWindowLongA(handle, GWL_EXSTYLE, exStyle) != 0) {
        return true;
    }
    error = LastErrorText();
    return false;
}

std::string LastErrorText()
{
    const DWORD code = GetLastError();
    return code == 0 ? std::string() : std::to_string(code);
}

bool CollectCoveringWindows(WindowHandle window, WindowHandleList& windows)
{
    windows.clear();
    const HWND handle = ToHwnd(window);
    if (window == 0 || (GetWindowLongA(handle, GWL_STYLE) & WS_CHILD) != 0) {
        return false;
    }
    RECT target = {};
    GetWindowRect(handle, &target);
    for (HWND above = GetWindow(handle, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
        if (!IsWindowVisible(above)) {
            continue;
        }
        RECT rect = {};
        RECT overlap = {};
        GetWindowRect(above, &rect);
        if (IntersectRect(&overlap, &rect, &target)) {
            windows.push_back(FromHwnd(above));
        }
    }
    return true;
}

void EnumVisibleTopWindows(WindowHandleList& windows)
{
    windows.clear();
    EnumWindows(AppendVisibleTopWindow, reinterpret_cast<LPARAM>(&windows));
    FilterCurrentVirtualDesktop(windows);
}

// Modern applications show through a frame of class ApplicationFrameWindow that
// hosts their CoreWindow. The shell keeps such frames (and bare CoreWindows)
// visible while the application is suspended or closed, without anything on
// screen. Windows 7 has no modern applications.
bool IsHiddenUwpFrame(WindowHandle window)
{
    if (!IsWindows8OrLater()) {
        return false;
    }
    const HWND handle = ToHwnd(window);
    const std::string className = ClassNameOf(handle);
    if (className == kCoreWindowClass) {
        return true;
    }
    if (className != kApplicationFrameClass) {
        return false;
    }
    char title[kTitleBuffer] = {};
    GetWindowTextA(handle, title, kTitleBuffer);
    if (title[0] == '\0') {
        return true;
    }
    if (HasCoreWindowChild(window)) {
        return false;
    }
    return !IsIconic(handle);
}

void EnumChildWindowList(WindowHandle window, WindowHandleList& children)
{
    children.clear();
    EnumChildWindows(ToHwnd(window), AppendChildWindow, reinterpret_cast<LPARAM>(&children));
}

// Relies on COM being initialised on the calling thread; without it the
// creation fails and the list stays as it is.
void FilterCurrentVirtualDesktop(WindowHandleList& windows)
{
    if (windows.empty()) {
        return;
    }
    // Reserved before the manager exists, so that nothing between its creation
    // and its Release can throw.
    WindowHandleList kept;
    kept.reserve(windows.size());
    IVirtualDesktopManager* manager = nullptr;
    if (FAILED(CoCreateInstance(CLSID_VirtualDesktopManager, nullptr, CLSCTX_ALL, IID_IVirtualDesktopManager,
                                reinterpret_cast<LPVOID*>(&manager)))) {
        return;
    }
    for (WindowHandle window : windows) {
        // A window the shell cannot place is kept.
        BOOL onCurrentDesktop = TRUE;
        const HRESULT result = manager->IsWindowOnCurrentVirtualDesktop(ToHwnd(window), &onCurrentDesktop);
        if (FAILED(result) || onCurrentDesktop) {
            kept.push_back(window);
        }
    }
    windows.swap(kept);
    manager->Release();
}

// The W functions hand out UTF-16 units, one per WCHAR, on every target. The
// facet works on char16_t so that each unit is one UCS-2 character on every
// target, as the wchar_t facet takes them where wchar_t has 16 bits: a
// surrogate fails the conversion. An element wider than 16 bits can only come
// from a 32-bit wchar_t and is no UTF-16 unit either.
std::string WideToUtf8(const std::wstring& wide)
{
    std::u16string units;
    units.reserve(wide.size());
    for (wchar_t element : wide) {
        const auto unit = static_cast<char16_t>(element);
        if (unit != element) {
            return {};
        }
        units.push_back(unit);
    }
    // std::wstring_convert and std::codecvt_utf8 are deprecated without a
    // replacement in the standard library; their behaviour is the one wanted.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    std::wstring_convert<std::codecvt_utf8<char16_t>, char16_t> converter;
    try {
        return converter.to_bytes(units);
    } catch (const std::range_error&) {
        return {};
    }
#pragma GCC diagnostic pop
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
