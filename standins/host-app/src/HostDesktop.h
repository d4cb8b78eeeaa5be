#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform_win32.h"

namespace TESSARIL_HOST_APP {

// The desktop a session's `window` and `desktop` lines act on. The build picks
// the source of its members: the simulated desktop (simulated/), or the real
// one of Windows and Wine (windows/), where windows belong to the replaying thread.
class HostDesktop {
public:
    // Simulated: a fresh desktop. Windows: the desktop as it is, DPI aware.
    HostDesktop();
    // Windows: destroys the windows the session created.
    ~HostDesktop();
    HostDesktop(const HostDesktop&) = delete;
    HostDesktop& operator=(const HostDesktop&) = delete;

    // A visible top-level window on top of the others; on Windows it belongs
    // to this process whatever processId says.
    HWND AddWindow(const std::string& className, const std::string& title, const RECT& rect, DWORD processId);
    void SetCapsLock(bool on);
    void MoveCursor(POINT position);
    HMONITOR PrimaryMonitor() const;

    // The SendInput calls since the last look, each as "<records in words> ->
    // <inserted> of <given>". A real desktop keeps no journal: none there.
    std::vector<std::string> NewInputCalls();

    // Lets time pass; on a real desktop the session's windows keep handling
    // their messages meanwhile.
    void Wait(std::chrono::milliseconds duration);
    // Handles the messages waiting for the session's windows (none simulated).
    void Pump();

private:
    std::vector<HWND> created;
    size_t inputCallsSeen = 0;
};

}  // namespace TESSARIL_HOST_APP
