// HostDesktop on the simulated desktop, through its control API.
#include <thread>

#include "HostDesktop.h"
#include "InputRecordDescriber.h"
#include "simulated_desktop.h"

namespace TESSARIL_HOST_APP {

HostDesktop::HostDesktop()
{
    SimulatedDesktop::Reset();
}

HostDesktop::~HostDesktop() = default;

HWND HostDesktop::AddWindow(const DesktopWindowStep& step)
{
    SimulatedDesktop::WindowSpec window;
    window.className = step.className;
    window.title = step.title;
    window.processId = step.processId;
    window.rect = {step.rect.left, step.rect.top, step.rect.right, step.rect.bottom};
    return SimulatedDesktop::CreateTopLevelWindow(window);
}

void HostDesktop::SetCapsLock(bool on)
{
    SimulatedDesktop::SetKeyToggled(VK_CAPITAL, on);
}

void HostDesktop::MoveCursor(int32_t x, int32_t y)
{
    SimulatedDesktop::SetCursorPosition({x, y});
}

HMONITOR HostDesktop::PrimaryMonitor()
{
    return SimulatedDesktop::PrimaryMonitor();
}

std::vector<SendInputEntry> HostDesktop::ReadNewSendInputCalls()
{
    const std::vector<SimulatedDesktop::SendInputCall> calls = SimulatedDesktop::SendInputCalls();
    std::vector<SendInputEntry> entries;
    for (; sendInputCallsSeen < calls.size(); ++sendInputCallsSeen) {
        const SimulatedDesktop::SendInputCall& call = calls[sendInputCallsSeen];
        entries.push_back({InputRecordDescriber::DescribeCall(call.records.data(), call.records.size()),
                           call.requested, call.result});
    }
    return entries;
}

void HostDesktop::Wait(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

void HostDesktop::Pump() {}

}  // namespace TESSARIL_HOST_APP
