#include "FloorReplay.h"

#include <stdexcept>

#include "simulated_desktop.h"

namespace TESSARIL_BENCH {

namespace {

constexpr LONG kClickThrough = WS_EX_LAYERED | WS_EX_TRANSPARENT;

}  // namespace

FloorReplay FloorReplay::FromJournal(std::vector<HWND> styledWindows)
{
    FloorReplay replay;
    for (SimulatedDesktop::SendInputCall& call : SimulatedDesktop::SendInputCalls()) {
        replay.calls.push_back(std::move(call.records));
    }
    if (replay.calls.empty()) {
        throw std::runtime_error("the plugin made no SendInput call to replay");
    }
    replay.windows = std::move(styledWindows);
    replay.saved.resize(replay.windows.size());
    return replay;
}

size_t FloorReplay::Calls() const
{
    return calls.size();
}

void FloorReplay::Replay(size_t index)
{
    std::vector<INPUT>& records = calls[index % calls.size()];
    SetThreadExecutionState(ES_SYSTEM_REQUIRED);
    for (size_t i = 0; i < windows.size(); ++i) {
        saved[i] = GetWindowLongA(windows[i], GWL_EXSTYLE);
        SetWindowLongA(windows[i], GWL_EXSTYLE, saved[i] | kClickThrough);
    }
    SendInput(static_cast<UINT>(records.size()), records.data(), static_cast<int>(sizeof(INPUT)));
    for (size_t i = 0; i < windows.size(); ++i) {
        SetWindowLongA(windows[i], GWL_EXSTYLE, saved[i]);
    }
}

}  // namespace TESSARIL_BENCH
