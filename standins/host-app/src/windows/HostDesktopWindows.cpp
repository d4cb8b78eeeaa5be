// HostDesktop on the real desktop of Windows (or Wine): windows are real
// top-level windows owned by the replaying thread, which also calls the
// plugin; so the plugin's style changes reach them directly, and Pump and
// Wait let them handle their input.
#include <set>

#include "HostDesktop.h"

namespace TESSARIL_HOST_APP {
namespace {

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// A session names the class of each window, so classes are registered as
// they come, with the default window procedure.
void RegisterClassOnce(const std::wstring& className)
{
    static std::set<std::wstring> registered;
    if (!registered.insert(className).second) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);
}

}  // namespace

// Without DPI awareness Windows would scale the rectangles and cursor
// positions that the plugin reads on a display above 96 DPI.
HostDesktop::HostDesktop()
{
    SetProcessDPIAware();
}

HostDesktop::~HostDesktop()
{
    for (HWND window : created) {
        DestroyWindow(window);
    }
}

// A real desktop gives no way to create a window for another process.
HWND HostDesktop::AddWindow(const std::string& className, const std::string& title, const RECT& rect, DWORD)
{
    const std::wstring wideClass = Wide(className);
    RegisterClassOnce(wideClass);
    HWND window = CreateWindowExW(0, wideClass.c_str(), Wide(title).c_str(), WS_POPUP | WS_BORDER | WS_VISIBLE,
                                  rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    created.push_back(window);
    Pump();
    return window;
}

// The host's own key press: a real Caps Lock toggles only by being pressed.
void HostDesktop::SetCapsLock(bool on)
{
    if (((GetKeyState(VK_CAPITAL) & 1) != 0) == on) {
        return;
    }
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = VK_CAPITAL;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
}

void HostDesktop::MoveCursor(POINT position)
{
    SetCursorPos(position.x, position.y);
}

HMONITOR HostDesktop::PrimaryMonitor() const
{
    return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

std::vector<std::string> HostDesktop::NewInputCalls()
{
    return {};
}

void HostDesktop::Wait(std::chrono::milliseconds duration)
{
    const auto deadline = std::chrono::steady_clock::now() + duration;
    for (auto now = std::chrono::steady_clock::now(); now < deadline; now = std::chrono::steady_clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
        Pump();
    }
}

void HostDesktop::Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace TESSARIL_HOST_APP
