#pragma once

#include <string>
#include <vector>

#include "platform_win32.h"
#include "simulated_desktop.h"

namespace SimulatedDesktop {

// What the system asked of the desktop, as text lines (format in
// simulated_desktop.h) and as structured records. Not thread-safe: the desktop
// lock guards it.
class CallJournal {
public:
    void Clear();

    // `error` is the last error the call set, ERROR_SUCCESS when it set none.
    void RecordSendInput(const SendInputCall& call, DWORD error);
    void RecordSetWindowLong(HWND window, int index, LONG value, LONG result, DWORD error);
    void RecordExecutionState(EXECUTION_STATE flags);
    void RecordThreadDpiContext(DPI_AWARENESS_CONTEXT context, DPI_AWARENESS_CONTEXT result, DWORD error);

    const std::vector<std::string>& Lines() const { return lines; }
    const std::vector<SendInputCall>& SendInputs() const { return sendInputs; }
    const std::vector<EXECUTION_STATE>& ExecutionStates() const { return executionStates; }

private:
    std::vector<std::string> lines;
    std::vector<SendInputCall> sendInputs;
    std::vector<EXECUTION_STATE> executionStates;
};

}  // namespace SimulatedDesktop
