#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_HOST_APP {

// What one run of a session saw, one entry per event, in the order they
// happened on either thread.

// A plugin command: its session name ("start", "add-ignore", ...), its
// arguments in words, whether ExportedCallEvent took it and the result code.
struct CommandEntry {
    std::string name;
    std::string detail;
    bool accepted = false;
    int64_t result = 0;
};

// A viewer message handed to ExportedOnReceive.
struct MessageInEntry {
    uint64_t id = 0;
    std::string kind;  // the session step: key, mouse, mouse-array, viewport, channel
    std::string detail;
};

enum class OutgoingKind { Register, Unregister, CursorReport, Report, ChannelAvailable, ChannelUnavailable, Unknown };

// A message the plugin sent through SendFunction or NotifyFunction, decoded.
struct MessageOutEntry {
    uint64_t id = 0;
    OutgoingKind kind = OutgoingKind::Unknown;
    std::string text;                            // register: the registration text
    std::string key;                             // report
    std::string value;                           // report
    std::vector<TessarilMouseCursorFFI> samples;  // cursor report
    bool onLoopThread = false;
};

// One SendInput call of the plugin, its records in words.
struct SendInputEntry {
    std::string words;
    unsigned requested = 0;
    unsigned inserted = 0;
};

using ReportEntry = std::variant<CommandEntry, MessageInEntry, MessageOutEntry, SendInputEntry>;

// "register", "cursor", "report", "channel-available", ...
const char* OutgoingKindName(OutgoingKind kind);

// "done", "already started", "not started", or the code in digits.
std::string CommandResultWords(int64_t result);

// A cursor batch in brief: the report shows its ends, not every sample.
struct CursorBatchSummary {
    size_t count = 0;
    TessarilMouseCursorFFI first{};
    TessarilMouseCursorFFI last{};
    std::vector<int64_t> cursorTypes;  // each type once, in order of appearance

    static CursorBatchSummary Of(const std::vector<TessarilMouseCursorFFI>& samples);
};

}  // namespace TESSARIL_HOST_APP
