#pragma once

#include <chrono>
#include <vector>

#include "ReportEntry.h"
#include "SessionStep.h"
#include "platform_win32.h"

namespace TESSARIL_HOST_APP {

// The desktop a session's `desktop` steps act on. The build picks the source
// of its members: the simulated desktop (simulated/), or the real one of
// Windows and Wine (windows/), where windows are real windows of this thread.
class HostDesktop {
public:
    // Simulated: a fresh desktop. Windows: the desktop as it is.
    HostDesktop();
    // Windows: destroys the windows the session created.
    ~HostDesktop();
    HostDesktop(const HostDesktop&) = delete;
    HostDesktop& operator=(const HostDesktop&) = delete;

    HWND AddWindow(const DesktopWindowStep& step);
    static void SetCapsLock(bool on);
    static void MoveCursor(int32_t x, int32_t y);
    static HMONITOR PrimaryMonitor();

    // The SendInput calls since the last look, in words: the simulated
    // desktop keeps a journal; a real desktop does not tell, so none there.
    std::vector<SendInputEntry> ReadNewSendInputCalls();

    // Lets time pass; on a real desktop the session's windows keep handling
    // their messages meanwhile, since they belong to the replaying thread.
    void Wait(std::chrono::milliseconds duration);
    // Handles the messages waiting for the session's windows (none simulated).
    void Pump();

private:
    std::vector<HWND> created;
    size_t sendInputCallsSeen = 0;
};

}  // namespace TESSARIL_HOST_APP
