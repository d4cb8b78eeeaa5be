// HostDesktop on the simulated desktop, through its control API.
#include <thread>

#include "HostDesktop.h"
#include "InputWords.h"
#include "simulated_desktop.h"

namespace TESSARIL_HOST_APP {

HostDesktop::HostDesktop()
{
    SimulatedDesktop::Reset();
}

HostDesktop::~HostDesktop() = default;

HWND HostDesktop::AddWindow(const std::string& className, const std::string& title, const RECT& rect,
                            DWORD processId)
{
    SimulatedDesktop::WindowSpec window;
    window.className = className;
    window.title = title;
    window.processId = processId;
    window.rect = rect;
    return SimulatedDesktop::CreateTopLevelWindow(window);
}

void HostDesktop::SetCapsLock(bool on)
{
    SimulatedDesktop::SetKeyToggled(VK_CAPITAL, on);
}

void HostDesktop::MoveCursor(POINT position)
{
    SimulatedDesktop::SetCursorPosition(position);
}

HMONITOR HostDesktop::PrimaryMonitor() const
{
    return SimulatedDesktop::PrimaryMonitor();
}

std::vector<std::string> HostDesktop::NewInputCalls()
{
    const std::vector<SimulatedDesktop::SendInputCall> calls = SimulatedDesktop::SendInputCalls();
    std::vector<std::string> lines;
    for (; inputCallsSeen < calls.size(); ++inputCallsSeen) {
        const SimulatedDesktop::SendInputCall& call = calls[inputCallsSeen];
        lines.push_back(InputWords(call.records) + " -> " + std::to_string(call.result) + " of " +
                        std::to_string(call.requested));
    }
    return lines;
}

void HostDesktop::Wait(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

void HostDesktop::Pump() {}

}  // namespace TESSARIL_HOST_APP
