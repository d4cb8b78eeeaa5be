#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string_view>
#include <thread>
#include <vector>

#include "MessageRecorder.h"

namespace TESSARIL_HOST_APP {

// The replay as it happens, one line per event, a label in the first column:
// command, in (to the plugin), out (from it), input (a SendInput call); at the
// end the counts of each. Each step's line comes before what it caused.
class SessionReport {
public:
    explicit SessionReport(std::ostream& out);

    // "start window=editor text=demo -> 0 done", or "-> refused by ExportedCallEvent".
    void Command(std::string_view line, int64_t result);
    void In(std::string_view line);
    // Cursor batches in brief; the others as the harness words them. Those sent
    // on `loopThread` say so.
    void Out(const std::vector<OutgoingMessage>& messages, std::thread::id loopThread);
    void Inputs(const std::vector<std::string>& calls);
    // Any other line: "session", "plugin", "finish", "log".
    void Note(std::string_view label, std::string_view text);
    void Summary();

private:
    std::ostream& out;
    size_t commands = 0;
    size_t refused = 0;
    size_t messagesIn = 0;
    size_t messagesOut = 0;
    size_t inputCalls = 0;
    size_t cursorBatches = 0;
    size_t cursorSamples = 0;
    size_t latencyReports = 0;
};

}  // namespace TESSARIL_HOST_APP
